// SettingsFolder: a scratch folder that is the application-data folder ($ORLO_APPDATA) for
// one test, with the message-box record cleared; both are put back when the object goes
// away. It is made on /dev/shm when the machine has it: every settings save is flushed to
// the disk, which a memory file system does at no cost. Files are named relative to it, the
// settings file by default.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/win/MessageBox.h"
#include "tests/host/ScratchDirectory.h"

namespace orlo::test {

class SettingsFolder : public host::testing::ScratchDirectory {
 public:
  SettingsFolder() : ScratchDirectory(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "") {
    if (const char* old = ::getenv("ORLO_APPDATA")) saved_ = old;
    ::setenv("ORLO_APPDATA", Root().c_str(), 1);
    orlo::win::ClearMessageBoxes();
  }
  ~SettingsFolder() {
    saved_ ? ::setenv("ORLO_APPDATA", saved_->c_str(), 1) : ::unsetenv("ORLO_APPDATA");
    orlo::win::ClearMessageBoxes();
  }

  std::string Path(const std::string& name = "Analyzer.xml") const { return ScratchDirectory::Path(name); }
  bool Exists(const std::string& name = "Analyzer.xml") const { return std::filesystem::exists(Path(name)); }
  void Write(const std::string& bytes, const std::string& name = "Analyzer.xml") const {
    ScratchDirectory::Write(name, bytes);
  }
  std::string Read(const std::string& name = "Analyzer.xml") const { return host::testing::ReadFile(Path(name)); }

 private:
  std::optional<std::string> saved_;
};

}  // namespace orlo::test
