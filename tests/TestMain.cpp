// The main function of every test program. The tests run with HOME, XDG_CONFIG_HOME and
// ORLO_APPDATA in a scratch folder made for this run and removed after it, so no test
// reads or changes the settings of whoever runs it, and every run starts as on a machine
// that never saw the program: an empty home, no settings file. Programs the tests start
// (the built `orlo`) inherit the same folder.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

class ScratchHome {
 public:
  ScratchHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orlo-home-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::exit(1);
    }
    root_ = pattern;
    const std::filesystem::path config = root_ / ".config";
    ::setenv("HOME", root_.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("ORLO_APPDATA", (config / "orlo").c_str(), 1);
  }
  ScratchHome(const ScratchHome&) = delete;
  ScratchHome& operator=(const ScratchHome&) = delete;
  ~ScratchHome() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

 private:
  std::filesystem::path root_;
};

}  // namespace

int main(int argc, char** argv) {
  const ScratchHome home;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
