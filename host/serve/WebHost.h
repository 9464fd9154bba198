// CWebHost: `orlo serve` put together: the host and its analyzers on the GUI thread
// (CServeHost), the HTTP server on threads of its own (IHttpServer, loaded from the serving
// library) and the queue between them (CGuiThreadQueue).
//
// Start, on the thread that is to be the GUI thread, brings up the host, loads the serving
// library, makes the access token, binds the port and starts serving. Run then runs that
// thread's message loop on the real clock, so that the analyzers' timers run as in the
// application, and publishes the state after every round of messages (at least every
// kPublishPeriodMs), until Stop is asked for from any thread (a signal watcher, a test).
// The destructor closes the queue, stops the server (cutting open connections) and takes
// the host down; nothing is saved that a dialog did not save.
#pragma once

#include "host/serve/GuiThreadQueue.h"
#include "host/serve/HttpServer.h"
#include "host/serve/ServeHost.h"
#include "host/serve/StateBoard.h"
#include "host/session/SharedLibrary.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace orlo::host {

struct WebHostOptions {
  std::filesystem::path folder;
  int port = 0;  // 0: a free port
  std::optional<std::string> analyzer;
  HostSessionOptions session;
  ServerLimits limits;
  // The serving library; empty means libORLOServe.so beside the executable
  // (CSharedLibrary::BesideExecutable).
  std::string serverLibrary;
};

// Why Start failed: the exit code `orlo serve` gives (2 usage, 3 unreadable) and a line.
struct WebHostFailure {
  int exitCode = 3;
  std::string reason;
};

class CWebHost : private IServeContent {
 public:
  static constexpr unsigned kPublishPeriodMs = 250;

  CWebHost();
  CWebHost(const CWebHost&) = delete;
  CWebHost& operator=(const CWebHost&) = delete;
  ~CWebHost();

  std::optional<WebHostFailure> Start(const WebHostOptions& options);
  // "http://127.0.0.1:PORT/?token=TOKEN", after a successful Start.
  std::string Address() const;
  int Port() const { return port_; }
  const std::string& Token() const { return token_; }

  void Run();
  void Stop();

 private:
  ServedPage Page() const override { return MakeServePage(token_); }
  std::shared_ptr<const std::string> State() const override { return board_.Current(); }
  std::optional<ActOutcome> Act(const json::Value& action) override;

  std::atomic<bool> stopping_{false};
  CStateBoard board_;
  CGuiThreadQueue queue_;
  std::unique_ptr<CServeHost> host_;
  CSharedLibrary serving_{"the serving library"};
  std::unique_ptr<IHttpServer> server_;
  std::string token_;
  int port_ = 0;
};

}  // namespace orlo::host
