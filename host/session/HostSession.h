// CHostSession: the `orlo` host stood up around the analysis module.
//
// Start brings up, in order: the message loop's clock, the hidden main dialog on the bus,
// the module (loaded from its library, or, for tests that link the module, by calling its
// entry function with "process attach"), the "ORLO_Initialize" broadcast, and the list of
// registered analyzers read from the module's manager. Stop (also run by the destructor)
// unloads the module and then destroys the main dialog. The host sends no
// "ORLO_UnInitialize" of its own: the manager detaches itself when its window goes, and
// the host's other bus clients stay attached until they are torn down.
//
// RegisterTestAnalyzer adds the module's test analyzer, which the manager does not register
// by itself: made by the module's exported factory (found by name in the loaded library,
// or given with the linked entry) and registered with "ANALYZER_RegisterAnalyzer".
//
// The analyzers listed belong to the module's manager; they are valid until Stop.
#pragma once

#include "host/session/MainDialog.h"
#include "host/session/SharedLibrary.h"
#include "module/core/AnalyzerInterfaces.h"
#include "module/testanalyzer/TestAnalyzerFactory.h"

#include <string>
#include <vector>

namespace orlo::host {

// The module's entry point (reason 1: process attach, 0: process detach).
using ModuleEntryFunction = int (*)(unsigned long reason);

struct HostSessionOptions {
  // The module library; empty means the file $ORLO_MODULE_PATH names, when set, else
  // libORLOAnalyzer.so beside the executable (CSharedLibrary::BesideExecutable).
  std::string modulePath;
  // When set, called instead of loading a library.
  ModuleEntryFunction moduleEntry = nullptr;
  // The linked module's test analyzer factory (with moduleEntry).
  ORLOTestAnalyzerFactory testAnalyzerFactory = nullptr;
  // Run timers on the virtual clock (tests, batch commands: waiting costs nothing) instead
  // of the real one (an interactive host).
  bool virtualClock = false;
};

class CHostSession {
 public:
  CHostSession() = default;
  CHostSession(const CHostSession&) = delete;
  CHostSession& operator=(const CHostSession&) = delete;
  ~CHostSession() { Stop(); }

  // False with `error` set when the main dialog or the module could not be brought up, or
  // when the module registers no analyzer (a library that is not the analysis module);
  // whatever was brought up is taken down again by Stop.
  bool Start(const HostSessionOptions& options, std::string& error);
  void Stop();

  CMainDialog& MainDialog() { return mainDialog_; }
  // The registered analyzers in index order, as enumerated by Start (and again by
  // RegisterTestAnalyzer).
  const std::vector<IBaseAnalyzer*>& Analyzers() const { return analyzers_; }
  // Registers a new test analyzer (the last index from then on); the manager owns it and
  // destroys it at unload. False with `error` set when no module is up or it has no factory.
  bool RegisterTestAnalyzer(std::string& error);

 private:
  CMainDialog mainDialog_;
  CSharedLibrary loader_{"the analysis module"};
  ModuleEntryFunction moduleEntry_ = nullptr;
  ORLOTestAnalyzerFactory testAnalyzerFactory_ = nullptr;
  bool moduleAttached_ = false;
  std::vector<IBaseAnalyzer*> analyzers_;
};

// Asks the bus for the analyzer at index 0, 1, ... ("ANALYZER_AquireAnalyzer") until an
// index is left unanswered.
std::vector<IBaseAnalyzer*> AcquireAnalyzers();

}  // namespace orlo::host
