// TextTable: rows of text cells as columns aligned for a terminal, each column as wide as
// its widest cell (in characters of UTF-8 text), columns two blanks apart, every line
// starting with `indent` and without trailing blanks.
//
// A table too large to hold is written in two passes over its rows: Measure each row, then
// write each Line. Offset tells where a column starts, for a heading above a group of
// columns.
#pragma once

#include <string>
#include <vector>

namespace orlo::host {

class TextTable {
 public:
  explicit TextTable(std::string indent = "") : indent_(std::move(indent)) {}

  void Measure(const std::vector<std::string>& row);
  // The row as one line, ending in '\n'.
  std::string Line(const std::vector<std::string>& row) const;
  // The character position at which `column` starts in a line.
  size_t Offset(size_t column) const;

 private:
  std::string indent_;
  std::vector<size_t> widths_;
};

}  // namespace orlo::host
