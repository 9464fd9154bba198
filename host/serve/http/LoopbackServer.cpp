#include "host/serve/http/LoopbackServer.h"

#include "host/serve/http/LimitedStream.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string_view>
#include <vector>

namespace orlo::host {

namespace {

constexpr auto kHeadPollInterval = std::chrono::milliseconds(20);
constexpr size_t kDrainLimit = 256 * 1024;

// Set on the accepting thread while it refuses a connection beyond the limit.
thread_local bool refusingConnection = false;

// Workers for the accepted connections; a connection beyond `limit` (served and waiting)
// is handed back to the accepting thread at once, marked to be refused.
class BoundedTaskQueue : public httplib::TaskQueue {
 public:
  BoundedTaskQueue(size_t workers, size_t limit) : limit_(limit) {
    for (size_t i = 0; i < workers; ++i) threads_.emplace_back([this] { Work(); });
  }

  void enqueue(std::function<void()> task) override {
    {
      std::lock_guard lock(mutex_);
      if (!ending_ && waiting_.size() + busy_ < limit_) {
        waiting_.push_back(std::move(task));
        wake_.notify_one();
        return;
      }
    }
    refusingConnection = true;
    task();
    refusingConnection = false;
  }

  void shutdown() override {
    {
      std::lock_guard lock(mutex_);
      ending_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }

 private:
  void Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return ending_ || !waiting_.empty(); });
      if (waiting_.empty()) return;  // ending, with nothing left
      std::function<void()> task = std::move(waiting_.front());
      waiting_.pop_front();
      ++busy_;
      lock.unlock();
      task();
      lock.lock();
      --busy_;
    }
  }

  const size_t limit_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> waiting_;
  size_t busy_ = 0;
  bool ending_ = false;
  std::vector<std::thread> threads_;
};

const char* StatusText(int status) {
  switch (status) {
    case 408: return "Request Timeout";
    case 431: return "Request Header Fields Too Large";
    case 503: return "Service Unavailable";
    default: return "Bad Request";
  }
}

// Ends the connection after what was written: the client gets the end of the stream,
// then what it sent and nobody read is taken off the socket (a close over unread bytes
// would reset the connection, and the client might lose the answer).
void CloseGently(int socket) {
  shutdown(socket, SHUT_WR);
  char discard[4096];
  for (size_t drained = 0; drained < kDrainLimit;) {
    const ssize_t got = recv(socket, discard, sizeof discard, MSG_DONTWAIT);
    if (got <= 0) break;
    drained += static_cast<size_t>(got);
  }
  close(socket);
}

// Answers a request that is not read with `status` alone.
void AnswerAndClose(int socket, int status) {
  const std::string answer = "HTTP/1.1 " + std::to_string(status) + " " + StatusText(status) +
                             "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
  send(socket, answer.data(), answer.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  CloseGently(socket);
}

}  // namespace

CLoopbackServer::CLoopbackServer(ServerLimits limits) : limits_(limits) {
  signal(SIGPIPE, SIG_IGN);  // a client that went away is an error of a write, not the end
  new_task_queue = [this] { return new BoundedTaskQueue(limits_.workers, limits_.maxConnections); };
  set_payload_max_length(limits_.bodyBytes);
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limits_.ioTimeout);
  const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(limits_.ioTimeout - seconds);
  set_read_timeout(seconds.count(), micros.count());
  set_write_timeout(seconds.count(), micros.count());
}

CLoopbackServer::~CLoopbackServer() { Stop(); }

int CLoopbackServer::Bind(int port) {
  const int bound = port == 0 ? bind_to_any_port("127.0.0.1")
                              : (bind_to_port("127.0.0.1", port) ? port : -1);
  // The library listens with a backlog of 5; connections beyond it would wait for the
  // client's retry (a second) before the limits above even see them.
  if (bound > 0) ::listen(svr_sock_, static_cast<int>(limits_.maxConnections));
  return bound;
}

void CLoopbackServer::Start() {
  listener_ = std::thread([this] { listen_after_bind(); });
}

void CLoopbackServer::Stop() {
  if (!listener_.joinable()) return;
  stopping_ = true;
  stop();
  listener_.join();
}

int CLoopbackServer::AwaitHead(socket_t socket, std::chrono::steady_clock::time_point deadline) const {
  std::vector<char> buffer(limits_.headBytes);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || stopping_) return 408;
    pollfd readable{socket, POLLIN, 0};
    const int ready = poll(&readable, 1, static_cast<int>(std::min(left, kHeadPollInterval).count()));
    if (ready == 0) continue;
    const ssize_t got = ready > 0 ? recv(socket, buffer.data(), buffer.size(), MSG_PEEK) : -1;
    if (got <= 0) return 400;
    if (std::string_view(buffer.data(), static_cast<size_t>(got)).find("\r\n\r\n") !=
        std::string_view::npos) {
      return 0;
    }
    if (static_cast<size_t>(got) >= buffer.size()) return 431;
    std::this_thread::sleep_for(kHeadPollInterval);  // more of the head is on its way
  }
}

bool CLoopbackServer::process_and_close_socket(socket_t socket) {
  const auto deadline = std::chrono::steady_clock::now() + limits_.connectionDeadline;
  const int refusal = refusingConnection ? 503 : AwaitHead(socket, deadline);
  if (refusal != 0) {
    AnswerAndClose(socket, refusal);
    return true;
  }
  CLimitedStream stream(socket, deadline, limits_.ioTimeout, limits_.headBytes + limits_.bodyBytes,
                        stopping_);
  bool closed = false;
  const bool served = process_request(stream, true, closed, nullptr);
  CloseGently(socket);
  return served;
}

}  // namespace orlo::host
