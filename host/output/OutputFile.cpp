#include "host/output/OutputFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace orlo::host {

bool WriteOutputFile(const std::string& file, std::string_view content, std::string& error) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (out) {
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
  }
  if (!out) {
    error = "cannot write '" + file + "': " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace orlo::host
