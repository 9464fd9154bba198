#include "host/screen/MeasurementSet.h"

#include "host/screen/SetManifest.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

namespace orlo::host {

namespace fs = std::filesystem;

namespace {

// The entries of `folder`: its sweep files and its subfolders, each in name order.
void ReadFolder(const fs::path& folder, std::vector<fs::path>& files,
                std::vector<fs::path>& folders) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    const fs::path& path = entries->path();
    std::error_code ignored;
    if (entries->is_directory(ignored)) {
      folders.push_back(path);
    } else if (IsSweepFileName(path.filename().string()) && entries->is_regular_file(ignored)) {
      files.push_back(path);
    }
  }
  if (error) throw SetListError("cannot read the folder '" + folder.string() + "': " + error.message());
  std::sort(files.begin(), files.end());
  std::sort(folders.begin(), folders.end());
}

void CollectSets(const fs::path& root, const fs::path& folder, std::vector<MeasurementSet>& sets) {
  std::vector<fs::path> files;
  std::vector<fs::path> folders;
  ReadFolder(folder, files, folders);
  if (!files.empty()) {
    MeasurementSet set;
    set.name = folder.lexically_relative(root).string();
    for (const fs::path& file : files) set.files.push_back(file.string());
    sets.push_back(std::move(set));
  }
  for (const fs::path& below : folders) CollectSets(root, below, sets);
}

}  // namespace

bool IsSweepFileName(const std::string& name) {
  static constexpr std::array<std::string_view, 6> kExtensions = {".csv", ".txt", ".tsv",
                                                                  ".dat", ".s1p", ".s2p"};
  std::string extension = fs::path(name).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::find(kExtensions.begin(), kExtensions.end(), extension) != kExtensions.end();
}

std::vector<MeasurementSet> ListMeasurementSets(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) {
    throw SetListError("cannot read '" + path + "': no such file or folder");
  }
  if (!fs::is_directory(status)) return ReadSetManifest(path);
  std::vector<MeasurementSet> sets;
  CollectSets(path, path, sets);
  if (sets.empty()) throw SetListError("no sweep files in or below the folder '" + path + "'");
  return sets;
}

}  // namespace orlo::host
