#include "host/output/OutputFile.h"

#include "platform/common/FileAccess.h"

namespace orlo::host {

bool WriteOutputFile(const std::string& file, std::string_view content, std::string& error) {
  std::string reason;
  if (ReplaceFileAtomically(file, content, &reason)) return true;
  error = "cannot write '" + file + "': " + reason;
  return false;
}

}  // namespace orlo::host
