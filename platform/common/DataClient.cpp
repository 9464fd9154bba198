#include "platform/common/DataClient.h"

#include "platform/common/Bus.h"
#include "platform/win/Wnd.h"

namespace {

const ORLO_SUBMAP_ENTRY kNoEntries[] = {
    {L"", L"", 0, SubSig_End, nullptr},
};

}  // namespace

const ORLO_SUBMAP CORLODataClient::subscriptionMap = {nullptr, &kNoEntries[0]};

CORLODataClient::CORLODataClient() = default;

CORLODataClient::~CORLODataClient() = default;

const ORLO_SUBMAP* CORLODataClient::GetSubscriptionMap() const {
  const ORLO_SUBMAP* dynamicMap = GetDynamicMap();
  return dynamicMap != nullptr ? dynamicMap : &subscriptionMap;
}

void CORLODataClient::OnInitClient() {}

void CORLODataClient::OnUninitClient() {}

const ORLO_SUBMAP* CORLODataClient::GetDynamicMap() const { return nullptr; }

BOOL CORLODataClient::AttachDataManager(HWND hwnd) {
  m_pDataManager = ORLOGetDataManager();
  m_hAttachedWnd = hwnd;
  m_bAttached = IsWindow(hwnd) != FALSE;
  if (m_bAttached) ORLOSubscribe(hwnd);
  return m_bAttached ? TRUE : FALSE;
}

const ORLO_SUBMAP_ENTRY* CORLODataClient::FindSubscriptionEntry(const ORLO_SUBMAP_ENTRY* from,
                                                                IORLODataItem* item,
                                                                LPARAM /*number*/) const {
  if (from == nullptr || item == nullptr) return nullptr;
  for (const ORLO_SUBMAP_ENTRY* entry = from; entry->nSig != SubSig_End; ++entry) {
    if (entry->strMessage != item->GetName()) continue;
    if (auto* busItem = dynamic_cast<CORLODataItem*>(item)) busItem->NoteMatchedFlag(entry->nFlag);
    return entry;
  }
  return nullptr;
}

void CORLODataClient::OnInitializeMessage(IORLODataItem* /*item*/) {
  if (m_bAttached) OnInitClient();
}

void CORLODataClient::OnUnInitializeMessage(IORLODataItem* /*item*/) {
  if (!m_bAttached) return;
  ORLOUnsubscribe(m_hAttachedWnd);
  m_bAttached = false;
}
