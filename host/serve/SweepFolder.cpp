#include "host/serve/SweepFolder.h"

#include "host/sweeps/InputFile.h"
#include "host/sweeps/SweepFileError.h"
#include "host/sweeps/SweepImport.h"
#include "platform/common/Utf8.h"

#include <algorithm>
#include <array>

namespace orlo::host {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 6> kSweepExtensions = {".csv", ".txt", ".tsv",
                                                              ".dat", ".s1p", ".s2p"};

bool IsSweepFileName(const fs::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::find(kSweepExtensions.begin(), kSweepExtensions.end(), extension) !=
         kSweepExtensions.end();
}

bool IsHidden(const fs::path& entry) { return entry.filename().string().starts_with('.'); }

// Whether `inner` is `outer` or lies under it (both canonical).
bool Within(const fs::path& inner, const fs::path& outer) {
  const auto [end, _] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
  return end == outer.end();
}

}  // namespace

CSweepFolder::CSweepFolder(const fs::path& folder) : root_(fs::canonical(folder)) {}

std::vector<FolderEntry> CSweepFolder::List() const {
  std::vector<FolderEntry> entries;
  std::error_code error;
  fs::recursive_directory_iterator walk(root_, fs::directory_options::skip_permission_denied, error);
  for (; !error && walk != fs::recursive_directory_iterator() && entries.size() < kMaxListed;
       walk.increment(error)) {
    const fs::path& path = walk->path();
    if (IsHidden(path)) {
      if (walk->is_directory(error)) walk.disable_recursion_pending();
      continue;
    }
    if (!walk->is_regular_file(error) || !IsSweepFileName(path)) continue;
    const std::string relative = fs::relative(path, root_, error).generic_string();
    if (!Resolve(relative)) continue;  // a link that leads out, a name that is not UTF-8
    FolderEntry entry{relative, "", "", 0, ""};
    try {
      const std::string text = Read(relative);
      entry.format = SweepFormatOf(text, relative);
      const Sweep sweep = ImportSweepText(text, relative);
      entry.name = sweep.name;
      entry.points = sweep.points.size();
    } catch (const SweepFileError& failure) {
      entry.error = failure.what();
    }
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.path < b.path; });
  return entries;
}

std::optional<fs::path> CSweepFolder::Resolve(std::string_view relative) const {
  if (relative.empty() || relative.find('\0') != std::string_view::npos ||
      orlo::ValidUtf8(std::string(relative)) != relative) {
    return std::nullopt;
  }
  const fs::path path(relative);
  if (path.is_absolute() || path.has_root_name() || path.has_root_directory()) return std::nullopt;
  for (const fs::path& part : path) {
    if (part == "." || part == ".." || part.empty()) return std::nullopt;
  }
  std::error_code error;
  const fs::path target = fs::canonical(root_ / path, error);
  if (error || !Within(target, root_) || !fs::is_regular_file(target, error)) return std::nullopt;
  return target;
}

std::string CSweepFolder::Read(std::string_view relative) const {
  const std::string file(relative);
  const std::optional<fs::path> target = Resolve(relative);
  if (!target) throw SweepFileError(file, 0, "not a file of the folder");
  try {
    return ReadInputFile(target->string());
  } catch (const InputFileError& failure) {
    throw SweepFileError(file, 0, failure.what());
  }
}

Sweep CSweepFolder::Import(std::string_view relative) const {
  return ImportSweepText(Read(relative), std::string(relative));
}

}  // namespace orlo::host
