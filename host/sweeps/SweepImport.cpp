#include "host/sweeps/SweepImport.h"

#include "host/sweeps/DelimitedImporter.h"
#include "host/sweeps/InputFile.h"
#include "host/sweeps/LtspiceImporter.h"
#include "host/sweeps/NumberText.h"
#include "host/sweeps/SweepFileError.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace orlo::host {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The text's lines without line ends ("\n" or "\r\n") and without a UTF-8 byte order mark.
std::vector<std::string> SplitLines(std::string_view text) {
  if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
  std::vector<std::string> lines;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

bool IsStoredInRange(const Sweep::Point& point) {
  return point.frequency > 0.0f && std::isfinite(point.frequency) &&
         std::all_of(std::begin(point.values), std::end(point.values),
                     [](float value) { return std::isfinite(value); });
}

std::string Hz(float frequency) { return FormatShortest(frequency) + " Hz"; }

// Checks the points and answers them in ascending order.
std::vector<Sweep::Point> OrderedPoints(const std::vector<ImportedPoint>& imported,
                                        const std::string& file, int lineCount) {
  if (imported.size() < 2) {
    throw SweepFileError(file, std::max(lineCount, 1),
                         "a sweep needs at least 2 points, found " +
                             std::to_string(imported.size()));
  }
  for (const ImportedPoint& point : imported) {
    if (!IsStoredInRange(point.point)) {
      throw SweepFileError(file, point.line, "a number is beyond single precision");
    }
  }
  const bool descending = imported[1].point.frequency < imported[0].point.frequency;
  for (size_t index = 1; index < imported.size(); ++index) {
    const ImportedPoint& previous = imported[index - 1];
    const ImportedPoint& current = imported[index];
    const float step = current.point.frequency - previous.point.frequency;
    if (step == 0.0f) {
      throw SweepFileError(file, current.line,
                           "frequency " + Hz(current.point.frequency) + " repeats line " +
                               std::to_string(previous.line));
    }
    if ((step < 0.0f) != descending) {
      throw SweepFileError(
          file, current.line,
          "frequency " + Hz(current.point.frequency) + " follows " +
              Hz(previous.point.frequency) + " on line " + std::to_string(previous.line) +
              "; points must be wholly ascending or wholly descending");
    }
  }
  std::vector<Sweep::Point> points;
  points.reserve(imported.size());
  for (const ImportedPoint& point : imported) points.push_back(point.point);
  if (descending) std::reverse(points.begin(), points.end());
  return points;
}

}  // namespace

Sweep ImportSweepFile(const std::string& file) {
  std::string text;
  try {
    text = ReadInputFile(file);
  } catch (const InputFileError& error) {
    throw SweepFileError(file, 0, error.what());
  }
  return ImportSweepText(text, file);
}

Sweep ImportSweepText(std::string_view text, const std::string& file) {
  if (const auto problem = WideEncodingProblem(text)) throw SweepFileError(file, 0, *problem);
  const std::vector<std::string> lines = SplitLines(text);
  const bool ltspice = !lines.empty() && lines.front().starts_with("Freq.");
  const std::vector<ImportedPoint> imported =
      ltspice ? ReadLtspiceSweep(lines, file) : ReadDelimitedSweep(lines, file);
  Sweep sweep;
  sweep.name = ValidUtf8(std::filesystem::path(file).stem().string());
  sweep.file = ValidUtf8(file);
  sweep.points = OrderedPoints(imported, file, static_cast<int>(lines.size()));
  return sweep;
}

std::vector<Sweep> ImportSweepFiles(const std::vector<std::string>& files) {
  std::vector<Sweep> sweeps;
  for (const std::string& file : files) {
    Sweep sweep = ImportSweepFile(file);
    sweep.name = UniqueSweepName(sweep.name, sweeps);
    sweeps.push_back(std::move(sweep));
  }
  return sweeps;
}

std::string UniqueSweepName(const std::string& name, const std::vector<Sweep>& loaded) {
  const auto taken = [&](const std::string& candidate) {
    return std::any_of(loaded.begin(), loaded.end(),
                       [&](const Sweep& sweep) { return sweep.name == candidate; });
  };
  std::string candidate = name;
  for (int number = 2; taken(candidate); ++number) {
    candidate = name + " (" + std::to_string(number) + ")";
  }
  return candidate;
}

}  // namespace orlo::host
