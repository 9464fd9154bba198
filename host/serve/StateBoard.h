// CStateBoard: the last state document the GUI thread published, for the server's threads
// to answer from without waiting for the GUI thread.
//
// Publish replaces the document (a JSON text whose "version" grows with every change);
// Current answers the document published last (a shared, immutable text; empty before the
// first Publish). Safe from any thread.
#pragma once

#include <memory>
#include <mutex>
#include <string>

namespace orlo::host {

class CStateBoard {
 public:
  void Publish(std::string document) {
    auto shared = std::make_shared<const std::string>(std::move(document));
    std::lock_guard lock(mutex_);
    current_ = std::move(shared);
  }
  std::shared_ptr<const std::string> Current() const {
    std::lock_guard lock(mutex_);
    return current_ ? current_ : std::make_shared<const std::string>();
  }

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<const std::string> current_;
};

}  // namespace orlo::host
