// InputFile: how `orlo` reads its input files (sweep files, model files): whole, and with
// the same reasons for what goes wrong. The reasons name no file; each reader adds the
// file name the way its messages do.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orlo::host {

class InputFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The bytes of `file`. Throws InputFileError: "cannot read: is a directory",
// "cannot open: <system reason>" or "cannot read: <system reason>".
std::string ReadInputFile(const std::string& file);

// Why `text` cannot be read as UTF-8 or Latin-1, or nothing: a UTF-16 or UTF-32 byte-order
// mark, or NUL bytes (UTF-16 text without a mark), give
// "the file is UTF-16 text; save it as UTF-8 or Latin-1" (UTF-32 for its mark).
std::optional<std::string> WideEncodingProblem(std::string_view text);

}  // namespace orlo::host
