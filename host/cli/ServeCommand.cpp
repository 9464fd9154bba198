// `orlo serve`: the panels in a browser, served on the loopback until SIGINT or SIGTERM
// (see the usage text below and host/serve/WebHost.h).
#include "host/cli/Command.h"
#include "host/serve/WebHost.h"
#include "host/session/ScopedEnvironment.h"
#include "host/sweeps/NumberText.h"

#include <pthread.h>
#include <signal.h>

#include <optional>
#include <ostream>
#include <thread>

namespace orlo::host {

namespace {

constexpr char kDescription[] =
    "Serves the analyzers' panels as one page on this computer only (127.0.0.1) and\n"
    "prints its address, with a random access token, as the first line:\n"
    "http://127.0.0.1:PORT/?token=TOKEN. Open it in a browser (nothing is opened by\n"
    "itself): pick sweep files of FOLDER (and its subfolders) into the graph, click\n"
    "results rows, zoom the graphs, change the correlation analysis's settings in its\n"
    "dialog and band editor. Every change goes through the module as the application's\n"
    "controls would make it; the settings dialog writes Analyzer.xml as `orlo settings`\n"
    "does. Only files under FOLDER are read. SIGINT (Ctrl+C) or SIGTERM ends it (exit\n"
    "status 0); nothing is saved then that a dialog did not save.\n";

constexpr char kExitStatus[] =
    "exit status: 0 ended by a signal, 2 usage error (also an unknown --analyzer or a\n"
    "FOLDER that is not a folder), 3 the module or the serving library cannot be loaded\n"
    "or the port cannot be had\n";

struct ServeOptions {
  int port = 0;
  std::optional<std::string> settingsDir;
  std::optional<std::string> analyzer;
  std::string folder;
};

std::optional<int> ParsePort(const std::string& text) {
  return ParseWholeNumber(text, 0, 65535);
}

const CommandSyntax<ServeOptions>& ServeSyntax() {
  using O = ServeOptions;
  static const CommandSyntax<ServeOptions> syntax = {
      .name = "serve",
      .summary = "show the panels in a browser, served on 127.0.0.1 with an access token",
      .description = kDescription,
      .epilogue = kExitStatus,
      .options =
          {
              {"--port", "N", "listen on port N (default 0: a free port the system picks)",
               "a port number from 0 to 65535", Convert(&O::port, ParsePort)},
              {"--settings-dir", "DIR",
               "read and write the analyzers' settings in DIR (sets ORLO_APPDATA)", "",
               Assign(&O::settingsDir)},
              {"--analyzer", "INDEX|GUID|NAME",
               "show only this analyzer (its index, GUID or name, case ignored)", "",
               Assign(&O::analyzer)},
          },
      .positionals = {{"FOLDER", "", Assign(&O::folder)}},
  };
  return syntax;
}

// SIGINT and SIGTERM, blocked on every thread started while the object lives (the
// server's threads among them) and taken by Wait instead.
class StopSignals {
 public:
  StopSignals() {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals_, &previous_);
  }
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
  ~StopSignals() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

  void Wait() const {
    int signal = 0;
    sigwait(&signals_, &signal);
  }

 private:
  sigset_t signals_;
  sigset_t previous_;
};

int RunServe(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ServeOptions options;
  if (!ServeSyntax().Parse(args, options, err)) return kExitUsage;
  const ScopedEnvironment settingsDir("ORLO_APPDATA", options.settingsDir);
  const StopSignals signals;
  CWebHost web;
  WebHostOptions webOptions;
  webOptions.folder = options.folder;
  webOptions.port = options.port;
  webOptions.analyzer = options.analyzer;
  if (const auto failure = web.Start(webOptions)) {
    err << "orlo serve: " << failure->reason << '\n';
    return failure->exitCode;
  }
  out << web.Address() << std::endl;
  std::thread watcher([&] {
    signals.Wait();
    web.Stop();
  });
  web.Run();
  watcher.join();
  return kExitOk;
}

}  // namespace

Command ServeCommand() { return DeclaredCommand(ServeSyntax(), RunServe); }

}  // namespace orlo::host
