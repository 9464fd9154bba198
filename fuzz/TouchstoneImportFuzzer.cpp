// Fuzz target: network-analyser Touchstone files, each input read as a 1-port and as a
// 2-port file (the name gives a version-1 file its port count).
#include "fuzz/SweepImportFuzzer.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  orlo::fuzz::CheckSweepImport(text, "fuzz.s1p");
  orlo::fuzz::CheckSweepImport(text, "fuzz.s2p");
  return 0;
}
