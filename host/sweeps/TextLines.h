// TextLines: the lines of a text, one after the other, as views into the text.
//
// A line ends at "\n" or "\r\n"; the views exclude the line end. A text that ends with a
// line end has no empty last line. A UTF-8 byte order mark at the start is not part of
// the first line. The text is either whole in memory, and must then outlive the cursor
// and every view it gave, or comes in pieces of whole lines (TextPieces, a file read piece
// by piece): then a view lasts until the cursor is asked for more after the last line of
// its piece. Copies are independent cursors for looking ahead; a copy sees no further than
// the piece at hand.
#pragma once

#include <string_view>

namespace orlo::host {

// A text given piece by piece.
class TextPieces {
 public:
  virtual ~TextPieces() = default;

  // The next piece: whole lines with their line ends (the text's last line may lack its
  // own); empty after the last. The piece given before is gone.
  virtual std::string_view Next() = 0;
};

class TextLines {
 public:
  explicit TextLines(std::string_view text);
  // The lines of the pieces that `pieces` gives from here on; it must outlive the cursor.
  explicit TextLines(TextPieces& pieces);
  TextLines(const TextLines& other) : rest_(other.rest_), number_(other.number_) {}
  TextLines& operator=(const TextLines&) = delete;

  // The next line in `line`; false, leaving `line` alone, after the last.
  bool Next(std::string_view& line);

  // The lines not given yet, at least the next one whole with its line end (the rest of
  // its piece), for a reader that finds the next line's end itself; empty after the last.
  std::string_view Rest() {
    if (rest_.empty() && pieces_ != nullptr) rest_ = pieces_->Next();
    return rest_;
  }
  // Moves past the next line, which with its line end is the first `length` bytes of Rest(),
  // as Next would have.
  void Skip(size_t length) {
    rest_.remove_prefix(length);
    ++number_;
  }

  // How many lines are left (counting their line ends, quickly) in the text or piece at
  // hand.
  size_t CountLeft() const;

  // The number of the line Next gave last (1-based), or of lines given so far: after the
  // last line, the text's line count.
  int Number() const { return number_; }

 private:
  std::string_view rest_;
  TextPieces* pieces_ = nullptr;
  int number_ = 0;
};

}  // namespace orlo::host
