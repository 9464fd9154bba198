#include "host/sweeps/TextLines.h"

#include <algorithm>

namespace orlo::host {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TextLines::TextLines(std::string_view text) : rest_(text) {
  if (rest_.starts_with(kUtf8ByteOrderMark)) rest_.remove_prefix(kUtf8ByteOrderMark.size());
}

bool TextLines::Next(std::string_view& line) {
  if (rest_.empty()) return false;
  const size_t end = rest_.find('\n');
  if (end == std::string_view::npos) {
    line = rest_;
    rest_ = {};
  } else {
    line = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
  }
  if (line.ends_with('\r')) line.remove_suffix(1);
  ++number_;
  return true;
}

size_t TextLines::CountLeft() const {
  if (rest_.empty()) return 0;
  return static_cast<size_t>(std::count(rest_.begin(), rest_.end(), '\n')) +
         (rest_.back() == '\n' ? 0 : 1);
}

}  // namespace orlo::host
