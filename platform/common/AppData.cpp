#include "platform/common/Services.h"

#include "platform/common/Utf8.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

// The variable's value, or the empty text when it is unset or empty.
std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

std::string HomeDirectory() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  const passwd* account = getpwuid(getuid());
  return account != nullptr && account->pw_dir != nullptr ? account->pw_dir : std::string();
}

std::filesystem::path AppDataPath() {
  const std::string explicitDir = Environment("ORLO_APPDATA");
  if (!explicitDir.empty()) return explicitDir;
  const std::filesystem::path configHome = Environment("XDG_CONFIG_HOME");
  if (configHome.is_absolute()) return configHome / "orlo";
  return std::filesystem::path(HomeDirectory()) / ".config" / "orlo";
}

}  // namespace

std::wstring GetOxAppDataDir() {
  std::string dir = AppDataPath().lexically_normal().string();
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  std::error_code ignored;  // a directory that cannot be made shows when the file is written
  std::filesystem::create_directories(dir, ignored);
  return orlo::Utf8ToWide(dir);
}
