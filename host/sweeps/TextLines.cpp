#include "host/sweeps/TextLines.h"

#include <cstring>

namespace orlo::host {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TextLines::TextLines(std::string_view text) : rest_(text) {
  if (rest_.starts_with(kUtf8ByteOrderMark)) rest_.remove_prefix(kUtf8ByteOrderMark.size());
}

TextLines::TextLines(TextPieces& pieces) : TextLines(pieces.Next()) { pieces_ = &pieces; }

bool TextLines::Next(std::string_view& line) {
  if (Rest().empty()) return false;
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
  size_t ends = 0;
  const char* const end = rest_.data() + rest_.size();
  for (const char* at = rest_.data();
       (at = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)))) != nullptr; ++at) {
    ++ends;
  }
  return ends + (rest_.back() == '\n' ? 0 : 1);
}

}  // namespace orlo::host
