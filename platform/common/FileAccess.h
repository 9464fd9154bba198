// FileAccess: bounded reading and atomic replacement of a file, on POSIX calls so every
// step (and every failure) is explicit. The settings document (ORLOXML) and every file the
// host writes go through ReplaceFileAtomically.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orlo {

// Reads the regular file `path` (its bytes as they are) into `bytes`; false when it cannot
// be opened, is not a regular file or is larger than `maxBytes`, before anything is read,
// with the reason in `reason` when given.
bool ReadFileBounded(const std::string& path, std::size_t maxBytes, std::string* bytes,
                     std::string* reason = nullptr);

// Replaces the file `path` by one holding `bytes`: writes a new file beside it, flushes it
// to the disk, renames it over `path` and flushes the folder. A symbolic link to a regular
// file is written through: the file it leads to is replaced (the new file is written
// beside that one) and the link stays. Nothing is written when `path`, or what a link
// leads to, exists and is no regular file (a folder, a device such as /dev/null), when a
// link leads nowhere, or when the user may not write the file; for root, whom the system
// lets write anything, that is a file whose owner may not write it (no u+w). A new file
// gets the mode a new file gets (0666 less the umask); a replaced file keeps its mode
// bits, and as root also its owner and group. On failure the old file is untouched, the
// new one removed, and `reason` (when given) says why (the refusal, or the system's text
// for the step that failed).
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           std::string* reason = nullptr);

}  // namespace orlo
