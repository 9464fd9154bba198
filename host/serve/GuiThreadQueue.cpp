#include "host/serve/GuiThreadQueue.h"

namespace orlo::host {

namespace {

constexpr UINT kRunTasks = WM_USER + 0x51;

}  // namespace

BEGIN_MESSAGE_MAP(CGuiThreadQueue, CWnd)
ON_MESSAGE(kRunTasks, OnRunTasks)
END_MESSAGE_MAP()

bool CGuiThreadQueue::CreateQueueWindow() {
  return Create(AfxRegisterWndClass(0), L"", 0, RECT{}, nullptr, 0) != FALSE;
}

bool CGuiThreadQueue::Call(std::function<void()> task) {
  auto job = std::make_shared<Job>();
  job->task = std::move(task);
  std::unique_lock lock(mutex_);
  if (closed_) return false;
  jobs_.push_back(job);
  if (!PostMessage(kRunTasks)) {
    jobs_.pop_back();
    return false;
  }
  finished_.wait(lock, [&] { return job->done; });
  return job->ran;
}

LRESULT CGuiThreadQueue::OnRunTasks(WPARAM, LPARAM) {
  for (;;) {
    std::shared_ptr<Job> job;
    {
      std::lock_guard lock(mutex_);
      if (jobs_.empty()) return 0;
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    job->task();
    {
      std::lock_guard lock(mutex_);
      job->done = job->ran = true;
    }
    finished_.notify_all();
  }
}

void CGuiThreadQueue::Wake() { PostMessage(kRunTasks); }

void CGuiThreadQueue::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
    for (const auto& job : jobs_) job->done = true;
    jobs_.clear();
  }
  finished_.notify_all();
}

}  // namespace orlo::host
