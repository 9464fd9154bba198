#include "host/sweeps/InputFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace orlo::host {

namespace {

std::ifstream OpenInputFile(const std::string& file) {
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) {
    throw InputFileError("cannot read: is a directory");
  }
  std::ifstream stream(file, std::ios::binary);
  if (!stream) throw InputFileError(std::string("cannot open: ") + std::strerror(errno));
  return stream;
}

// Reads up to `size` bytes into `to`: fewer only at the end of the file.
size_t ReadBlock(std::ifstream& stream, char* to, size_t size) {
  try {
    stream.read(to, static_cast<std::streamsize>(size));
    if (!stream.bad()) return static_cast<size_t>(stream.gcount());
  } catch (const std::ios_base::failure&) {  // the stream buffer's read failed
  }
  throw InputFileError(std::string("cannot read: ") + std::strerror(errno));
}

}  // namespace

std::string ReadInputFile(const std::string& file) {
  std::ifstream stream = OpenInputFile(file);
  std::string text;
  std::error_code error;
  if (const auto size = std::filesystem::file_size(file, error); !error) text.reserve(size);
  char block[1 << 16];
  for (size_t read; (read = ReadBlock(stream, block, sizeof block)) > 0;) text.append(block, read);
  return text;
}

InputFilePieces::InputFilePieces(const std::string& file, size_t pieceSize)
    : stream_(OpenInputFile(file)), pieceSize_(pieceSize) {}

std::string_view InputFilePieces::Next() {
  buffer_.erase(0, pieceEnd_);
  pieceEnd_ = 0;
  while (!atEnd_ && pieceEnd_ == 0) {
    const size_t kept = buffer_.size();
    buffer_.resize(kept + pieceSize_);
    const size_t read = ReadBlock(stream_, buffer_.data() + kept, pieceSize_);
    buffer_.resize(kept + read);
    atEnd_ = read < pieceSize_;
    // What was kept has no line end: it is what followed the last one.
    if (const size_t lineEnd = buffer_.rfind('\n'); lineEnd != std::string::npos) {
      pieceEnd_ = lineEnd + 1;
    }
  }
  if (atEnd_) pieceEnd_ = buffer_.size();
  return {buffer_.data(), pieceEnd_};
}

void InputFilePieces::Rewind() {
  stream_.clear();
  stream_.seekg(0);
  buffer_.clear();
  pieceEnd_ = 0;
  atEnd_ = false;
}

std::optional<std::string> WideEncodingProblem(std::string_view text, bool atStart) {
  const auto saveAs = [](const char* encoding) {
    return std::string("the file is ") + encoding + " text; save it as UTF-8 or Latin-1";
  };
  using namespace std::string_view_literals;
  if (atStart && (text.starts_with("\xFF\xFE\0\0"sv) || text.starts_with("\0\0\xFE\xFF"sv))) {
    return saveAs("UTF-32");
  }
  if ((atStart && (text.starts_with("\xFF\xFE"sv) || text.starts_with("\xFE\xFF"sv))) ||
      text.find('\0') != std::string_view::npos) {
    return saveAs("UTF-16");
  }
  return std::nullopt;
}

}  // namespace orlo::host
