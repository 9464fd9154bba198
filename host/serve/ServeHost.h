// CServeHost: the interactive host behind `orlo serve`, living on the GUI thread: the
// module with its analyzers (CAnalysisHost), the graph the user picks sweep files into,
// the settings dialog, and the state document the page shows.
//
// Every change comes from the page as one action, a JSON object {"action": NAME, ...},
// and reaches the module through the user actions `orlo analyze` and `orlo settings` use:
//   pick {path}            imports a sweep file of the folder into the graph; the sweeps
//                          picked are the graph's visible sweeps, in the order picked
//   unpick {path}          takes a picked sweep out of the visible sweeps again
//   select {name, ctrl}    a click on a sweep in the graph's list (Ctrl held or not)
//   row {analyzer, row}    a click on a row of that analyzer's results grid (as --row)
//   click {text}           a click on the panels' button with that text (as --click)
//   test-analyzer          starts the module's test analyzer
//   zoom {low, high}       shows the graphs between these frequencies (none: all)
//   settings {kind, ...}   one action in the settings dialog (SettingsDialogUser): kind
//                          technique {technique}, magnitude-difference {on, limit},
//                          add {label, min, max, normal, suspect}, edit {row, the same},
//                          delete {row, yes}; then the analyzers are told that their
//                          settings changed, as the application does when the dialog
//                          closes
//   rescan                 lists the folder again
// Act answers the HTTP status (400 for a request that names no valid action or argument,
// 409 for one the host cannot do, 200 otherwise) and a document {"ok", "error", the
// "messageBoxes" shown during the action: text, caption, style, answer}.
//
// Publish renders the state document and puts it on the board when it changed (its
// "version" then grows by one): "folder" (as given), "files" (the folder's entries with "picked", the
// 1-based pick order, or null), "selected" (the graph's selected sweeps), "notesHtml" (the
// notes of the sweeps picked, as the pages render them), "panels" (index, name, the
// panel's "html" as the analysis page renders it and the texts of its "buttons"), "testAnalyzer" (whether
// it runs), "zoom" ([low, high] or null), "settings" (the dialog as `orlo settings --json`
// gives it, with its "title", the selector's "techniques" and "selectedTechnique", the
// limit box's "limitText" and the band grid's "gridHtml"; null when the module has no
// settings dialog)
// and "messageBoxes" (those shown outside any action, the last kMaxBoxes).
#pragma once

#include "host/output/Json.h"
#include "host/serve/HttpServer.h"
#include "host/serve/StateBoard.h"
#include "host/serve/SweepFolder.h"
#include "host/session/AnalysisHost.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orlo::host {

class CServeHost {
 public:
  static constexpr size_t kMaxBoxes = 20;

  CServeHost(const std::filesystem::path& folder, CStateBoard& board);
  CServeHost(const CServeHost&) = delete;
  CServeHost& operator=(const CServeHost&) = delete;

  // Brings up the host and starts the analyzers `selector` names (all without one); false
  // with `reason` set (and `unknownAnalyzer` when the selector names none) otherwise.
  bool Start(const HostSessionOptions& options, const std::optional<std::string>& selector,
             std::string& reason, bool& unknownAnalyzer);
  ActOutcome Act(const json::Value& request);
  void Publish();

 private:
  struct Picked {
    std::string path;
    std::wstring name;  // in the graph
  };

  std::string Pick(const std::string& path);
  std::string Unpick(const std::string& path);
  std::string Settings(const json::Value& request);
  void ShowPicked();
  void ReadSettings();
  json::Value StateDocument();
  json::Value Panels();
  void KeepBoxesShownOutsideActions();

  CSweepFolder folder_;
  std::string shownFolder_;  // as given
  CStateBoard& board_;
  CAnalysisHost host_;
  std::vector<FolderEntry> files_;
  std::vector<Picked> picked_;
  std::vector<std::pair<std::string, std::wstring>> loaded_;  // path → name in the graph
  bool testAnalyzer_ = false;
  std::optional<std::pair<double, double>> zoom_;
  std::optional<json::Value> settings_;
  std::vector<win::MessageBoxRecord> boxes_;  // shown outside actions
  size_t boxesSeen_ = 0;  // of the message box record
  std::string lastState_;
  std::uint64_t version_ = 0;
};

}  // namespace orlo::host
