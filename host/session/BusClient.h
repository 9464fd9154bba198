// CHostBusClient: a window of the host that answers bus messages by name.
//
// The host's own bus clients (main dialog, graph plug-in, graph windows, report plug-in)
// derive from it or own one. Handlers are registered per message name: an item handler
// answers through the payload (result 1), a query handler answers a text (the result is
// the address of that text, which IDataManager::Query reads). A message without a handler
// is completed with result 0. Every item is completed as the bus expects: AddRef, handler,
// Done, SetResult, Release (then Delete for a posted item).
//
// CreateClient makes the (hidden) window; Subscribe puts it on the bus for broadcasts.
// Addressed sends reach it whether or not it is subscribed.
#pragma once

#include "platform/common/DataItem.h"
#include "platform/win/Wnd.h"

#include <functional>
#include <map>
#include <string>

namespace orlo::host {

class CHostBusClient : public CWnd {
 public:
  using ItemHandler = std::function<void(IORLODataItem& item)>;
  using QueryHandler = std::function<std::wstring(IORLODataItem& item)>;

  // Creates the window as a child of `parent` (null: a top-level window).
  bool CreateClient(CWnd* parent, UINT id = 0);
  void Subscribe();

  void On(const std::string& name, ItemHandler handler);
  void OnQuery(const std::string& name, QueryHandler handler);

 protected:
  LRESULT OnDataItem(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  std::map<std::wstring, ItemHandler> itemHandlers_;
  std::map<std::wstring, QueryHandler> queryHandlers_;
  std::wstring reply_;
};

}  // namespace orlo::host
