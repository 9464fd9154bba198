// FileAccess: bounded reading and atomic replacement of a file, on POSIX calls so every
// step (and every failure) is explicit. The settings document (ORLOXML) and every file the
// host writes go through ReplaceFileAtomically.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orlo {

// Reads the regular file `path` (UTF-8 bytes) into `bytes`; false when it cannot be
// opened, is not a regular file or is larger than `maxBytes`, before anything is read.
bool ReadFileBounded(const std::string& path, std::size_t maxBytes, std::string* bytes);

// Replaces the file `path` by one holding `bytes`: writes a new file beside it, flushes
// it to the disk, gives it the old file's mode bits (when there is one), renames it over
// `path` (a symbolic link in its place is replaced, not followed) and flushes the folder.
// On failure the old file is untouched, the new one removed, and `reason` (when given)
// says why (the system's text for the step that failed).
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           std::string* reason = nullptr);

}  // namespace orlo
