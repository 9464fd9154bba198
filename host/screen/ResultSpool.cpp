#include "host/screen/ResultSpool.h"

#include <cerrno>
#include <cstring>

namespace orlo::host {

namespace {

[[noreturn]] void Fail(const char* what) {
  throw std::runtime_error(std::string(what) + " the temporary file of the results: " +
                           std::strerror(errno));
}

}  // namespace

ResultSpool::ResultSpool(size_t count) : file_(std::tmpfile()), places_(count) {
  if (file_ == nullptr) Fail("cannot make");
}

ResultSpool::~ResultSpool() { std::fclose(file_); }

void ResultSpool::Put(size_t index, const std::string& text) {
  if (std::fseek(file_, 0, SEEK_END) != 0) Fail("cannot write");
  const long offset = std::ftell(file_);
  if (offset < 0 || std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
    Fail("cannot write");
  }
  places_.at(index) = {offset, text.size()};
}

std::string ResultSpool::Get(size_t index) const {
  const Place& place = places_.at(index);
  std::string text(place.size, '\0');
  if (std::fseek(file_, place.offset, SEEK_SET) != 0 ||
      std::fread(text.data(), 1, text.size(), file_) != text.size()) {
    Fail("cannot read");
  }
  return text;
}

}  // namespace orlo::host
