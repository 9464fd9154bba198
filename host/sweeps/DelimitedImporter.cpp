#include "host/sweeps/DelimitedImporter.h"

#include "host/sweeps/NumberText.h"
#include "host/sweeps/PointValues.h"
#include "host/sweeps/SweepLine.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <array>
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

// The fields of a line: the first three and how many there are.
struct Fields {
  std::array<std::string_view, 3> first;
  size_t count = 0;

  void Add(std::string_view field) {
    if (count < first.size()) first[count] = field;
    ++count;
  }
};

Fields SplitFields(std::string_view line, char delimiter) {
  Fields fields;
  if (delimiter == '\0') {
    for (size_t start = line.find_first_not_of(" \t"); start != std::string_view::npos;) {
      const size_t end = std::min(line.find_first_of(" \t", start), line.size());
      fields.Add(line.substr(start, end - start));
      start = line.find_first_not_of(" \t", end);
    }
    return fields;
  }
  // Fields are short: a plain scan beats a search call per field.
  size_t start = 0;
  for (size_t at = 0; at < line.size(); ++at) {
    if (line[at] != delimiter) continue;
    fields.Add(TrimBlanks(line.substr(start, at - start)));
    start = at + 1;
  }
  fields.Add(TrimBlanks(line.substr(start)));
  return fields;
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

void ReadDelimitedSweep(TextLines& lines, SweepBuilder& points) {
  std::optional<char> delimiter;
  bool magnitudeIsRatio = false;
  size_t fieldCount = 0;
  int fieldCountLine = 0;
  for (std::string_view text; lines.Next(text);) {
    if (IsSkipped(text)) continue;
    const SweepLine line{points.File(), lines.Number(), text};
    const bool firstLine = !delimiter;
    if (firstLine) delimiter = DetectDelimiter(line.text);
    const bool decimalComma = *delimiter == ';';
    const Fields fields = SplitFields(line.text, *delimiter);
    const bool header = firstLine && ReadFieldNumber(fields.first[0], decimalComma).fault ==
                                         NumberFault::kNotANumber;
    if (header) {
      magnitudeIsRatio = fields.count > 1 && SaysLinear(fields.first[1]);
      continue;
    }
    if (fieldCount == 0) {
      if (fields.count < 2 || fields.count > 3) {
        line.Fail("expected 2 or 3 fields (frequency, magnitude, optional phase), found " +
                  std::to_string(fields.count));
      }
      fieldCount = fields.count;
      fieldCountLine = line.number;
    } else if (fields.count != fieldCount) {
      line.Fail("expected " + std::to_string(fieldCount) + " fields like line " +
                std::to_string(fieldCountLine) + ", found " + std::to_string(fields.count));
    }
    const double frequency = line.Frequency(fields.first[0], decimalComma);
    const double magnitude = line.Number(fields.first[1], "magnitude", decimalComma);
    const double phase =
        fieldCount == 3 ? line.Number(fields.first[2], "phase", decimalComma) : 0.0;
    if (magnitudeIsRatio && magnitude < 0.0) {
      line.Fail("magnitude ratio is negative: " + QuotedExcerpt(fields.first[1]));
    }
    const double ratio = magnitudeIsRatio ? magnitude : DecibelToRatio(magnitude);
    points.Add(PolarPoint(frequency, ratio, phase), line.number);
  }
}

}  // namespace orlo::host
