#include "host/screen/WorkerPool.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace orlo::host {

namespace {

// A frame on a socket: the length in decimal, a newline, then that many bytes.
bool SendAll(int socket, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

bool ReceiveAll(int socket, char* data, size_t size) {
  while (size > 0) {
    const ssize_t received = ::recv(socket, data, size, 0);
    if (received < 0 && errno == EINTR) continue;
    if (received <= 0) return false;
    data += received;
    size -= static_cast<size_t>(received);
  }
  return true;
}

bool SendFrame(int socket, const std::string& text) {
  const std::string head = std::to_string(text.size()) + '\n';
  return SendAll(socket, head.data(), head.size()) && SendAll(socket, text.data(), text.size());
}

// The next frame; nothing when the peer is gone (also in the middle of a frame).
std::optional<std::string> ReceiveFrame(int socket) {
  size_t size = 0;
  for (char c = 0;;) {
    if (!ReceiveAll(socket, &c, 1) || size > (size_t{1} << 40)) return std::nullopt;
    if (c == '\n') break;
    if (c < '0' || c > '9') return std::nullopt;
    size = size * 10 + static_cast<size_t>(c - '0');
  }
  std::string text(size, '\0');
  if (!ReceiveAll(socket, text.data(), size)) return std::nullopt;
  return text;
}

[[noreturn]] void WorkerMain(int socket, const WorkerPool::MakeWorker& make) {
  {
    const std::unique_ptr<ScreenWorker> worker = make();
    if (SendFrame(socket, worker->Greeting())) {
      while (const std::optional<std::string> task = ReceiveFrame(socket)) {
        if (!SendFrame(socket, worker->Run(std::stoull(*task)))) break;
      }
    }
  }
#if defined(__SANITIZE_ADDRESS__)
  __lsan_do_leak_check();  // _exit skips the check at exit; a leak ends the worker with an error
#endif
  _exit(0);
}

std::string EndReason(int status) {
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    return "was killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
  }
  return "ended with status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}

std::string Reap(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return EndReason(status);
}

struct Worker {
  pid_t pid = -1;
  int socket = -1;
  bool greeted = false;
  std::optional<size_t> task;
};

// The parent's side of one run.
class PoolRun {
 public:
  PoolRun(const WorkerPool::MakeWorker& make, const WorkerPool::Accept& accept,
          const WorkerPool::Done& done)
      : make_(make), accept_(accept), done_(done) {}
  PoolRun(const PoolRun&) = delete;
  PoolRun& operator=(const PoolRun&) = delete;
  ~PoolRun() {
    for (Worker& worker : workers_) {
      kill(worker.pid, SIGKILL);
      close(worker.socket);
      Reap(worker.pid);
    }
  }

  bool Run(size_t count, size_t jobs, std::string& error) {
    count_ = count;
    for (size_t i = 0; i < std::min(jobs, count); ++i) {
      if (!Spawn(error)) return false;
    }
    while (finished_ < count_) {
      std::vector<pollfd> ready;
      for (const Worker& worker : workers_) ready.push_back({worker.socket, POLLIN, 0});
      if (poll(ready.data(), ready.size(), -1) < 0) {
        if (errno == EINTR) continue;
        error = std::string("cannot wait for the workers: ") + std::strerror(errno);
        return false;
      }
      // From the back, so that removing a worker leaves the indices before it alone.
      for (size_t i = ready.size(); i-- > 0;) {
        if (ready[i].revents != 0 && !Serve(i, error)) return false;
      }
    }
    for (const pid_t pid : finishedPids_) {
      const std::string reason = Reap(pid);
      if (reason != EndReason(0)) error = "a worker process " + reason + " after its last task";
    }
    return true;
  }

 private:
  bool Spawn(std::string& error) {
    int sockets[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, sockets) != 0) {
      error = std::string("cannot start a worker: ") + std::strerror(errno);
      return false;
    }
    const pid_t pid = fork();
    if (pid == 0) {
      close(sockets[0]);
      for (const Worker& other : workers_) close(other.socket);
      WorkerMain(sockets[1], make_);
    }
    close(sockets[1]);
    if (pid < 0) {
      close(sockets[0]);
      error = std::string("cannot start a worker: ") + std::strerror(errno);
      return false;
    }
    workers_.push_back({pid, sockets[0], false, std::nullopt});
    return true;
  }

  // Reads what worker `i` sent: its greeting, a result, or its end.
  bool Serve(size_t i, std::string& error) {
    Worker& worker = workers_[i];
    std::optional<std::string> frame = ReceiveFrame(worker.socket);
    if (!frame) return Died(i, error);
    if (!worker.greeted) {
      worker.greeted = true;
      if (!accept_(*frame)) return false;
    } else {
      const size_t task = *worker.task;
      worker.task.reset();
      ++finished_;
      done_(task, {std::move(*frame), {}});
    }
    GiveTask(i);
    return true;
  }

  // The next task to worker `i`, or its end when none is left.
  void GiveTask(size_t i) {
    Worker& worker = workers_[i];
    if (next_ < count_ && SendFrame(worker.socket, std::to_string(next_))) {
      worker.task = next_++;
      return;
    }
    if (next_ < count_) return;  // gone: the next poll sees its end
    close(worker.socket);
    finishedPids_.push_back(worker.pid);
    workers_.erase(workers_.begin() + static_cast<std::ptrdiff_t>(i));
  }

  bool Died(size_t i, std::string& error) {
    const Worker worker = workers_[i];
    workers_.erase(workers_.begin() + static_cast<std::ptrdiff_t>(i));
    close(worker.socket);
    const std::string reason = Reap(worker.pid);
    if (!worker.greeted) {
      error = "a worker process " + reason + " while starting";
      return false;
    }
    if (worker.task) {
      ++finished_;
      done_(*worker.task, {std::nullopt, "its worker process " + reason});
    }
    return next_ >= count_ || Spawn(error);
  }

  const WorkerPool::MakeWorker& make_;
  const WorkerPool::Accept& accept_;
  const WorkerPool::Done& done_;
  std::vector<Worker> workers_;
  std::vector<pid_t> finishedPids_;
  size_t count_ = 0;
  size_t next_ = 0;
  size_t finished_ = 0;
};

}  // namespace

bool WorkerPool::Run(size_t count, const Accept& accept, const Done& done, std::string& error) {
  PoolRun run(make_, accept, done);
  return run.Run(count, jobs_ == 0 ? 1 : jobs_, error);
}

}  // namespace orlo::host
