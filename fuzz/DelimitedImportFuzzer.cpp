// Fuzz target: sweep files in the generic delimited format.
#include "fuzz/SweepImportFuzzer.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orlo::fuzz::CheckSweepImport({reinterpret_cast<const char*>(data), size});
  return 0;
}
