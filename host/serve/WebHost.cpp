#include "host/serve/WebHost.h"

#include "host/serve/AccessToken.h"
#include "host/serve/RequestGuard.h"
#include "host/serve/ServeRoutes.h"
#include "platform/win/MessageLoop.h"

#include <system_error>

namespace orlo::host {

CWebHost::CWebHost() = default;

CWebHost::~CWebHost() {
  queue_.Close();
  if (server_) server_->Stop();
  server_.reset();
  host_.reset();
  queue_.DestroyWindow();
}

std::optional<WebHostFailure> CWebHost::Start(const WebHostOptions& options) {
  std::error_code error;
  if (!std::filesystem::is_directory(options.folder, error)) {
    return WebHostFailure{2, "'" + options.folder.string() + "' is not a folder"};
  }
  HostSessionOptions session = options.session;
  session.virtualClock = false;
  host_ = std::make_unique<CServeHost>(options.folder, board_);
  std::string reason;
  bool unknownAnalyzer = false;
  if (!host_->Start(session, options.analyzer, reason, unknownAnalyzer)) {
    return WebHostFailure{unknownAnalyzer ? 2 : 3, reason};
  }
  if (!queue_.CreateQueueWindow()) return WebHostFailure{3, "cannot create the host's queue window"};
  try {
    token_ = MakeAccessToken();
  } catch (const std::runtime_error& failure) {
    return WebHostFailure{3, failure.what()};
  }
  server_ = std::make_unique<CLoopbackServer>(options.limits);
  port_ = server_->Bind(options.port);
  if (port_ <= 0) {
    return WebHostFailure{3, "cannot listen on 127.0.0.1 port " + std::to_string(options.port)};
  }
  guard_ = std::make_unique<CRequestGuard>(token_, port_);
  InstallRoutes(*server_, *guard_, board_, queue_, *host_);
  server_->Start();
  return std::nullopt;
}

std::string CWebHost::Address() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/?token=" + token_;
}

void CWebHost::Run() {
  while (!stopping_) {
    win::RunFor(kPublishPeriodMs);
    host_->Publish();
  }
}

void CWebHost::Stop() {
  stopping_ = true;
  queue_.Wake();
}

}  // namespace orlo::host
