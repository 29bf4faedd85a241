#pragma once
// Writing a file's bytes where it stands, without the toolkit: whole
// writes, a finish that reaches the disk, and a rewrite in place that never
// leaves half a text (also used by the shared table's writer).
#include <sys/types.h>

#include <functional>
#include <string>

namespace textfile {

// Writes all of `bytes` at offset `at`; false on any failure.
bool WriteAllAt(int fd, const std::string& bytes, off_t at);
// Puts the file on the disk and closes it: false when either fails (a full
// disk or a quota often shows only here).
bool FinishFile(int fd);

// Rewrites an existing file in place with `bytes` (already in the file's
// code page), as Write does where the folder refuses a replace: the file
// reads as the old text or the whole new one at every moment (a reader of
// pairs or positions takes no unpaired last line). `afterStep` runs after
// each step that changed the file (tests read it there).
bool RewriteInPlace(const std::string& path, const std::string& bytes, const std::function<void()>& afterStep = {});

}  // namespace textfile
