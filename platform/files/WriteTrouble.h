#pragma once
// Why a file could not be written, found after the failed save from what
// stands on disk (the save itself only knows that a step failed).
#include <cstddef>
#include <string>

enum class WriteTrouble {
    Unknown,       // nothing on disk tells
    NotRegular,    // a folder, FIFO, device or another user's link stands at the path
    ReadOnlyFile,  // the file has no write permission for the player
    ReadOnlyDisk,  // the file system is mounted read-only
    NoSpace,       // the disk or the player's quota is full
    NoPermission,  // the player may write neither the folder nor the file
};

// What keeps `bytes` from being written to `path`.
WriteTrouble WhyNotWritten(const std::string& path, size_t bytes);
