// IHttpServer: the HTTP server of `orlo serve`, as the web host (WebHost.h) sees it.
//
// The server lives in a library of its own, libORLOServe.so (host/serve/http/), the one
// part of `orlo` that links the HTTP library; the web host loads it when `orlo serve`
// starts, so no other command loads the HTTP library and the TLS and compression
// libraries it brings. The library exports one function, ORLOCreateHttpServer (found by
// name with kHttpServerFactoryName): a new server with the given limits, owned by the
// caller, who keeps the library loaded while the server lives.
//
// Bind binds 127.0.0.1:`port` (0: a free port the system picks) and answers the port
// bound, or -1 when the port cannot be had. Serve then answers requests on threads of the
// server's own (host/serve/http/ServeRoutes.h) with the access token and from the host's
// content, which must outlive the serving. Stop (also run by the
// destructor) stops accepting, makes every open connection end within a few tens of
// milliseconds and waits for the server's threads.
#pragma once

#include "host/output/Json.h"
#include "host/serve/ServePage.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace orlo::host {

// The bounds that keep any client from holding the server (host/serve/http/LoopbackServer.h).
struct ServerLimits {
  size_t headBytes = 16 * 1024;
  size_t bodyBytes = 64 * 1024;
  std::chrono::milliseconds connectionDeadline{10'000};
  std::chrono::milliseconds ioTimeout{2'000};
  size_t workers = 8;
  size_t maxConnections = 64;
};

// An action's outcome: the HTTP status and the answer document (CServeHost::Act).
struct ActOutcome {
  int status = 200;
  json::Value document;
};

// What the server answers with, asked of the host on the server's threads.
class IServeContent {
 public:
  virtual ServedPage Page() const = 0;
  // The state document last published, without waiting for the GUI thread.
  virtual std::shared_ptr<const std::string> State() const = 0;
  // Has the GUI thread do `action`: its outcome, or nullopt, doing nothing, once the host
  // is stopping.
  virtual std::optional<ActOutcome> Act(const json::Value& action) = 0;

 protected:
  ~IServeContent() = default;
};

class IHttpServer {
 public:
  virtual ~IHttpServer() = default;

  virtual int Bind(int port) = 0;
  virtual void Serve(const std::string& token, IServeContent& content) = 0;
  virtual void Stop() = 0;
};

}  // namespace orlo::host

extern "C" {

using ORLOHttpServerFactory = orlo::host::IHttpServer* (*)(const orlo::host::ServerLimits& limits);

// A new server, never null.
__attribute__((visibility("default"))) orlo::host::IHttpServer* ORLOCreateHttpServer(
    const orlo::host::ServerLimits& limits);
}

inline constexpr char kHttpServerFactoryName[] = "ORLOCreateHttpServer";
