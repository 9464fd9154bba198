// The serving library's one export (host/serve/HttpServer.h): the loopback server with the
// request guard and the routes of `orlo serve`.
#include "host/serve/HttpServer.h"
#include "host/serve/http/LoopbackServer.h"
#include "host/serve/http/RequestGuard.h"
#include "host/serve/http/ServeRoutes.h"

#include <optional>

namespace orlo::host {

namespace {

class CHttpServer final : public IHttpServer {
 public:
  explicit CHttpServer(const ServerLimits& limits) : server_(limits) {}

  int Bind(int port) override { return port_ = server_.Bind(port); }

  void Serve(const std::string& token, IServeContent& content) override {
    guard_.emplace(token, port_);
    InstallRoutes(server_, *guard_, content);
    server_.Start();
  }

  void Stop() override { server_.Stop(); }

 private:
  std::optional<CRequestGuard> guard_;  // outlives the server's threads
  CLoopbackServer server_;
  int port_ = 0;
};

}  // namespace

}  // namespace orlo::host

orlo::host::IHttpServer* ORLOCreateHttpServer(const orlo::host::ServerLimits& limits) {
  return new orlo::host::CHttpServer(limits);
}
