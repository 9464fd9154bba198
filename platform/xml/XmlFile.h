// The file side of ORLOXML: bounded reading and atomic replacement of a file, on POSIX
// calls so every step (and every failure) is explicit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orlo::xml {

// Reads the regular file `path` (UTF-8 bytes) into `bytes`; false when it cannot be
// opened, is not a regular file or is larger than `maxBytes`, before anything is read.
bool ReadFileBounded(const std::string& path, std::size_t maxBytes, std::string* bytes);

// Replaces the file `path` by one holding `bytes`: writes a new file beside it, flushes
// it to the disk, gives it the old file's mode bits (when there is one), renames it over
// `path` and flushes the folder. On failure the old file is untouched and the new one
// removed.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace orlo::xml
