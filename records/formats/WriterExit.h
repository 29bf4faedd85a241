#pragma once
// How the shared table's writer (records/sharedtable) ends: its exit status,
// which the game reads (records/formats/SharedTable.cpp).
namespace hof {
enum WriterExit {
    Saved = 0,
    Refused = 2,       // the input was not valid records: nothing done
    NoLock = 3,        // no lock every copy honours could be had
    NoTable = 4,       // the package's table is missing: never created here
    TooLong = 5,       // the table is past its bound and left as it was
    NoSpace = 6,       // a full disk, a quota or a file-size limit
    ReadOnlyDisk = 7,  // the disk is mounted read-only
    NotWritten = 8     // anything else
};
}  // namespace hof
