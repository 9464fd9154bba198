// CGuiThreadQueue: how the server's threads hand work to the host's GUI thread, the one
// thread that may touch the module, the windows and the bus.
//
// Create makes a hidden window on the GUI thread. Call, from any other thread, queues a
// task, posts the window a message (PostMessage is safe from any thread) and waits until
// the GUI thread's message loop has run the task; it answers false, running nothing, once
// Close was called. Tasks run one at a time, in the order queued, inside the loop's
// delivery of that message, so they never overlap a timer or another task. Close (on the
// GUI thread) refuses further tasks and releases callers whose tasks did not run.
#pragma once

#include "platform/win/Wnd.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace orlo::host {

class CGuiThreadQueue : public CWnd {
 public:
  bool CreateQueueWindow();
  bool Call(std::function<void()> task);
  // Wakes the GUI thread's message loop (from any thread), running nothing.
  void Wake();
  void Close();

 protected:
  LRESULT OnRunTasks(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  struct Job {
    std::function<void()> task;
    bool done = false;
    bool ran = false;
  };

  std::mutex mutex_;
  std::condition_variable finished_;
  std::deque<std::shared_ptr<Job>> jobs_;
  bool closed_ = false;
};

}  // namespace orlo::host
