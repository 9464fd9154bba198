#include "platform/common/Bus.h"

#include "platform/common/DataItem.h"
#include "platform/common/DataManager.h"
#include "platform/common/Utf8.h"
#include "platform/win/Wnd.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <vector>

namespace {

// Sends may come from any thread: the lists are guarded by `mutex`, which is never held
// while a message is delivered or an observer runs.
struct BusState {
  std::mutex mutex;
  std::vector<HWND> subscribers;  // subscription order; may hold destroyed windows
  std::map<int, ORLOBusObserver> observers;
  int nextObserverId = 1;
  std::atomic<LPARAM> lastNumber{0};
  std::atomic<bool> trace{false};
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
  static auto& state = []() -> BusState& {  // lives until the process ends
    auto* initial = new BusState;
    initial->trace = TraceRequestedByEnvironment();
    return *initial;
  }();
  return state;
}

// The subscribers whose windows still live, in subscription order. Lock held.
std::vector<HWND>& LiveSubscribersLocked() {
  std::erase_if(Bus().subscribers, [](HWND hwnd) { return !IsWindow(hwnd); });
  return Bus().subscribers;
}

std::vector<HWND> LiveSubscribers() {
  std::lock_guard lock(Bus().mutex);
  return LiveSubscribersLocked();
}

std::map<int, ORLOBusObserver> Observers() {
  std::lock_guard lock(Bus().mutex);
  return Bus().observers;
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
  for (const auto& [id, observer] : Observers()) observer(delivery);  // a copy: an observer may remove itself

  std::unique_ptr<CORLODataItem, ItemRelease> item(new CORLODataItem(name, L"", payload, mode));
  SendMessage(target, WM_DATAITEM, reinterpret_cast<WPARAM>(item.get()), number);
  if (Bus().trace) PrintTrace(*item, target);
  return item->Result();
}

LRESULT Broadcast(const std::wstring& name, void* payload) {
  const LPARAM number = ++Bus().lastNumber;
  LRESULT result = 0;
  for (HWND target : LiveSubscribers()) {
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
  std::lock_guard lock(Bus().mutex);
  std::vector<HWND>& subscribers = LiveSubscribersLocked();
  if (std::find(subscribers.begin(), subscribers.end(), hwnd) == subscribers.end()) {
    subscribers.push_back(hwnd);
  }
}

void ORLOUnsubscribe(HWND hwnd) {
  std::lock_guard lock(Bus().mutex);
  std::erase(Bus().subscribers, hwnd);
}

bool ORLOIsSubscribed(HWND hwnd) {
  if (!IsWindow(hwnd)) return false;
  std::lock_guard lock(Bus().mutex);
  const auto& subscribers = Bus().subscribers;
  return std::find(subscribers.begin(), subscribers.end(), hwnd) != subscribers.end();
}

LRESULT ORLOSendMessage(const char* name, void* payload) {
  return name == nullptr ? 0 : Broadcast(orlo::Utf8ToWide(name), payload);
}

LRESULT ORLOSendSingleMessage(HWND target, const char* name, void* payload) {
  return name == nullptr ? 0 : SendSingle(target, orlo::Utf8ToWide(name), payload);
}

int ORLOAddBusObserver(ORLOBusObserver observer) {
  std::lock_guard lock(Bus().mutex);
  const int id = Bus().nextObserverId++;
  if (observer) Bus().observers.emplace(id, std::move(observer));
  return id;
}

void ORLORemoveBusObserver(int id) {
  std::lock_guard lock(Bus().mutex);
  Bus().observers.erase(id);
}

void ORLOSetTrace(bool on) { Bus().trace = on; }

IDataManager* ORLOGetDataManager() {
  static auto* manager = new CBusDataManager;  // lives until the process ends
  return manager;
}
