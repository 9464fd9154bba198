// CLoopbackServer: the HTTP server of `orlo serve` (cpp-httplib), bound to 127.0.0.1 only,
// with limits that keep any client from holding it:
//
//   - one request per connection (no keep-alive), so every request passes the checks
//     below;
//   - the request line and headers must arrive whole within `headBytes`: else 431 (the
//     library's own limits, 8 KiB per line, hold as well); a body beyond `bodyBytes` is
//     refused with 413 before it is read;
//   - every connection ends at most `connectionDeadline` after it was accepted, whatever
//     the client does, and each read or write gives up after `ioTimeout`
//     (CLimitedStream); no more than the head and body limits are ever read;
//   - `workers` threads serve at most `maxConnections` connections at once (the rest
//     wait for a worker); a connection beyond that is answered 503 and closed at once.
//
// Routes and the pre-routing handler are set with the library's API before Start. Start
// serves on threads of the server's own until Stop (also run by the destructor), which
// stops accepting, makes every open connection's next read or write fail (within a few
// tens of milliseconds) and waits for the threads.
#pragma once

#include "host/serve/HttpServer.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <thread>

namespace orlo::host {

class CLoopbackServer : public httplib::Server {
 public:
  explicit CLoopbackServer(ServerLimits limits = {});
  ~CLoopbackServer() override;

  // Binds 127.0.0.1:`port` (0: a free port the system picks); answers the port bound, or
  // -1 when the port cannot be had.
  int Bind(int port);
  void Start();
  void Stop();

 protected:
  bool process_and_close_socket(socket_t socket) override;

 private:
  // 0 when a whole request head of at most headBytes arrived before `deadline`, else the
  // refusal's status: 431 (too long), 408 (too late), 400 (the client closed).
  int AwaitHead(socket_t socket, std::chrono::steady_clock::time_point deadline) const;

  ServerLimits limits_;
  std::atomic<bool> stopping_{false};
  std::thread listener_;
};

}  // namespace orlo::host
