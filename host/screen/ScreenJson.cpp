#include "host/screen/ScreenOutputs.h"

#include <ostream>

namespace orlo::host {

// Written piece by piece, as json::Write writes the whole document.
void WriteScreenJson(const ScreenResults& results, std::ostream& out) {
  json::Value analyzers = json::Value::MakeArray();
  for (const ScreenAnalyzer& analyzer : results.analyzers) {
    json::Value entry = json::Value::MakeObject();
    entry.Set("index", json::Value::Integer(static_cast<std::int64_t>(analyzer.index)));
    entry.Set("name", json::Value::String(analyzer.name));
    entry.Set("guid", json::Value::String(analyzer.guid));
    analyzers.Append(std::move(entry));
  }
  out << "{\n  \"format\": \"orlo-screen/1\",\n  \"analyzers\": " << json::Write(analyzers, 2, 1)
      << ",\n  \"sets\": [";
  for (size_t position = 0; position < results.count; ++position) {
    out << (position == 0 ? "\n    " : ",\n    ") << json::Write(results.entry(position), 2, 2);
  }
  out << (results.count == 0 ? "]" : "\n  ]") << "\n}\n";
}

}  // namespace orlo::host
