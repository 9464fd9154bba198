// InputFile: how `orlo` reads its input files (sweep files, model files): whole or piece by
// piece, and with the same reasons for what goes wrong. The reasons name no file; each
// reader adds the file name the way its messages do.
#pragma once

#include "host/sweeps/TextLines.h"

#include <cstddef>
#include <fstream>
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

// The bytes of a file in pieces of whole lines of about `kPieceSize` bytes (a longer line
// makes a longer piece), so that no more than a piece is held at once; Rewind starts over.
// Throws InputFileError as ReadInputFile does, on opening and on reading.
class InputFilePieces : public TextPieces {
 public:
  static constexpr size_t kPieceSize = size_t{1} << 16;

  explicit InputFilePieces(const std::string& file, size_t pieceSize = kPieceSize);

  std::string_view Next() override;
  void Rewind();

 private:
  std::ifstream stream_;
  const size_t pieceSize_;
  std::string buffer_;  // the piece given last, then what was read beyond it
  size_t pieceEnd_ = 0;
  bool atEnd_ = false;
};

// Why `text` cannot be read as UTF-8 or Latin-1, or nothing: a UTF-16 or UTF-32 byte-order
// mark, or NUL bytes (UTF-16 text without a mark), give
// "the file is UTF-16 text; save it as UTF-8 or Latin-1" (UTF-32 for its mark). A `text`
// that is not the start of its file (a later piece) has no byte-order mark.
std::optional<std::string> WideEncodingProblem(std::string_view text, bool atStart = true);

}  // namespace orlo::host
