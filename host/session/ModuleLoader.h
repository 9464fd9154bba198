// CModuleLoader: loads the analysis module (libORLOAnalyzer.so) into the host process and
// unloads it again.
//
// Loading runs the module's load hook, which creates the analyzer manager; the host's main
// dialog must therefore answer "ORLO_GetMainDialog" before Load. Unload (or destruction)
// closes the library, whose unload hook deletes the manager and its analyzers. One
// library at a time.
#pragma once

#include <string>

namespace orlo::host {

class CModuleLoader {
 public:
  CModuleLoader() = default;
  CModuleLoader(const CModuleLoader&) = delete;
  CModuleLoader& operator=(const CModuleLoader&) = delete;
  ~CModuleLoader() { Unload(); }

  // $ORLO_MODULE_PATH when set (the path of the library file), else libORLOAnalyzer.so
  // in the directory of the running executable (a build folder), else in ../lib/orlo
  // from it (the installed layout: bin/orlo, lib/orlo/).
  static std::string DefaultModulePath();

  // Loads the library at `path`. On failure answers false and sets `error` to a message
  // naming the path and the reason.
  bool Load(const std::string& path, std::string& error);
  bool IsLoaded() const { return handle_ != nullptr; }
  // The address of the function the library exports as `name`, or null (nothing loaded,
  // or no such export).
  void* FindFunction(const char* name) const;
  void Unload();

 private:
  void* handle_ = nullptr;
};

}  // namespace orlo::host
