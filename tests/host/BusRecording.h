// BusRecording: records the bus deliveries of one test (name, target, broadcast or not),
// optionally only those whose name starts with a prefix, as sequences to compare.
#pragma once

#include "platform/common/Bus.h"

#include <string>
#include <vector>

namespace orlo::host::testing {

struct Delivery {
  std::wstring name;
  HWND target = nullptr;
  bool broadcast = false;
  bool operator==(const Delivery&) const = default;
};

class BusRecording {
 public:
  explicit BusRecording(std::wstring prefix = L"") : prefix_(std::move(prefix)) {
    id_ = ORLOAddBusObserver([this](const ORLOBusDelivery& d) {
      if (d.name.starts_with(prefix_)) deliveries_.push_back({d.name, d.target, d.broadcast});
    });
  }
  BusRecording(const BusRecording&) = delete;
  BusRecording& operator=(const BusRecording&) = delete;
  ~BusRecording() { ORLORemoveBusObserver(id_); }

  const std::vector<Delivery>& Deliveries() const { return deliveries_; }
  // The names delivered to `target` (null: every target), in order.
  std::vector<std::wstring> NamesTo(HWND target = nullptr) const {
    std::vector<std::wstring> names;
    for (const Delivery& d : deliveries_) {
      if (target == nullptr || d.target == target) names.push_back(d.name);
    }
    return names;
  }
  void Clear() { deliveries_.clear(); }

 private:
  std::wstring prefix_;
  int id_ = 0;
  std::vector<Delivery> deliveries_;
};

}  // namespace orlo::host::testing
