// CSweepFolder: the folder `orlo serve` offers sweep files from, and the only place it
// reads files.
//
// List walks the folder and its subfolders (not into symbolic links to folders, not into
// hidden entries, at most kMaxListed files) and imports every file whose extension is a
// sweep file's (.csv .txt .tsv .dat .s1p .s2p, any case): each entry has its path relative
// to the folder ('/'-separated), and either the sweep's name, format and point count, or
// the import error ("file:line: reason", with the relative path as the file). Entries are
// sorted by path.
//
// Resolve turns a path the page sent into the file it names, or nullopt: an empty or
// absolute path, one with a "." or ".." part, a name that is not valid UTF-8 or holds a
// NUL, and one that leads out of the folder once symbolic links are followed, or to
// something other than a regular file, are refused.
#pragma once

#include "host/sweeps/Sweep.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlo::host {

struct FolderEntry {
  std::string path;  // relative to the folder
  std::string name;
  std::string format;
  size_t points = 0;
  std::string error;  // empty when the file imports
};

class CSweepFolder {
 public:
  static constexpr size_t kMaxListed = 1000;

  // `folder` must exist; it is kept as its canonical path.
  explicit CSweepFolder(const std::filesystem::path& folder);

  std::vector<FolderEntry> List() const;
  std::optional<std::filesystem::path> Resolve(std::string_view relative) const;
  // Imports the file `relative` names (Resolve), with that path as the sweep's file.
  // Throws SweepFileError, also for a path Resolve refuses.
  Sweep Import(std::string_view relative) const;

 private:
  // The text of the file `relative` names. Throws SweepFileError as Import does.
  std::string Read(std::string_view relative) const;

  std::filesystem::path root_;
};

}  // namespace orlo::host
