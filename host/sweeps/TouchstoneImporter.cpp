#include "host/sweeps/TouchstoneImporter.h"

#include "host/sweeps/PointValues.h"
#include "host/sweeps/SweepLine.h"
#include "platform/common/NumberText.h"
#include "platform/common/TextCase.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <optional>
#include <utility>

namespace orlo::host {

namespace {

constexpr const char* kOnlyOneOrTwoPorts = "only 1- and 2-port files are read";

enum class Format { kDecibelAngle, kMagnitudeAngle, kRealImaginary };

// The parameters of a row's value pairs in the two orders a file may have.
constexpr std::array<std::string_view, 4> kPairs21_12 = {"S11", "S21", "S12", "S22"};
constexpr std::array<std::string_view, 4> kPairs12_21 = {"S11", "S12", "S21", "S22"};

// The port count of a name ending in ".s<count>p" (any case; a count no int holds gives
// 0), or nothing for other names.
std::optional<int> PortsOfName(std::string_view file) {
  const std::string extension = std::filesystem::path(file).extension().string();
  if (extension.size() < 4 || std::tolower(static_cast<unsigned char>(extension[1])) != 's' ||
      std::tolower(static_cast<unsigned char>(extension.back())) != 'p') {
    return std::nullopt;
  }
  const std::string_view digits = std::string_view(extension).substr(2, extension.size() - 3);
  if (!std::all_of(digits.begin(), digits.end(),
                   [](unsigned char c) { return std::isdigit(c) != 0; })) {
    return std::nullopt;
  }
  int ports = 0;
  if (std::from_chars(digits.data(), digits.data() + digits.size(), ports).ec != std::errc()) {
    ports = 0;
  }
  return ports;
}

// What a line says once its comment and surrounding blanks are gone.
std::string_view Content(std::string_view line) {
  return TrimBlanks(line.substr(0, line.find('!')));
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A field of a line: its text, up to a blank or a tab, and the number it reads as (what
// ReadNumber(text) gives).
struct Field {
  std::string_view text;
  NumberRead number;
};

// Takes the next field off the front of `rest`; false when none is left. Its number is
// read where it starts, in the one scan (no number holds a blank).
bool NextField(std::string_view& rest, Field& field) {
  size_t start = 0;
  while (start < rest.size() && IsBlank(rest[start])) ++start;
  if (start == rest.size()) return false;
  rest.remove_prefix(start);
  field.number = ReadNumberPrefix(rest);
  size_t end = field.number.fault == NumberFault::kNotANumber ? 0 : field.number.length;
  if (end < rest.size() && !IsBlank(rest[end])) {  // more than a number
    field.number = NumberRead{};
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
  }
  field.text = rest.substr(0, end);
  rest.remove_prefix(end);
  return true;
}

// Whether `content` is the keyword line of `keyword` ("[Name]", any case).
bool IsKeyword(std::string_view content, std::string_view keyword) {
  return EqualsIgnoringCase(content.substr(0, keyword.size()), keyword);
}

// What follows the keyword of a keyword line.
std::string_view KeywordArgument(std::string_view content) {
  const size_t close = content.find(']');
  return close == std::string_view::npos ? std::string_view{}
                                         : TrimBlanks(content.substr(close + 1));
}

class TouchstoneReader {
 public:
  explicit TouchstoneReader(SweepBuilder& points)
      : points_(points), ports_(PortsOfName(points.File()).value_or(0)) {}

  void Read(TextLines& lines) {
    bool first = true;
    for (std::string_view text; lines.Next(text);) {
      const SweepLine line{points_.File(), lines.Number(), Content(text)};
      if (line.text.empty()) continue;
      if (std::exchange(first, false) && IsKeyword(line.text, "[Version]")) {
        ReadVersion(line);
      } else if (line.text.front() == '#') {
        ReadOptions(line);
      } else if (version2_ && line.text.front() == '[') {
        if (!ReadKeyword(line)) break;
      } else if (inData_ && !ReadRows(line)) {
        break;
      }
    }
    if (rowValues_ != 0 && rowValues_ != valuesPerRow_) {
      SweepLine{points_.File(), rowLine_, {}}.Fail(
          "unfinished row: " + std::to_string(rowValues_) + " of its " + RowShape());
    }
  }

 private:
  void ReadVersion(const SweepLine& line) {
    const NumberRead version = ReadNumber(KeywordArgument(line.text));
    if (!version.ok() || version.value != 2.0) {
      line.Fail("expected [Version] 2.0, found " + QuotedExcerpt(KeywordArgument(line.text)));
    }
    version2_ = true;
    inData_ = false;
    ports_ = 0;
  }

  // Only the first option line counts, and only before the data.
  void ReadOptions(const SweepLine& line) {
    if (std::exchange(optionsFixed_, true)) return;
    std::string_view rest = line.text.substr(1);
    for (Field token; NextField(rest, token);) {
      const auto is = [&](std::string_view name) { return EqualsIgnoringCase(token.text, name); };
      if (is("Hz") || is("kHz") || is("MHz") || is("GHz")) {
        hertzPerUnit_ = is("Hz") ? 1.0 : is("kHz") ? 1e3 : is("MHz") ? 1e6 : 1e9;
      } else if (is("DB") || is("MA") || is("RI")) {
        format_ = is("DB") ? Format::kDecibelAngle
                  : is("MA") ? Format::kMagnitudeAngle
                             : Format::kRealImaginary;
      } else if (is("Y") || is("Z") || is("H") || is("G")) {
        line.Fail("only S parameters are read");
      } else if (is("R")) {
        if (!NextField(rest, token)) line.Fail("expected the reference resistance after R");
        line.Number(token.number, token.text, "reference resistance");
      } else if (!is("S")) {
        line.Fail("unknown option " + QuotedExcerpt(token.text));
      }
    }
  }

  // A keyword of a version-2 file; false when it ends the network data.
  bool ReadKeyword(const SweepLine& line) {
    const std::string_view argument = KeywordArgument(line.text);
    if (IsKeyword(line.text, "[Number of Ports]")) {
      const double ports = line.Number(argument, "[Number of Ports]");
      if (ports != 1.0 && ports != 2.0) line.Fail(kOnlyOneOrTwoPorts);
      ports_ = static_cast<int>(ports);
    } else if (IsKeyword(line.text, "[Two-Port Data Order]")) {
      if (argument != "12_21" && argument != "21_12") {
        line.Fail("expected [Two-Port Data Order] 12_21 or 21_12, found " +
                  QuotedExcerpt(argument));
      }
      order12_21_ = argument == "12_21";
    } else if (IsKeyword(line.text, "[Network Data]")) {
      if (ports_ == 0) line.Fail("[Number of Ports] must come before [Network Data]");
      if (ports_ == 2 && !order12_21_.has_value()) {
        line.Fail("[Two-Port Data Order] must come before [Network Data] of a 2-port file");
      }
      inData_ = true;
    } else if (IsKeyword(line.text, "[Noise Data]") || IsKeyword(line.text, "[End]")) {
      return false;
    }
    return true;
  }

  // The values of a data line; false at the first row of the noise parameters.
  bool ReadRows(const SweepLine& line) {
    if (valuesPerRow_ == 0) StartData(line);
    if (rowValues_ == valuesPerRow_) rowValues_ = 0;
    std::string_view rest = line.text;
    for (Field field; NextField(rest, field);) {
      if (rowValues_ == valuesPerRow_) {
        line.Fail("the row begun on line " + std::to_string(rowLine_) + " has more than " +
                  RowShape());
      }
      if (rowValues_ == 0) {
        if (!StartRow(line, field)) return false;
      } else {
        ReadValue(line, field);
      }
      if (++rowValues_ == valuesPerRow_) {
        points_.Add(RowPoint(), rowLine_);
        previousFrequency_ = rowFrequency_;
        previousLine_ = rowLine_;
      }
    }
    return true;
  }

  // Fixes the row layout when the first data line comes.
  void StartData(const SweepLine& line) {
    optionsFixed_ = true;
    if (ports_ != 1 && ports_ != 2) line.Fail(kOnlyOneOrTwoPorts);
    valuesPerRow_ = 1 + 2 * ports_ * ports_;
    const bool order12_21 = order12_21_.value_or(false);
    usedPair_ = ports_ == 1 ? 0 : order12_21 ? 2 : 1;
    pairNames_ = order12_21 ? kPairs12_21 : kPairs21_12;
  }

  // Reads a row's frequency; false when it starts the noise parameters.
  bool StartRow(const SweepLine& line, const Field& field) {
    const bool first = previousLine_ == 0;
    const double number = first ? line.Frequency(field.number, field.text)
                                : line.Number(field.number, field.text, "frequency");
    const double frequency = number * hertzPerUnit_;
    if (!first && !(frequency > previousFrequency_)) {
      if (!version2_ && ports_ == 2) return false;
      line.Fail("frequency " + FormatShortest(frequency) + " Hz follows " +
                FormatShortest(previousFrequency_) + " Hz on line " +
                std::to_string(previousLine_) + "; frequencies must increase");
    }
    rowFrequency_ = frequency;
    rowLine_ = line.number;
    return true;
  }

  void ReadValue(const SweepLine& line, const Field& field) {
    const int pair = (rowValues_ - 1) / 2;
    const bool magnitude = rowValues_ % 2 == 1;
    const double value = line.Number(field.number, field.text, pairNames_[pair]);
    if (magnitude && format_ == Format::kMagnitudeAngle && value < 0.0) {
      line.Fail(std::string(pairNames_[pair]) + " magnitude is negative: " +
                QuotedExcerpt(field.text));
    }
    if (pair != usedPair_) return;
    if (magnitude && format_ == Format::kDecibelAngle) {
      first_ = line.DecibelRatio(value, field.text, pairNames_[pair]);  // a ratio from here on
    } else {
      (magnitude ? first_ : second_) = value;
    }
  }

  Sweep::Point RowPoint() const {
    switch (format_) {
      case Format::kDecibelAngle:  // first_ holds the ratio already
      case Format::kMagnitudeAngle:
        return PolarPoint(rowFrequency_, first_, second_);
      case Format::kRealImaginary:
        break;
    }
    return CartesianPoint(rowFrequency_, first_, second_);
  }

  // "9 values (the frequency and 8 for 2 ports)".
  std::string RowShape() const {
    return std::to_string(valuesPerRow_) + " values (the frequency and " +
           std::to_string(valuesPerRow_ - 1) + " for " + std::to_string(ports_) +
           (ports_ == 1 ? " port)" : " ports)");
  }

  SweepBuilder& points_;
  int ports_;  // 0 until known
  bool version2_ = false;
  bool inData_ = true;  // a version-2 file's data starts at [Network Data]
  std::optional<bool> order12_21_;  // a version-1 file has 21_12
  bool optionsFixed_ = false;
  double hertzPerUnit_ = 1e9;
  Format format_ = Format::kMagnitudeAngle;

  int valuesPerRow_ = 0;  // 0 until the data starts
  int usedPair_ = 0;
  std::array<std::string_view, 4> pairNames_{};

  int rowValues_ = 0;  // of the row being read
  int rowLine_ = 0;
  double rowFrequency_ = 0.0;
  double first_ = 0.0;  // the two values of the pair read (a dB magnitude as its ratio)
  double second_ = 0.0;
  double previousFrequency_ = 0.0;
  int previousLine_ = 0;  // 0 before the first whole row
};

}  // namespace

std::optional<bool> IsTouchstoneFile(std::string_view file, TextLines lines) {
  if (PortsOfName(file)) return true;
  for (std::string_view line; lines.Next(line);) {
    const std::string_view content = Content(line);
    if (!content.empty()) return IsKeyword(content, "[Version]");
  }
  return std::nullopt;
}

void ReadTouchstoneSweep(TextLines& lines, SweepBuilder& points) {
  TouchstoneReader(points).Read(lines);
}

}  // namespace orlo::host
