// CSharedLibrary: one of the project's libraries that the host loads into its process at
// run time (the analysis module, libORLOAnalyzer.so; the HTTP server of `orlo serve`,
// libORLOServe.so), and unloads again.
//
// Loading runs the library's load hooks (the module's creates the analyzer manager, so the
// host's main dialog must answer "ORLO_GetMainDialog" before the module is loaded).
// Unload (or destruction) closes the library, which runs its unload hooks. One library per
// object at a time.
#pragma once

#include <string>
#include <utility>

namespace orlo::host {

class CSharedLibrary {
 public:
  // `what` names the library in messages ("the analysis module").
  explicit CSharedLibrary(std::string what) : what_(std::move(what)) {}
  CSharedLibrary(const CSharedLibrary&) = delete;
  CSharedLibrary& operator=(const CSharedLibrary&) = delete;
  ~CSharedLibrary() { Unload(); }

  // The library file `fileName` in the directory of the running executable (a build
  // folder), else in ../lib/orlo from it (the installed layout: bin/orlo, lib/orlo/).
  static std::string BesideExecutable(const char* fileName);

  // Loads the library at `path`. On failure answers false and sets `error` to a message
  // naming the library, the path and the reason.
  bool Load(const std::string& path, std::string& error);
  bool IsLoaded() const { return handle_ != nullptr; }
  // The address of the function the library exports as `name`, or null (nothing loaded,
  // or no such export).
  void* FindFunction(const char* name) const;
  void Unload();

 private:
  std::string what_;
  void* handle_ = nullptr;
};

}  // namespace orlo::host
