#include "host/session/HostSession.h"

#include "platform/common/Bus.h"
#include "platform/win/MessageLoop.h"

#include <cstdlib>

namespace orlo::host {

namespace {

std::string DefaultModulePath() {
  if (const char* configured = std::getenv("ORLO_MODULE_PATH");
      configured != nullptr && *configured != '\0') {
    return configured;
  }
  return CSharedLibrary::BesideExecutable("libORLOAnalyzer.so");
}

}  // namespace

std::vector<IBaseAnalyzer*> AcquireAnalyzers() {
  std::vector<IBaseAnalyzer*> analyzers;
  for (;;) {
    tagANALYZERREF ref;
    ref.nIndex = static_cast<std::int32_t>(analyzers.size());
    ref.pAnalyzer = nullptr;
    ORLOSendMessage("ANALYZER_AquireAnalyzer", &ref);
    if (ref.pAnalyzer == nullptr) return analyzers;
    analyzers.push_back(ref.pAnalyzer);
  }
}

bool CHostSession::Start(const HostSessionOptions& options, std::string& error) {
  win::UseVirtualClock(options.virtualClock);
  if (!mainDialog_.CreateDialogWindow()) {
    error = "cannot create the host's main dialog";
    return false;
  }

  moduleEntry_ = options.moduleEntry;
  testAnalyzerFactory_ = options.testAnalyzerFactory;
  const std::string path =
      options.modulePath.empty() ? DefaultModulePath() : options.modulePath;
  if (moduleEntry_ != nullptr) {
    moduleEntry_(1);
  } else if (!loader_.Load(path, error)) {
    return false;
  }
  moduleAttached_ = true;

  ORLOSendMessage("ORLO_Initialize", nullptr);
  analyzers_ = AcquireAnalyzers();
  if (analyzers_.empty()) {
    error = moduleEntry_ != nullptr ? "the analysis module registers no analyzer"
                                    : "the analysis module '" + path + "' registers no analyzer";
    return false;
  }
  return true;
}

bool CHostSession::RegisterTestAnalyzer(std::string& error) {
  const auto factory = moduleEntry_ != nullptr
                           ? testAnalyzerFactory_
                           : reinterpret_cast<ORLOTestAnalyzerFactory>(
                                 loader_.FindFunction(kTestAnalyzerFactoryName));
  if (!moduleAttached_ || factory == nullptr) {
    error = "the analysis module offers no test analyzer";
    return false;
  }
  ORLOSendMessage("ANALYZER_RegisterAnalyzer", factory());
  analyzers_ = AcquireAnalyzers();
  return true;
}

void CHostSession::Stop() {
  analyzers_.clear();
  if (moduleAttached_) {
    moduleAttached_ = false;
    if (moduleEntry_ != nullptr) {
      moduleEntry_(0);
    } else {
      loader_.Unload();
    }
  }
  mainDialog_.DestroyWindow();
}

}  // namespace orlo::host
