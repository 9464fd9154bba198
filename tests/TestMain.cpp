// The main function of every test program. The tests run with HOME, XDG_CONFIG_HOME and
// ORLO_APPDATA in a scratch folder made for this run and removed after it, so no test
// reads or changes the settings of whoever runs it, and every run starts as on a machine
// that never saw the program: an empty home, no settings file. Programs the tests start
// (the built `orlo`) inherit the same folder.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "tests/host/ScratchDirectory.h"

int main(int argc, char** argv) {
  const orlo::host::testing::ScratchDirectory home;
  const std::string config = home.Path(".config");
  ::setenv("HOME", home.Root().c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  ::setenv("ORLO_APPDATA", (config + "/orlo").c_str(), 1);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
