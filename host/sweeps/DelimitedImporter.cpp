#include "host/sweeps/DelimitedImporter.h"

#include "host/sweeps/NumberText.h"
#include "host/sweeps/SweepLine.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <cctype>
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

std::vector<std::string_view> SplitFields(std::string_view line, char delimiter) {
  std::vector<std::string_view> fields;
  if (delimiter == '\0') {
    for (size_t start = line.find_first_not_of(" \t"); start != std::string_view::npos;) {
      const size_t end = std::min(line.find_first_of(" \t", start), line.size());
      fields.push_back(line.substr(start, end - start));
      start = line.find_first_not_of(" \t", end);
    }
    return fields;
  }
  for (size_t start = 0;;) {
    const size_t end = line.find(delimiter, start);
    fields.push_back(TrimBlanks(line.substr(start, end - start)));
    if (end == std::string_view::npos) return fields;
    start = end + 1;
  }
}

bool SaysLinear(std::string_view header) {
  std::string lower(header);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower.find("ratio") != std::string::npos || lower.find("linear") != std::string::npos;
}

bool IsSkipped(std::string_view line) {
  const std::string_view text = TrimBlanks(line);
  return text.empty() || text.front() == '#';
}

}  // namespace

std::vector<ImportedPoint> ReadDelimitedSweep(const std::vector<std::string>& lines,
                                              const std::string& file) {
  std::vector<ImportedPoint> points;
  std::optional<char> delimiter;
  bool magnitudeIsRatio = false;
  size_t fieldCount = 0;
  int fieldCountLine = 0;
  for (size_t index = 0; index < lines.size(); ++index) {
    if (IsSkipped(lines[index])) continue;
    const SweepLine line{file, static_cast<int>(index + 1), lines[index]};
    const bool firstLine = !delimiter;
    if (firstLine) delimiter = DetectDelimiter(line.text);
    const bool decimalComma = *delimiter == ';';
    const std::vector<std::string_view> fields = SplitFields(line.text, *delimiter);
    const bool header = firstLine && ReadFieldNumber(fields[0], decimalComma).fault ==
                                         NumberFault::kNotANumber;
    if (header) {
      magnitudeIsRatio = fields.size() > 1 && SaysLinear(fields[1]);
      continue;
    }
    if (fieldCount == 0) {
      if (fields.size() < 2 || fields.size() > 3) {
        line.Fail("expected 2 or 3 fields (frequency, magnitude, optional phase), found " +
                  std::to_string(fields.size()));
      }
      fieldCount = fields.size();
      fieldCountLine = line.number;
    } else if (fields.size() != fieldCount) {
      line.Fail("expected " + std::to_string(fieldCount) + " fields like line " +
                std::to_string(fieldCountLine) + ", found " + std::to_string(fields.size()));
    }
    const double frequency = line.Frequency(fields[0], decimalComma);
    const double magnitude = line.Number(fields[1], "magnitude", decimalComma);
    const double phase = fieldCount == 3 ? line.Number(fields[2], "phase", decimalComma) : 0.0;
    if (magnitudeIsRatio && magnitude < 0.0) {
      line.Fail("magnitude ratio is negative: " + QuotedExcerpt(fields[1]));
    }
    const double ratio = magnitudeIsRatio ? magnitude : DecibelToRatio(magnitude);
    points.push_back({PolarPoint(frequency, ratio, phase), line.number});
  }
  return points;
}

}  // namespace orlo::host
