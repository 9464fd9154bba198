#include "module/core/Subscription.h"

#include "platform/common/TextCase.h"

#include <cstdint>
#include <cstring>

namespace orlo::module {

namespace {

template <typename Pfn>
Pfn LoadHandler(ORLO_PFN handler) {
  static_assert(sizeof(Pfn) == sizeof(ORLO_PFN));
  return std::bit_cast<Pfn>(handler);
}

// The second 32-bit word of a payload record; 0 when there is no payload.
std::int32_t SecondWord(const void* payload) {
  std::int32_t word = 0;
  if (payload != nullptr) {
    std::memcpy(&word, static_cast<const char*>(payload) + sizeof(std::int32_t), sizeof word);
  }
  return word;
}

// Runs one matching entry and answers the dispatch result after it (`result` when the
// entry does not run). A handler is a member of the subscribing class called through the
// CORLODataClient part; the sanitizer's dynamic-type check would take the adjusted object
// for a CORLODataClient, so it is off here (the call itself is well-defined).
__attribute__((no_sanitize("vptr"))) LRESULT RunEntry(CORLODataClient& client, const ORLO_SUBMAP_ENTRY& entry, IORLODataItem* item,
                 std::wstring& reply, LRESULT result) {
  switch (entry.nSig) {
    case SubSig_Item:
      (client.*LoadHandler<ORLO_PFN_ITEM>(entry.pfnHandler))(item);
      return 1;
    case SubSig_DataWord: {
      void* payload = item->GetData();
      (client.*LoadHandler<ORLO_PFN_DATAWORD>(entry.pfnHandler))(payload,
                                                                      SecondWord(payload));
      return 1;
    }
    case SubSig_Data:
      (client.*LoadHandler<ORLO_PFN_DATA>(entry.pfnHandler))(item->GetData());
      return 1;
    case SubSig_String:
      reply = (client.*LoadHandler<ORLO_PFN_STRING>(entry.pfnHandler))(item);
      return reinterpret_cast<LRESULT>(reply.c_str());
    case SubSig_ItemQualified:
      if (!EqualsIgnoringCase(item->GetQualifier(), entry.strQualifier)) return result;
      (client.*LoadHandler<ORLO_PFN_ITEM>(entry.pfnHandler))(item);
      return 1;
    default:
      return result;  // a form this dispatcher does not know
  }
}

}  // namespace

LRESULT DispatchDataItem(CORLODataClient& client, const ORLO_SUBMAP* staticMap,
                         std::wstring& reply, IORLODataItem* item, LPARAM number) {
  if (item == nullptr) return 0;
  item->AddRef();

  const ORLO_SUBMAP* dynamicMap = client.GetDynamicMap();
  const ORLO_SUBMAP* map = dynamicMap != nullptr ? dynamicMap : staticMap;
  LRESULT result = 0;
  for (const ORLO_SUBMAP_ENTRY* entry = client.FindSubscriptionEntry(map->lpEntries, item, number);
       entry != nullptr; entry = client.FindSubscriptionEntry(entry + 1, item, number)) {
    result = RunEntry(client, *entry, item, reply, result);
  }

  item->Done();
  item->SetResult(result);
  if (item->IsPosted()) {
    item->Release();
    item->Delete();
  } else {
    item->Release();
  }
  return result;
}

}  // namespace orlo::module
