// CORLODataClient: the bus-client part of every object that subscribes to the bus, and
// its subscription tables.
//
// A subscribing class lists the messages it wants in a static ORLO_SUBMAP: an array of
// ORLO_SUBMAP_ENTRY ended by an entry whose nSig is SubSig_End (0). Each entry names the
// message, an optional qualifier, a flag, the handler form (nSig) and a member function of
// the class, stored as a CORLODataClient member pointer (ORLO_ITEM_HANDLER etc. below do
// the conversion, so the handler reaches the whole object).
//
// Matching (FindSubscriptionEntry): an entry matches an item when its strMessage equals
// the item's name exactly (case-sensitive). The search starts at the entry given and
// stops at the terminating entry; it never follows pBaseMap. The qualifier is not part of
// the match (form 5 handlers compare it themselves), and the delivery number is not used.
// A null entry or item finds nothing.
//
// nFlag: 1 marks a lifecycle entry (the "ORLO_Initialize"/"ORLO_UnInitialize" pair and
// messages a client must see even while it detaches). The bus shows the flag in its trace
// (a bus item notes the flags of the entries that matched it) and otherwise treats both
// values alike: every matching entry is found.
//
// Attaching (AttachDataManager): records the data manager and the window handle; when the
// window is live it also subscribes it, sets the attached flag and answers TRUE (otherwise
// the client stays detached and the answer is FALSE). "ORLO_Initialize"
// (OnInitializeMessage) calls OnInitClient of an attached client; "ORLO_UnInitialize"
// (OnUnInitializeMessage) calls nothing, unsubscribes the window and clears the attached
// flag, so a client detaches at most once. The data manager and window handle stay
// readable until the client forgets them itself.
#pragma once

#include "platform/common/DataItem.h"
#include "platform/common/DataManager.h"
#include "platform/win/WinTypes.h"

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

class CORLODataClient;

// Handler forms.
enum ORLOSubSig : std::int32_t {
  SubSig_End = 0,
  SubSig_Item = 1,           // void handler(IORLODataItem*)
  SubSig_DataWord = 2,       // void handler(void* payload, std::int32_t secondWord)
  SubSig_Data = 3,           // void handler(void* payload)
  SubSig_String = 4,         // std::wstring handler(IORLODataItem*)
  SubSig_ItemQualified = 5,  // void handler(IORLODataItem*), only for a matching qualifier
};

using ORLO_PFN = void (CORLODataClient::*)();
using ORLO_PFN_ITEM = void (CORLODataClient::*)(IORLODataItem*);
using ORLO_PFN_DATAWORD = void (CORLODataClient::*)(void*, std::int32_t);
using ORLO_PFN_DATA = void (CORLODataClient::*)(void*);
using ORLO_PFN_STRING = std::wstring (CORLODataClient::*)(IORLODataItem*);

// The texts are views of string literals, so a table has nothing to destroy: it stays
// readable to the very end of the process, also for a library's unload hook that runs
// after the process's exit handlers.
struct ORLO_SUBMAP_ENTRY {
  std::wstring_view strMessage;
  std::wstring_view strQualifier;
  std::int32_t nFlag = 0;
  std::int32_t nSig = SubSig_End;
  ORLO_PFN pfnHandler = nullptr;
};

struct ORLO_SUBMAP {
  const ORLO_SUBMAP* pBaseMap;
  const ORLO_SUBMAP_ENTRY* lpEntries;
};

// Member pointer conversions for table entries: `cls` must derive from CORLODataClient.
// The handler's bits are kept as they are (every member function pointer of one class has
// the same size); std::bit_cast<ORLO_PFN_ITEM>(entry.pfnHandler) etc. turn them back.
#define ORLO_ITEM_HANDLER(cls, fn) std::bit_cast<ORLO_PFN>(static_cast<ORLO_PFN_ITEM>(&cls::fn))
#define ORLO_DATAWORD_HANDLER(cls, fn) \
  std::bit_cast<ORLO_PFN>(static_cast<ORLO_PFN_DATAWORD>(&cls::fn))
#define ORLO_DATA_HANDLER(cls, fn) std::bit_cast<ORLO_PFN>(static_cast<ORLO_PFN_DATA>(&cls::fn))
#define ORLO_STRING_HANDLER(cls, fn) \
  std::bit_cast<ORLO_PFN>(static_cast<ORLO_PFN_STRING>(&cls::fn))

class CORLODataClient {
 public:
  CORLODataClient();
  CORLODataClient(const CORLODataClient&) = delete;
  CORLODataClient& operator=(const CORLODataClient&) = delete;

  // Virtual operations, in slot order.
  virtual const ORLO_SUBMAP* GetSubscriptionMap() const;  // the dynamic map, else subscriptionMap
  virtual void OnInitClient();
  virtual void OnUninitClient();
  virtual const ORLO_SUBMAP* GetDynamicMap() const;  // none by default
  virtual ~CORLODataClient();

  BOOL AttachDataManager(HWND hwnd);
  const ORLO_SUBMAP_ENTRY* FindSubscriptionEntry(const ORLO_SUBMAP_ENTRY* from,
                                                 IORLODataItem* item, LPARAM number) const;
  void OnInitializeMessage(IORLODataItem* item);
  void OnUnInitializeMessage(IORLODataItem* item);

  // The bus library's own (empty) map; the base link of every client map.
  static const ORLO_SUBMAP subscriptionMap;

 protected:
  bool m_bAttached = false;
  IDataManager* m_pDataManager = nullptr;
  HWND m_hAttachedWnd = nullptr;
};
