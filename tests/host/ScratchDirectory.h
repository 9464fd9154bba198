// ScratchDirectory: a fresh directory for one test, under the system's temporary directory
// or a folder given; removed with everything in it when the object goes away. ReadFile: a
// file's bytes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace orlo::host::testing {

inline std::string ReadFile(const std::string& file) {
  std::ifstream stream(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

class ScratchDirectory {
 public:
  // Made in `base`, the system's temporary directory when empty.
  explicit ScratchDirectory(const std::filesystem::path& base = "") {
    std::string pattern =
        ((base.empty() ? std::filesystem::temp_directory_path() : base) / "orlo-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::string Root() const { return path_.string(); }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }

  // Writes `content` byte for byte to the file `name`; answers its path.
  std::string Write(const std::string& name, const std::string& content) const {
    const std::string file = Path(name);
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace orlo::host::testing
