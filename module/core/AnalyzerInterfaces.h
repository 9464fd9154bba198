// IBaseAnalyzer: the contract between the host and every analyzer, and the payload
// records of the analyzer registry messages.
//
// The host obtains analyzer pointers from the analyzer manager over the bus and drives
// each analyzer only through these operations, in this order: Initialize; CreatePanel;
// OnLayout after size changes; Activate(true) when the analyzer becomes the one in use
// and Activate(false) when it stops; the display switches and ShowSettings while the
// panel exists; at the end DestroyPanel, Uninitialize and Destroy. GetName, GetGuid,
// HasSettings, GetPanel and CreateInstance may be called at any time. Destroy deletes
// the object; nothing else may.
#pragma once

#include "platform/common/GuiManager.h"

#include <cstdint>
#include <string>

class CORLOGuiItem;
class CWnd;

class __attribute__((visibility("default"))) IBaseAnalyzer {
 public:
  virtual std::wstring GetName() = 0;
  virtual std::wstring GetGuid() = 0;
  virtual void Activate(bool active) = 0;
  virtual void ShowDialogs(bool show) = 0;
  virtual void ShowErrorCurve(bool show) = 0;
  virtual CORLOGuiItem* GetPanel() = 0;
  virtual void CreatePanel(CORLOGuiItem* parent) = 0;
  virtual int DestroyPanel() = 0;
  virtual void OnGuiNotify(CORLOGuiItem* item, ORLOWndMessage* message) = 0;
  virtual void OnLayout() = 0;
  virtual bool Initialize() = 0;
  virtual void Uninitialize() = 0;
  virtual void ShowSettings(CWnd* parent) = 0;
  virtual bool HasSettings() = 0;
  virtual IBaseAnalyzer* CreateInstance() = 0;
  virtual void Destroy() = 0;

 protected:
  ~IBaseAnalyzer() = default;
};

// "ANALYZER_AquireAnalyzer", "ANALYZER_ActivateAnalyzer", "ANALYZER_DeactivateAnalyzer".
struct tagANALYZERREF {
  std::int32_t nIndex = 0;
  IBaseAnalyzer* pAnalyzer = nullptr;
};

// "ANALYZER_SelectAnalyzer": both arrays hold nCount entries in registration order and
// live only for the duration of the send.
struct tagANALYZERSELECTION {
  std::int32_t nCount = 0;
  std::uint8_t* pbActive = nullptr;
  IBaseAnalyzer** ppAnalyzers = nullptr;
};
