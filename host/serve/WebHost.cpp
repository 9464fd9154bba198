#include "host/serve/WebHost.h"

#include "host/serve/AccessToken.h"
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
  const std::string library = options.serverLibrary.empty()
                                  ? CSharedLibrary::BesideExecutable("libORLOServe.so")
                                  : options.serverLibrary;
  if (!serving_.Load(library, reason)) return WebHostFailure{3, reason};
  const auto factory =
      reinterpret_cast<ORLOHttpServerFactory>(serving_.FindFunction(kHttpServerFactoryName));
  if (factory == nullptr) {
    return WebHostFailure{3, "the serving library '" + library + "' has no " +
                                 kHttpServerFactoryName};
  }
  if (!queue_.CreateQueueWindow()) return WebHostFailure{3, "cannot create the host's queue window"};
  try {
    token_ = MakeAccessToken();
  } catch (const std::runtime_error& failure) {
    return WebHostFailure{3, failure.what()};
  }
  server_.reset(factory(options.limits));
  port_ = server_->Bind(options.port);
  if (port_ <= 0) {
    return WebHostFailure{3, "cannot listen on 127.0.0.1 port " + std::to_string(options.port)};
  }
  server_->Serve(token_, *this);
  return std::nullopt;
}

std::optional<ActOutcome> CWebHost::Act(const json::Value& action) {
  std::optional<ActOutcome> outcome;
  if (!queue_.Call([&] { outcome = host_->Act(action); })) return std::nullopt;
  return outcome;
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
