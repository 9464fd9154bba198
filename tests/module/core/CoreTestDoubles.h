// Test doubles of the plug-in core tests: a bus data item that records the calls the
// dispatcher makes on it, and an analyzer that logs its Destroy calls.
#pragma once

#include "module/core/AnalyzerInterfaces.h"
#include "platform/common/DataItem.h"

#include <string>
#include <vector>

namespace orlo::test {

// Delivered by hand: SendMessage(hwnd, WM_DATAITEM, &item, number).
class RecordingDataItem : public IORLODataItem {
 public:
  explicit RecordingDataItem(std::wstring name, void* data = nullptr, std::wstring qualifier = L"",
                             bool posted = false)
      : name_(std::move(name)), qualifier_(std::move(qualifier)), data_(data), posted_(posted) {}

  void Delete() override { calls.push_back("Delete"); }
  void AddRef() override { calls.push_back("AddRef"); }
  void Done() override { calls.push_back("Done"); }
  void Release() override { calls.push_back("Release"); }
  void SetResult(LRESULT value) override {
    calls.push_back("SetResult");
    result = value;
  }
  bool IsPosted() const override {
    calls.push_back("IsPosted");
    return posted_;
  }
  const std::wstring& GetName() const override { return name_; }
  const std::wstring& GetQualifier() const override { return qualifier_; }
  void* GetData() const override { return data_; }

  mutable std::vector<std::string> calls;
  LRESULT result = -1;  // what SetResult received

 private:
  std::wstring name_, qualifier_;
  void* data_;
  bool posted_;
};

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
