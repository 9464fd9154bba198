#include "host/session/SharedLibrary.h"

#include <dlfcn.h>

#include <filesystem>

namespace orlo::host {

namespace {

constexpr const char* kInstalledFolder = "../lib/orlo";  // from bin/, as CMake installs it

}  // namespace

std::string CSharedLibrary::BesideExecutable(const char* fileName) {
  std::error_code ignored;
  const std::filesystem::path folder =
      std::filesystem::read_symlink("/proc/self/exe", ignored).parent_path();
  const std::filesystem::path beside = folder / fileName;
  if (std::filesystem::exists(beside, ignored)) return beside.string();
  return (folder / kInstalledFolder / fileName).lexically_normal().string();
}

bool CSharedLibrary::Load(const std::string& path, std::string& error) {
  Unload();
  // A name without a directory would make the loader search its library path instead of
  // opening the file that was named.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  const std::string prefix = "cannot load " + what_ + " '" + path + "': ";
  std::error_code ignored;
  if (std::filesystem::is_directory(file, ignored)) {
    error = prefix + "is a directory";
    return false;
  }
  if (!std::filesystem::is_regular_file(file, ignored)) {
    error = prefix + "no such file";
    return false;
  }
  handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* reason = dlerror();
    error = prefix + (reason != nullptr ? reason : "unknown reason");
    return false;
  }
  return true;
}

void* CSharedLibrary::FindFunction(const char* name) const {
  return handle_ != nullptr ? dlsym(handle_, name) : nullptr;
}

void CSharedLibrary::Unload() {
  if (handle_ == nullptr) return;
  dlclose(handle_);
  handle_ = nullptr;
}

}  // namespace orlo::host
