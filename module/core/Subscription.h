// Binding of the module's objects to the host bus: subscription tables, the dispatcher
// that runs them when the bus delivers a data item, and the detach step when a client's
// window is destroyed.
//
// A subscribing class derives from CWnd (directly or through COxBaseManager) and from
// CORLODataClient, has a `std::wstring m_strReply` member, and puts
//   ORLO_DECLARE_SUBSCRIPTION_MAP()   and   ORLO_DECLARE_CLIENT_HANDLERS()
// in its declaration, ON_MESSAGE(WM_DATAITEM, OnDataItem) and
// ON_MESSAGE(WM_DESTROY, OnClientDestroy) in its window-message table, and defines its
// table in its source file:
//   ORLO_BEGIN_SUBSCRIPTION_MAP(CMyClient)
//     ORLO_INHERIT_SUBSCRIPTIONS(CORLODataClient, CMyClient)
//     ORLO_SUBSCRIBE("GRAPH_Repaint", 0, CMyClient, OnRepaint)
//   ORLO_END_SUBSCRIPTION_MAP()
// The dispatcher reads only a class's own table (never the base map), so a class that
// wants its base's entries places them with ORLO_INHERIT_SUBSCRIPTIONS(Base, CMyClient),
// which expands the base's list ORLO_SUBSCRIPTIONS_OF_Base(theClass) where it stands.
// CORLODataClient's list is the two lifecycle entries that open every table.
// Handlers named in ORLO_SUBSCRIBE have the item form: void Fn(IORLODataItem*); an entry
// of another form is written out with StoreHandler, e.g.
//   {L"GRAPH_AllocCurve", L"", 0, SubSig_String,
//    orlo::module::StoreHandler(static_cast<ORLO_PFN_STRING>(&CMyClient::OnAlloc))},
// The tables are written when the module is loaded, only read afterwards and never
// destroyed (see ORLO_SUBMAP_ENTRY).
#pragma once

#include "platform/common/DataClient.h"
#include "platform/win/Wnd.h"

#include <bit>
#include <string>

namespace orlo::module {

// Table entries keep every handler as ORLO_PFN. Handlers of each form are converted to and
// from that type bit for bit (all are member function pointers of CORLODataClient).
template <typename Pfn>
ORLO_PFN StoreHandler(Pfn handler) {
  static_assert(sizeof(Pfn) == sizeof(ORLO_PFN));
  return std::bit_cast<ORLO_PFN>(handler);
}

// The dispatcher: runs every entry of the client's map (its dynamic map when it has one,
// else `staticMap`) that matches the item, in table order, and completes the item:
// AddRef; handlers; Done; SetResult(result); Release (then Delete for a posted item).
// The result is 0 when nothing ran, 1 after an item/data handler, the address of the
// characters of `reply` after a string handler (the last handler decides). A null item
// answers 0 and touches nothing.
LRESULT DispatchDataItem(CORLODataClient& client, const ORLO_SUBMAP* staticMap,
                         std::wstring& reply, IORLODataItem* item, LPARAM number);

}  // namespace orlo::module

#define ORLO_DECLARE_SUBSCRIPTION_MAP()                        \
 public:                                                       \
  static const ORLO_SUBMAP subscriptionMap;                    \
  const ORLO_SUBMAP* GetSubscriptionMap() const override;      \
                                                               \
 private:                                                      \
  static const ORLO_SUBMAP_ENTRY subscriptionEntries[];

// OnDataItem runs the dispatcher on this class's map. OnClientDestroy is the detach step:
// an attached client (flag, data manager and window known) runs OnUninitClient, delivers
// "ORLO_UnInitialize" to its own window through the data manager's SendTo, lets the
// framework finish the destruction and forgets the data manager; any other client only
// lets the framework finish.
#define ORLO_DECLARE_CLIENT_HANDLERS()                                                     \
 protected:                                                                                \
  LRESULT OnDataItem(WPARAM wParam, LPARAM lParam) {                                       \
    return ::orlo::module::DispatchDataItem(*this, &subscriptionMap, m_strReply,           \
                                            reinterpret_cast<IORLODataItem*>(wParam),      \
                                            lParam);                                       \
  }                                                                                        \
  LRESULT OnClientDestroy(WPARAM, LPARAM) {                                                \
    if (m_bAttached && m_pDataManager != nullptr && m_hAttachedWnd != nullptr) {           \
      OnUninitClient();                                                                    \
      std::wstring reply;                                                                  \
      m_pDataManager->SendTo(m_hAttachedWnd, 1, L"ORLO_UnInitialize", 0, nullptr, 0, -1,   \
                             &reply);                                                      \
      Default();                                                                           \
      m_pDataManager = nullptr;                                                            \
    } else {                                                                               \
      Default();                                                                           \
    }                                                                                      \
    return 0;                                                                              \
  }                                                                                        \
                                                                                           \
 private:

#define ORLO_BEGIN_SUBSCRIPTION_MAP(theClass)                                      \
  const ORLO_SUBMAP* theClass::GetSubscriptionMap() const {                        \
    const ORLO_SUBMAP* dynamicMap = GetDynamicMap();                               \
    return dynamicMap != nullptr ? dynamicMap : &subscriptionMap;                  \
  }                                                                                \
  const ORLO_SUBMAP theClass::subscriptionMap = {&CORLODataClient::subscriptionMap, \
                                                 &theClass::subscriptionEntries[0]}; \
  const ORLO_SUBMAP_ENTRY theClass::subscriptionEntries[] = {
#define ORLO_SUBSCRIBE(name, flag, theClass, handler) \
  {L"" name, L"", (flag), SubSig_Item,                    \
   ::orlo::module::StoreHandler(static_cast<ORLO_PFN_ITEM>(&theClass::handler))},
#define ORLO_END_SUBSCRIPTION_MAP() \
  { L"", L"", 0, SubSig_End, nullptr } \
  };

#define ORLO_INHERIT_SUBSCRIPTIONS(baseClass, theClass) ORLO_SUBSCRIPTIONS_OF_##baseClass(theClass)
#define ORLO_SUBSCRIPTIONS_OF_CORLODataClient(theClass)                \
  ORLO_SUBSCRIBE("ORLO_Initialize", 1, theClass, OnInitializeMessage) \
  ORLO_SUBSCRIBE("ORLO_UnInitialize", 1, theClass, OnUnInitializeMessage)
