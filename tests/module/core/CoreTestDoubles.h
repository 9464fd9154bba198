// Analyzers for registry tests: one that logs its Destroy calls, and one that tells at its
// Destroy whether a window (the manager's) still exists.
#pragma once

#include "module/core/AnalyzerInterfaces.h"

#include <functional>
#include <string>
#include <vector>

namespace orlo::test {

// Lives in the test, so Destroy only writes its name into the shared log.
class LoggingAnalyzer : public IBaseAnalyzer {
 public:
  LoggingAnalyzer(std::string name, std::vector<std::string>& log) : name_(name), log_(log) {}
  virtual ~LoggingAnalyzer() = default;

  std::wstring GetName() override { return std::wstring(name_.begin(), name_.end()); }
  std::wstring GetGuid() override { return L"{" + GetName() + L"}"; }
  void Activate(bool) override {}
  void ShowDialogs(bool) override {}
  void ShowErrorCurve(bool) override {}
  CORLOGuiItem* GetPanel() override { return nullptr; }
  void CreatePanel(CORLOGuiItem*) override {}
  int DestroyPanel() override { return 0; }
  void OnGuiNotify(CORLOGuiItem*, ORLOWndMessage*) override {}
  void OnLayout() override {}
  bool Initialize() override { return true; }
  void Uninitialize() override {}
  void ShowSettings(CWnd*) override {}
  bool HasSettings() override { return false; }
  IBaseAnalyzer* CreateInstance() override { return nullptr; }
  void Destroy() override { log_.push_back(name_); }

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

class WindowWitness : public LoggingAnalyzer {
 public:
  // `note` gets "window alive" or "window gone".
  WindowWitness(HWND window, std::vector<std::string>& log, std::function<void(const char*)> note)
      : LoggingAnalyzer("witness", log), window_(window), note_(std::move(note)) {}
  void Destroy() override { note_(IsWindow(window_) ? "window alive" : "window gone"); }

 private:
  HWND window_;
  std::function<void(const char*)> note_;
};

}  // namespace orlo::test
