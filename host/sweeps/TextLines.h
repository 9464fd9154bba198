// TextLines: the lines of a text, one after the other, as views into the text.
//
// A line ends at "\n" or "\r\n"; the views exclude the line end. A text that ends with a
// line end has no empty last line. A UTF-8 byte order mark at the start is not part of
// the first line. Copies are independent cursors (a copy can look ahead). The text must
// outlive the cursor and every view it gave.
#pragma once

#include <string_view>

namespace orlo::host {

class TextLines {
 public:
  explicit TextLines(std::string_view text);

  // The next line in `line`; false, leaving `line` alone, after the last.
  bool Next(std::string_view& line);

  // The text not given yet, for a reader that finds the next line's end itself.
  std::string_view Rest() const { return rest_; }
  // Moves past the next line, which with its line end is the first `length` bytes of Rest(),
  // as Next would have.
  void Skip(size_t length) {
    rest_.remove_prefix(length);
    ++number_;
  }

  // How many lines are left (counting their line ends, quickly).
  size_t CountLeft() const;

  // The number of the line Next gave last (1-based), or of lines given so far: after the
  // last line, the text's line count.
  int Number() const { return number_; }

 private:
  std::string_view rest_;
  int number_ = 0;
};

}  // namespace orlo::host
