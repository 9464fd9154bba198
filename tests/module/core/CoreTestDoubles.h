// An analyzer for registry tests that logs its Destroy calls.
#pragma once

#include "module/core/AnalyzerInterfaces.h"

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

}  // namespace orlo::test
