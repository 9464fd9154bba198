// SettingsFolder: a fresh application-data folder ($ORLO_APPDATA) for one test, with the
// message-box record cleared; both are put back when the object goes away. The folder is
// made on /dev/shm when the machine has it: every settings save is flushed to the disk,
// which a memory file system does at no cost.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/win/MessageBox.h"

namespace orlo::test {

class SettingsFolder {
 public:
  SettingsFolder() {
    const std::filesystem::path shm = "/dev/shm";
    std::error_code error;
    const bool fast = std::filesystem::is_directory(shm, error) && ::access(shm.c_str(), W_OK) == 0;
    std::string pattern =
        ((fast ? shm : std::filesystem::temp_directory_path()) / "orlo-settings-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    if (const char* old = ::getenv("ORLO_APPDATA")) saved_ = old;
    ::setenv("ORLO_APPDATA", pattern.c_str(), 1);
    orlo::win::ClearMessageBoxes();
  }
  SettingsFolder(const SettingsFolder&) = delete;
  SettingsFolder& operator=(const SettingsFolder&) = delete;
  ~SettingsFolder() {
    if (saved_) {
      ::setenv("ORLO_APPDATA", saved_->c_str(), 1);
    } else {
      ::unsetenv("ORLO_APPDATA");
    }
    orlo::win::ClearMessageBoxes();
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::string Path(const std::string& name = "Analyzer.xml") const { return (path_ / name).string(); }
  bool Exists(const std::string& name = "Analyzer.xml") const {
    return std::filesystem::exists(path_ / name);
  }
  void Write(const std::string& bytes, const std::string& name = "Analyzer.xml") const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name = "Analyzer.xml") const {
    std::ifstream in(Path(name), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

 private:
  std::filesystem::path path_;
  std::optional<std::string> saved_;
};

}  // namespace orlo::test
