// Fuzz target: LTspice AC-analysis exports (the input gets the "Freq." header start the
// import recognises them by, unless it has it).
#include "fuzz/SweepImportFuzzer.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  if (!text.starts_with("Freq.")) text.insert(0, "Freq.");
  orlo::fuzz::CheckSweepImport(text);
  return 0;
}
