#include "host/sweeps/LtspiceImporter.h"

#include "host/sweeps/PointValues.h"
#include "host/sweeps/SweepLine.h"
#include "platform/common/Utf8.h"

#include <cmath>

namespace orlo::host {

namespace {

constexpr std::string_view kStepHeader = "Step Information:";
constexpr std::string_view kDegreeUtf8 = "\xC2\xB0";
constexpr std::string_view kDegreeLatin1 = "\xB0";

// Walks through the first trace value of a data line, failing with the value's text.
class TraceReader {
 public:
  TraceReader(const SweepLine& line, std::string_view value, char delimiter)
      : line_(line), value_(value), rest_(value), delimiter_(delimiter) {}

  Sweep::Point Read(double frequency) {
    const bool quoted = Skip("\"");
    Sweep::Point point;
    if (Skip("(")) {
      const std::string_view magnitude = rest_;
      const double decibels = Number("magnitude", "the magnitude after '('");
      const double ratio = line_.DecibelRatio(
          decibels, magnitude.substr(0, magnitude.size() - rest_.size()), "magnitude");
      Expect("dB", "\"dB\" after the magnitude");
      Expect(",", "',' after the magnitude");
      const double phase = Number("phase", "the phase after ','");
      if (!Skip(kDegreeUtf8) && !Skip(kDegreeLatin1)) Fail("a degree sign after the phase");
      Expect(")", "')' after the phase");
      point = PolarPoint(frequency, ratio, phase);
    } else {
      const double real =
          Number("real part", "a value \"(<magnitude>dB,<phase>°)\" or \"<real>,<imaginary>\"");
      Expect(",", "',' after the real part");
      point = CartesianPoint(frequency, real, Number("imaginary part", "the imaginary part"));
    }
    if (quoted) Expect("\"", "a closing '\"'");
    if (!rest_.empty() && rest_.front() != delimiter_) Fail("the end of the value");
    return point;
  }

 private:
  bool Skip(std::string_view token) {
    if (!rest_.starts_with(token)) return false;
    rest_.remove_prefix(token.size());
    return true;
  }

  void Expect(std::string_view token, const char* description) {
    if (!Skip(token)) Fail(description);
  }

  double Number(const char* what, const char* expected) {
    const NumberRead number = ReadNumberPrefix(rest_);
    if (number.fault == NumberFault::kNotANumber) Fail(expected);
    if (number.fault == NumberFault::kOutOfRange) {
      line_.Fail(std::string(what) + " is out of the double range in " + Quoted());
    }
    if (!std::isfinite(number.value)) {
      line_.Fail(std::string(what) + " is not a finite number in " + Quoted());
    }
    rest_.remove_prefix(number.length);
    return number.value;
  }

  [[noreturn]] void Fail(const std::string& expected) const {
    line_.Fail("expected " + expected + " in " + Quoted());
  }

  // The value as the file has it, in double quotes unless it already starts with one.
  std::string Quoted() const {
    return value_.starts_with('"') ? '"' + PrintableExcerpt(value_.substr(1))
                                   : QuotedExcerpt(value_);
  }

  const SweepLine& line_;
  std::string_view value_;
  std::string_view rest_;
  char delimiter_;
};

}  // namespace

void ReadLtspiceSweep(TextLines& lines, SweepBuilder& points) {
  std::string_view header;
  lines.Next(header);
  const char delimiter = header.find('\t') != std::string_view::npos ? '\t' : ',';
  const size_t headerEnd = header.find(delimiter);
  if (headerEnd == std::string_view::npos || TrimBlanks(header.substr(headerEnd + 1)).empty()) {
    SweepLine{points.File(), 1, header}.Fail("no trace named after \"Freq.\"");
  }
  bool anyPoint = false;
  for (std::string_view text; lines.Next(text);) {
    const SweepLine line{points.File(), lines.Number(), text};
    if (TrimBlanks(line.text).empty()) continue;
    if (line.text.starts_with(kStepHeader)) {
      if (!anyPoint) continue;
      break;
    }
    const size_t split = line.text.find(delimiter);
    if (split == std::string_view::npos) line.Fail("expected a frequency and a trace value");
    const double frequency = line.Frequency(TrimBlanks(line.text.substr(0, split)));
    const std::string_view value = TrimBlanks(line.text.substr(split + 1));
    points.Add(TraceReader(line, value, delimiter).Read(frequency), line.number);
    anyPoint = true;
  }
}

}  // namespace orlo::host
