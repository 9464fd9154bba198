#include "host/sweeps/SweepImport.h"

#include "host/sweeps/DelimitedImporter.h"
#include "host/sweeps/InputFile.h"
#include "host/sweeps/LtspiceImporter.h"
#include "host/sweeps/SweepFileError.h"
#include "host/sweeps/TextLines.h"
#include "host/sweeps/TouchstoneImporter.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <filesystem>

namespace orlo::host {


Sweep ImportSweepFile(const std::string& file) {
  std::string text;
  try {
    text = ReadInputFile(file);
  } catch (const InputFileError& error) {
    throw SweepFileError(file, 0, error.what());
  }
  return ImportSweepText(text, file);
}

std::string_view SweepFormatOf(std::string_view text, std::string_view file) {
  std::string_view first;
  if (IsTouchstoneFile(file, TextLines(text))) return kTouchstoneFormat;
  return TextLines(text).Next(first) && first.starts_with("Freq.") ? kLtspiceFormat
                                                                   : kDelimitedFormat;
}

Sweep ImportSweepText(std::string_view text, const std::string& file) {
  if (const auto problem = WideEncodingProblem(text)) throw SweepFileError(file, 0, *problem);
  const std::string_view format = SweepFormatOf(text, file);
  TextLines lines(text);
  SweepBuilder points(file);
  points.Reserve(lines.CountLeft());
  if (format == kTouchstoneFormat) {
    ReadTouchstoneSweep(lines, points);
  } else if (format == kLtspiceFormat) {
    ReadLtspiceSweep(lines, points);
  } else {
    ReadDelimitedSweep(lines, points);
  }
  Sweep sweep;
  sweep.name = ValidUtf8(std::filesystem::path(file).stem().string());
  sweep.file = ValidUtf8(file);
  sweep.points = points.Finish(lines.Number());
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
