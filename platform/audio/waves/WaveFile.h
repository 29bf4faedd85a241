#pragma once
// Opening a wave file for reading: only a regular file, and never blocking
// (a FIFO or a device named as a sound is refused at once).
#include <sndfile.h>

#include <string>

// The open file and its format, or nullptr.
SNDFILE* OpenWaveFile(const std::string& path, SF_INFO& info);
