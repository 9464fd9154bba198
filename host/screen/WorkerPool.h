// WorkerPool: runs numbered tasks in worker processes (fork), each worker a process of its
// own that keeps its state from task to task, and hands every result to the parent.
//
// Run forks up to `jobs` workers (never more than there are tasks). Each worker makes its
// ScreenWorker once (`make`, in the worker process), sends the parent the worker's greeting
// and then runs the tasks the parent gives it, one at a time, until none is left. Tasks are
// given out in index order to whichever worker is free, so the results arrive in any
// order; the parent sees each through `done` (index, result text or the reason the worker
// died) in the order they arrive. A worker that dies during a task (a crash, a signal)
// costs only that task: its result is the reason, and a new worker takes over the tasks
// left. `accept` sees every worker's greeting; when it answers false the pool stops its
// workers and Run answers false. Workers talk to the parent over a socket pair each and
// end with _exit once their object is destroyed, so they never run the parent's exit
// handlers or flush its buffers. Run must be called from a process with one thread.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace orlo::host {

class ScreenWorker {
 public:
  virtual ~ScreenWorker() = default;
  // What the worker tells the parent once it is up.
  virtual std::string Greeting() = 0;
  // The result of task `index`.
  virtual std::string Run(size_t index) = 0;
};

struct TaskResult {
  std::optional<std::string> text;  // what the worker answered
  std::string failure;  // else why it answered nothing ("its worker process was killed by signal 9 (Killed)")
};

class WorkerPool {
 public:
  using MakeWorker = std::function<std::unique_ptr<ScreenWorker>()>;
  using Accept = std::function<bool(const std::string& greeting)>;
  using Done = std::function<void(size_t index, TaskResult result)>;

  WorkerPool(size_t jobs, MakeWorker make) : jobs_(jobs), make_(std::move(make)) {}

  // Runs tasks 0 .. count-1. False when `accept` refused a greeting or no worker could be
  // started (`error` says why).
  bool Run(size_t count, const Accept& accept, const Done& done, std::string& error);

 private:
  size_t jobs_;
  MakeWorker make_;
};

}  // namespace orlo::host
