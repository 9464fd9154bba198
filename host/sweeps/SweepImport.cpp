#include "host/sweeps/SweepImport.h"

#include "host/sweeps/DelimitedImporter.h"
#include "host/sweeps/InputFile.h"
#include "host/sweeps/LtspiceImporter.h"
#include "host/sweeps/SweepFileError.h"
#include "host/sweeps/TextLines.h"
#include "host/sweeps/TouchstoneImporter.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <filesystem>
#include <optional>
#include <thread>

namespace orlo::host {

namespace {

// The format SweepFormatOf picks for a text that starts with the whole lines `start`, or
// nothing while they cannot tell and `more` text follows.
std::optional<std::string_view> FormatOfStart(std::string_view start, std::string_view file,
                                              bool more) {
  const std::optional<bool> touchstone = IsTouchstoneFile(file, TextLines(start));
  if (touchstone.value_or(false)) return kTouchstoneFormat;
  if (!touchstone && more) return std::nullopt;
  std::string_view first;
  return TextLines(start).Next(first) && first.starts_with("Freq.") ? kLtspiceFormat
                                                                    : kDelimitedFormat;
}

// Reads the lines of `lines`, `lineCount` lines in `format`, into the sweep of `file`.
Sweep ReadSweep(TextLines& lines, std::string_view format, size_t lineCount,
                const std::string& file) {
  SweepBuilder points(file);
  points.Reserve(lineCount);
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

// Imports a file that can be read twice, holding no more than a piece of its text at once:
// the first pass checks the encoding, picks the format and counts the lines, the second
// reads the points. What goes wrong is reported as for the whole text (a read error
// before an encoding problem, that before the rest).
Sweep ImportFilePieces(const std::string& file) {
  InputFilePieces pieces(file);
  std::optional<std::string> problem;
  std::string start;  // the first pieces, until they tell the format
  std::optional<std::string_view> format;
  size_t lineCount = 0;
  bool atStart = true;
  for (std::string_view piece; !(piece = pieces.Next()).empty(); atStart = false) {
    if (!problem) problem = WideEncodingProblem(piece, atStart);
    if (!format) format = FormatOfStart(start.append(piece), file, true);
    lineCount += TextLines(piece).CountLeft();
  }
  if (problem) throw SweepFileError(file, 0, *problem);
  if (!format) format = FormatOfStart(start, file, false);
  pieces.Rewind();
  TextLines lines(pieces);
  return ReadSweep(lines, *format, lineCount, file);
}

}  // namespace

Sweep ImportSweepFile(const std::string& file) {
  try {
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) return ImportFilePieces(file);
    return ImportSweepText(ReadInputFile(file), file);  // a pipe, say, is read once, whole
  } catch (const InputFileError& error) {
    throw SweepFileError(file, 0, error.what());
  }
}

std::string_view SweepFormatOf(std::string_view text, std::string_view file) {
  return *FormatOfStart(text, file, false);
}

Sweep ImportSweepText(std::string_view text, const std::string& file) {
  if (const auto problem = WideEncodingProblem(text)) throw SweepFileError(file, 0, *problem);
  TextLines lines(text);
  return ReadSweep(lines, SweepFormatOf(text, file), lines.CountLeft(), file);
}

std::vector<Sweep> ImportSweepFiles(const std::vector<std::string>& files) {
  // Each thread takes the next file not yet taken; a file after one that failed (in
  // command-line order) is not needed any more. The error reported is the first file's.
  std::vector<std::optional<Sweep>> imported(files.size());
  std::vector<std::exception_ptr> errors(files.size());
  std::atomic<size_t> next = 0;
  std::atomic<size_t> firstFailed = files.size();
  const auto importFiles = [&] {
    for (size_t i; (i = next++) < files.size();) {
      if (i > firstFailed) continue;
      try {
        imported[i] = ImportSweepFile(files[i]);
      } catch (...) {
        errors[i] = std::current_exception();
        for (size_t failed = firstFailed; i < failed && !firstFailed.compare_exchange_weak(failed, i);) {
        }
      }
    }
  };
  // Up to two files per core at once: with one per core, three files on two cores take
  // two files' time, as the last one is read alone; with all three at once the cores
  // share it. (Each file holds only a piece of its text while it is read.)
  const size_t cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t threads = std::min(files.size(), 2 * cores);
  {
    std::vector<std::jthread> helpers;
    for (size_t t = 1; t < threads; ++t) helpers.emplace_back(importFiles);
    importFiles();
  }
  std::vector<Sweep> sweeps;
  sweeps.reserve(files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    if (errors[i]) std::rethrow_exception(errors[i]);
    Sweep& sweep = *imported[i];
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
