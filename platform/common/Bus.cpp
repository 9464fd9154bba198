#include "platform/common/Bus.h"

#include "platform/common/DataItem.h"
#include "platform/common/DataManager.h"
#include "platform/common/Utf8.h"
#include "platform/win/Wnd.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

namespace {

struct BusState {
  std::vector<HWND> subscribers;  // subscription order; may hold destroyed windows
  std::map<int, ORLOBusObserver> observers;
  int nextObserverId = 1;
  LPARAM lastNumber = 0;
  bool trace = false;
};

bool TraceRequestedByEnvironment() {
  const char* value = std::getenv("ORLO_TRACE");
  if (value == nullptr) return false;
  std::istringstream list(value);
  std::string word;
  while (std::getline(list, word, ',')) {
    if (word == "bus") return true;
  }
  return false;
}

BusState& Bus() {
  static BusState state = [] {
    BusState initial;
    initial.trace = TraceRequestedByEnvironment();
    return initial;
  }();
  return state;
}

void ForgetDestroyedSubscribers() {
  auto& subscribers = Bus().subscribers;
  std::erase_if(subscribers, [](HWND hwnd) { return !IsWindow(hwnd); });
}

bool IsReplyString(LRESULT result) { return result != 0 && result != 1; }

void PrintTrace(const CORLODataItem& item, HWND target) {
  const LRESULT result = item.Result();
  const std::string name = orlo::WideToUtf8(item.GetName());
  const auto address = reinterpret_cast<unsigned long long>(target);
  if (IsReplyString(result)) {
    std::fprintf(stderr, "bus: %s -> %#llx result %#llx", name.c_str(), address,
                 static_cast<unsigned long long>(result));
  } else {
    std::fprintf(stderr, "bus: %s -> %#llx result %lld", name.c_str(), address,
                 static_cast<long long>(result));
  }
  if (item.MatchedFlag() == 1) std::fprintf(stderr, " flag 1");
  if (!item.IsDone()) std::fprintf(stderr, " (not completed)");
  std::fprintf(stderr, "\n");
}

struct ItemRelease {
  void operator()(CORLODataItem* item) const { item->Release(); }
};

// One delivery to a live window; answers the result the receiver set on the item.
LRESULT Deliver(HWND target, const std::wstring& name, void* payload, LPARAM number,
                bool broadcast, int mode = 0) {
  const ORLOBusDelivery delivery{name, target, payload, broadcast};
  const auto observers = Bus().observers;  // an observer may remove itself
  for (const auto& [id, observer] : observers) observer(delivery);

  std::unique_ptr<CORLODataItem, ItemRelease> item(new CORLODataItem(name, L"", payload, mode));
  SendMessage(target, WM_DATAITEM, reinterpret_cast<WPARAM>(item.get()), number);
  if (Bus().trace) PrintTrace(*item, target);
  return item->Result();
}

LRESULT Broadcast(const std::wstring& name, void* payload) {
  const LPARAM number = ++Bus().lastNumber;
  ForgetDestroyedSubscribers();
  const std::vector<HWND> receivers = Bus().subscribers;
  LRESULT result = 0;
  for (HWND target : receivers) {
    if (!ORLOIsSubscribed(target)) continue;
    result = Deliver(target, name, payload, number, true);
  }
  return result;
}

LRESULT SendSingle(HWND target, const std::wstring& name, void* payload, int mode = 0) {
  const LPARAM number = ++Bus().lastNumber;
  if (!IsWindow(target)) return 0;
  return Deliver(target, name, payload, number, false, mode);
}

std::wstring ReplyText(LRESULT result) {
  if (!IsReplyString(result)) return {};
  return std::wstring(reinterpret_cast<const wchar_t*>(result));
}

class CBusDataManager final : public IDataManager {
 public:
  LRESULT Send(const std::wstring& name, int, void* payload, int, int) override {
    return Broadcast(name, payload);
  }
  LRESULT SendTo(HWND target, int, const std::wstring& name, int mode, void* payload, int, int,
                 std::wstring* reply) override {
    const LRESULT result = SendSingle(target, name, payload, mode);
    if (reply != nullptr) *reply = ReplyText(result);
    return result;
  }
  std::wstring Query(HWND target, const std::wstring& name, int, int) override {
    return ReplyText(SendSingle(target, name, nullptr));
  }
};

}  // namespace

void ORLOSubscribe(HWND hwnd) {
  if (!IsWindow(hwnd)) return;
  ForgetDestroyedSubscribers();
  if (!ORLOIsSubscribed(hwnd)) Bus().subscribers.push_back(hwnd);
}

void ORLOUnsubscribe(HWND hwnd) { std::erase(Bus().subscribers, hwnd); }

bool ORLOIsSubscribed(HWND hwnd) {
  const auto& subscribers = Bus().subscribers;
  return IsWindow(hwnd) &&
         std::find(subscribers.begin(), subscribers.end(), hwnd) != subscribers.end();
}

LRESULT ORLOSendMessage(const char* name, void* payload) {
  return name == nullptr ? 0 : Broadcast(orlo::Utf8ToWide(name), payload);
}

LRESULT ORLOSendSingleMessage(HWND target, const char* name, void* payload) {
  return name == nullptr ? 0 : SendSingle(target, orlo::Utf8ToWide(name), payload);
}

int ORLOAddBusObserver(ORLOBusObserver observer) {
  const int id = Bus().nextObserverId++;
  if (observer) Bus().observers.emplace(id, std::move(observer));
  return id;
}

void ORLORemoveBusObserver(int id) { Bus().observers.erase(id); }

void ORLOSetTrace(bool on) { Bus().trace = on; }

IDataManager* ORLOGetDataManager() {
  static CBusDataManager manager;
  return &manager;
}
