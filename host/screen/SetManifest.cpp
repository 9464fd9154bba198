#include "host/screen/SetManifest.h"

#include "host/sweeps/InputFile.h"
#include "host/sweeps/SweepLine.h"
#include "host/sweeps/TextLines.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <unordered_map>

namespace orlo::host {

namespace {

[[noreturn]] void Fail(const std::string& manifest, int line, const std::string& reason) {
  throw SetListError(manifest + (line > 0 ? ":" + std::to_string(line) : "") + ": " + reason);
}

// The fields of one line (RFC 4180 quoting, within the line).
std::vector<std::string> SplitFields(std::string_view line, const std::string& manifest,
                                     int number) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        fields.back() += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c == '"' && TrimBlanks(fields.back()).empty()) {
      fields.back().clear();
      quoted = true;
    } else {
      fields.back() += c;
    }
  }
  if (quoted) Fail(manifest, number, "a quoted field is not closed on its line");
  for (std::string& field : fields) field = std::string(TrimBlanks(field));
  return fields;
}

size_t ColumnOf(const std::vector<std::string>& header, const char* name,
                const std::string& manifest, int line) {
  const auto found = std::find_if(header.begin(), header.end(), [&](const std::string& column) {
    return std::equal(column.begin(), column.end(), name, name + std::char_traits<char>::length(name),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
  });
  if (found == header.end()) {
    Fail(manifest, line, std::string("the header has no column '") + name +
                             "' (a manifest starts with a header such as \"set,file\")");
  }
  return static_cast<size_t>(found - header.begin());
}

}  // namespace

std::vector<MeasurementSet> ReadSetManifest(const std::string& manifest) {
  std::string text;
  try {
    text = ReadInputFile(manifest);
  } catch (const InputFileError& error) {
    Fail(manifest, 0, error.what());
  }
  return ParseSetManifest(text, manifest);
}

std::vector<MeasurementSet> ParseSetManifest(std::string_view text, const std::string& manifest) {
  const std::filesystem::path folder = std::filesystem::path(manifest).parent_path();
  TextLines lines(text);
  std::string_view line;
  std::vector<std::string> header;
  while (header.empty() && lines.Next(line)) {
    if (!TrimBlanks(line).empty()) header = SplitFields(line, manifest, lines.Number());
  }
  if (header.empty()) Fail(manifest, 0, "the manifest is empty (it needs a header \"set,file\")");
  const size_t setColumn = ColumnOf(header, "set", manifest, lines.Number());
  const size_t fileColumn = ColumnOf(header, "file", manifest, lines.Number());

  std::vector<MeasurementSet> sets;
  std::unordered_map<std::string, size_t> setIndex;
  while (lines.Next(line)) {
    if (TrimBlanks(line).empty()) continue;
    const std::vector<std::string> fields = SplitFields(line, manifest, lines.Number());
    if (fields.size() != header.size()) {
      Fail(manifest, lines.Number(), std::to_string(fields.size()) + " fields where the header has " +
                                         std::to_string(header.size()));
    }
    const std::string& name = fields[setColumn];
    const std::string& file = fields[fileColumn];
    if (name.empty() || file.empty()) Fail(manifest, lines.Number(), "the set or the file is empty");
    const auto [found, added] = setIndex.try_emplace(name, sets.size());
    if (added) {
      sets.push_back({name, {}, {}});
      for (size_t column = 0; column < header.size(); ++column) {
        if (column != setColumn && column != fileColumn) {
          sets.back().columns.emplace_back(header[column], fields[column]);
        }
      }
    }
    const std::filesystem::path path(file);
    sets[found->second].files.push_back(path.is_absolute() ? file : (folder / path).string());
  }
  if (sets.empty()) Fail(manifest, 0, "the manifest lists no set");
  return sets;
}

}  // namespace orlo::host
