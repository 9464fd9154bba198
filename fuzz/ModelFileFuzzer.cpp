// Fuzz target: model files (--model-file). Any text is either refused with ParseError or
// ModelFileError, or read; a document that parses also writes back to text that parses to
// an equal document.
#include "host/graph/GraphModels.h"
#include "host/output/Json.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orlo::host;
  json::Value document;
  try {
    document = json::Parse({reinterpret_cast<const char*>(data), size});
  } catch (const json::ParseError&) {
    return 0;
  }
  if (!(json::Parse(json::Write(document, 0)) == document)) std::abort();
  try {
    ParseModels(document);
  } catch (const ModelFileError&) {
  }
  return 0;
}
