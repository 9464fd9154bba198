#include "host/output/TextTable.h"

#include "platform/common/Utf8.h"

#include <algorithm>

namespace orlo::host {

namespace {

constexpr char kColumnGap[] = "  ";

}  // namespace

void TextTable::Measure(const std::vector<std::string>& row) {
  widths_.resize(std::max(widths_.size(), row.size()));
  for (size_t column = 0; column < row.size(); ++column) {
    widths_[column] = std::max(widths_[column], CountUtf8Chars(row[column]));
  }
}

std::string TextTable::Line(const std::vector<std::string>& row) const {
  std::string line = indent_;
  for (size_t column = 0; column < row.size(); ++column) {
    if (column > 0) line += kColumnGap;
    line += row[column];
    const size_t width = column < widths_.size() ? widths_[column] : 0;
    const size_t used = CountUtf8Chars(row[column]);
    if (column + 1 < row.size() && used < width) line.append(width - used, ' ');
  }
  line.erase(line.find_last_not_of(' ') + 1);
  return line + '\n';
}

size_t TextTable::Offset(size_t column) const {
  size_t offset = indent_.size();
  for (size_t i = 0; i < column && i < widths_.size(); ++i) offset += widths_[i] + 2;
  return offset;
}

}  // namespace orlo::host
