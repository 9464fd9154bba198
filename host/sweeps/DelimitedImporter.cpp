#include "host/sweeps/DelimitedImporter.h"

#include "host/sweeps/PointValues.h"
#include "host/sweeps/SweepLine.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <optional>

namespace orlo::host {

namespace {

// '\0' stands for runs of blanks.
char DetectDelimiter(std::string_view line) {
  for (const char candidate : {'\t', ';', ','}) {
    if (line.find(candidate) != std::string_view::npos) return candidate;
  }
  return '\0';
}

// A field of a line: its text without surrounding blanks, and the number it reads as
// (ReadNumber of that text).
struct Field {
  std::string_view text;
  NumberRead number;
};

// The next line of a text, read in one scan: how far it reaches with its line end, and its
// fields (the first three and how many there are).
struct ScannedLine {
  size_t length = 0;
  std::array<Field, 3> first;
  size_t count = 0;
};

// Splits the next line of a text at `delimiter` ('\0': runs of blanks), finds its end and
// reads each field's number in one scan: a field is read as a number from its first
// non-blank character on, and it is that number when only blanks follow up to its end;
// otherwise the field runs to the next delimiter (or the line end) and is not a number. No
// number contains a blank, a delimiter (with a decimal comma the delimiter is ';') or a
// line end, so a number is read straight from the text.
class LineScanner {
 public:
  LineScanner(std::string_view text, char delimiter, bool decimalComma)
      : begin_(text.data()), at_(text.data()), end_(text.data() + text.size()),
        delimiter_(delimiter), decimalComma_(decimalComma) {}

  // Fills `line` (reused from line to line: its length, count and the fields it counts are
  // written) and answers the line itself, without its line end (as TextLines gives it).
  std::string_view Scan(ScannedLine& line) {
    line.count = 0;
    at_ = SkipBlanks(at_);
    if (delimiter_ != '\0' || !AtLineEnd(at_)) {  // a blank line has no blank-separated field
      for (Field beyond;; ++line.count) {
        ReadField(line.count < line.first.size() ? line.first[line.count] : beyond);
        if (AtLineEnd(at_)) break;
        if (delimiter_ != '\0') ++at_;  // past the delimiter
        at_ = SkipBlanks(at_);
        if (delimiter_ == '\0' && AtLineEnd(at_)) break;
      }
      ++line.count;
    }
    const std::string_view text(begin_, size_t(at_ - begin_));
    at_ += at_ == end_ ? 0 : *at_ == '\n' ? 1 : std::min<ptrdiff_t>(2, end_ - at_);
    line.length = size_t(at_ - begin_);
    return text;
  }

 private:
  // A line ends at "\n", "\r\n", or the end of the text (a '\r' just before it too).
  bool AtLineEnd(const char* at) const {
    return at == end_ || *at == '\n' || (*at == '\r' && (at + 1 == end_ || at[1] == '\n'));
  }
  bool IsBlank(char c) const { return (c == ' ' || c == '\t') && c != delimiter_; }
  bool EndsField(const char* at) const {
    return AtLineEnd(at) || (delimiter_ == '\0' ? IsBlank(*at) : *at == delimiter_);
  }

  const char* SkipBlanks(const char* at) const {
    while (at != end_ && IsBlank(*at)) ++at;
    return at;
  }

  // Reads the field that starts at at_ (after its leading blanks) into `field`; leaves at_
  // at its end: the delimiter (or a blank between fields) or the line end. (The number is
  // read into its place and no struct is copied: a copy read back right after its parts
  // were written stalls the processor, at a cost of a fifth of the import.)
  void ReadField(Field& field) {
    const char* const start = at_;
    NumberRead& number = field.number;
    number = ReadNumberPrefix({start, size_t(end_ - start)}, decimalComma_);
    if (number.fault != NumberFault::kNotANumber) {
      const char* const numberEnd = start + number.length;
      const char* const after = SkipBlanks(numberEnd);
      if (EndsField(after) || (delimiter_ == '\0' && after != numberEnd)) {
        at_ = delimiter_ == '\0' ? numberEnd : after;
        field.text = {start, number.length};
        return;
      }
    }
    while (!EndsField(at_)) ++at_;
    field.text = TrimBlanks({start, size_t(at_ - start)});
    number = NumberRead{};
  }

  const char* const begin_;
  const char* at_;
  const char* const end_;
  const char delimiter_;
  const bool decimalComma_;
};

bool SaysLinear(std::string_view header) {
  std::string lower(header);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("ratio") != std::string::npos || lower.find("linear") != std::string::npos;
}

// The quick reading of the common data line: a number right between each pair of
// delimiters, the first at the line's start and the last at its end, every one finite,
// and a point the general reading below would take as it is. Every other line, faulty ones
// among them, is left to the general reading, which words the fault.
struct PlainLineReader {
  char delimiter = ',';
  bool decimalComma = false;
  bool magnitudeIsRatio = false;
  size_t fieldCount = 0;  // 0 (no line is plain) until the first data line sets it

  // Adds the point of the next line of `lines` when the line is plain; otherwise answers
  // false and reads nothing.
  bool Read(TextLines& lines, SweepBuilder& points) const {
    const std::string_view rest = lines.Rest();
    const char* at = rest.data();
    const char* const end = at + rest.size();
    std::array<double, 3> values{};  // a missing phase is 0
    for (size_t i = 0; i < fieldCount; ++i) {
      if (i > 0 && (at == end || *at++ != delimiter)) return false;
      const NumberRead number = ReadNumberPrefix({at, size_t(end - at)}, decimalComma);
      if (!number.ok() || !std::isfinite(number.value)) return false;
      values[i] = number.value;
      at += number.length;
    }
    size_t length = size_t(at - rest.data());
    if (at != end) {
      if (*at == '\n') {
        length += 1;
      } else if (*at == '\r' && end - at > 1 && at[1] == '\n') {
        length += 2;
      } else {
        return false;
      }
    }
    const auto [frequency, magnitude, phase] = values;
    if (!(frequency > 0.0) || (magnitudeIsRatio && magnitude < 0.0)) return false;
    const float ratio =
        magnitudeIsRatio ? static_cast<float>(magnitude) : DecibelToRatio(magnitude);
    if (!magnitudeIsRatio && (ratio == 0.0f || std::isinf(ratio))) return false;
    lines.Skip(length);
    points.Add(PolarPoint(frequency, ratio, phase), lines.Number());
    return true;
  }
};

// Whether the next line of `text` is blank or a comment.
bool IsSkipped(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  return first == std::string_view::npos || text[first] == '#' || text[first] == '\n' ||
         (text[first] == '\r' && (first + 1 == text.size() || text[first + 1] == '\n'));
}

}  // namespace

void ReadDelimitedSweep(TextLines& lines, SweepBuilder& points) {
  std::optional<char> delimiter;
  PlainLineReader plain;
  size_t fieldCount = 0;
  int fieldCountLine = 0;
  ScannedLine scanned;
  for (std::string_view rest; !(rest = lines.Rest()).empty();) {
    if (plain.fieldCount != 0 && plain.Read(lines, points)) continue;
    std::string_view skipped, first;
    if (IsSkipped(rest)) {
      lines.Next(skipped);
      continue;
    }
    const bool firstLine = !delimiter;
    if (firstLine && TextLines(lines).Next(first)) {
      delimiter = DetectDelimiter(first);
      plain.delimiter = *delimiter;
      plain.decimalComma = *delimiter == ';';
    }
    const std::string_view lineText =
        LineScanner(rest, *delimiter, plain.decimalComma).Scan(scanned);
    lines.Skip(scanned.length);
    const SweepLine line{points.File(), lines.Number(), lineText};
    const bool header = firstLine && scanned.first[0].number.fault == NumberFault::kNotANumber;
    if (header) {
      plain.magnitudeIsRatio = scanned.count > 1 && SaysLinear(scanned.first[1].text);
      continue;
    }
    if (fieldCount == 0) {
      if (scanned.count < 2 || scanned.count > 3) {
        line.Fail("expected 2 or 3 fields (frequency, magnitude, optional phase), found " +
                  std::to_string(scanned.count));
      }
      fieldCount = scanned.count;
      fieldCountLine = line.number;
      if (*delimiter != '\0') plain.fieldCount = fieldCount;  // blanks: the general reading
    } else if (scanned.count != fieldCount) {
      line.Fail("expected " + std::to_string(fieldCount) + " fields like line " +
                std::to_string(fieldCountLine) + ", found " + std::to_string(scanned.count));
    }
    const auto& [frequencyField, magnitudeField, phaseField] = scanned.first;
    const double frequency = line.Frequency(frequencyField.number, frequencyField.text);
    const double magnitude = line.Number(magnitudeField.number, magnitudeField.text, "magnitude");
    const double phase =
        fieldCount == 3 ? line.Number(phaseField.number, phaseField.text, "phase") : 0.0;
    if (plain.magnitudeIsRatio && magnitude < 0.0) {
      line.Fail("magnitude ratio is negative: " + QuotedExcerpt(magnitudeField.text));
    }
    const double ratio = plain.magnitudeIsRatio
                             ? magnitude
                             : line.DecibelRatio(magnitude, magnitudeField.text, "magnitude");
    points.Add(PolarPoint(frequency, ratio, phase), line.number);
  }
}

}  // namespace orlo::host
