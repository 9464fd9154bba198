#include "host/sweeps/InputFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace orlo::host {

std::string ReadInputFile(const std::string& file) {
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) {
    throw InputFileError("cannot read: is a directory");
  }
  std::ifstream stream(file, std::ios::binary);
  if (!stream) throw InputFileError(std::string("cannot open: ") + std::strerror(errno));
  std::string text;
  if (const auto size = std::filesystem::file_size(file, error); !error) text.reserve(size);
  try {
    char block[1 << 16];
    while (stream.read(block, sizeof block) || stream.gcount() > 0) {
      text.append(block, static_cast<size_t>(stream.gcount()));
    }
    if (!stream.bad()) return text;
  } catch (const std::ios_base::failure&) {  // the stream buffer's read failed
  }
  throw InputFileError(std::string("cannot read: ") + std::strerror(errno));
}

std::optional<std::string> WideEncodingProblem(std::string_view text) {
  const auto saveAs = [](const char* encoding) {
    return std::string("the file is ") + encoding + " text; save it as UTF-8 or Latin-1";
  };
  using namespace std::string_view_literals;
  if (text.starts_with("\xFF\xFE\0\0"sv) || text.starts_with("\0\0\xFE\xFF"sv)) {
    return saveAs("UTF-32");
  }
  if (text.starts_with("\xFF\xFE"sv) || text.starts_with("\xFE\xFF"sv) ||
      text.find('\0') != std::string_view::npos) {
    return saveAs("UTF-16");
  }
  return std::nullopt;
}

}  // namespace orlo::host
