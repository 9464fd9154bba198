#include "host/session/BusClient.h"

#include "platform/common/Bus.h"
#include "platform/common/Utf8.h"

namespace orlo::host {

BEGIN_MESSAGE_MAP(CHostBusClient, CWnd)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

bool CHostBusClient::CreateClient(CWnd* parent, UINT id) {
  const DWORD style = parent != nullptr ? WS_CHILD : 0;
  return Create(AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW), L"", style, RECT{}, parent, id) !=
         FALSE;
}

void CHostBusClient::Subscribe() { ORLOSubscribe(m_hWnd); }

void CHostBusClient::On(const std::string& name, ItemHandler handler) {
  itemHandlers_[orlo::Utf8ToWide(name)] = std::move(handler);
}

void CHostBusClient::OnQuery(const std::string& name, QueryHandler handler) {
  queryHandlers_[orlo::Utf8ToWide(name)] = std::move(handler);
}

LRESULT CHostBusClient::OnDataItem(WPARAM wParam, LPARAM /*number*/) {
  auto* item = reinterpret_cast<IORLODataItem*>(wParam);
  if (item == nullptr) return 0;
  item->AddRef();
  LRESULT result = 0;
  if (auto it = itemHandlers_.find(item->GetName()); it != itemHandlers_.end()) {
    it->second(*item);
    result = 1;
  } else if (auto query = queryHandlers_.find(item->GetName()); query != queryHandlers_.end()) {
    reply_ = query->second(*item);
    result = reinterpret_cast<LRESULT>(reply_.c_str());
  }
  item->Done();
  item->SetResult(result);
  const bool posted = item->IsPosted();
  item->Release();
  if (posted) item->Delete();
  return result;
}

}  // namespace orlo::host
