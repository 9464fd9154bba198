#include "host/serve/ServeHost.h"

#include "host/output/HtmlPage.h"
#include "host/output/Notes.h"
#include "host/output/SettingsOutput.h"
#include "host/session/SettingsDialogUser.h"
#include "host/sweeps/SweepFileError.h"
#include "host/sweeps/SweepImport.h"
#include "platform/common/Bus.h"
#include "platform/common/Utf8.h"
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace orlo::host {

namespace {

using json::Value;

// A request's argument, or null when absent or of another kind.
const Value* Argument(const Value& request, std::string_view name, Value::Kind kind) {
  const Value* value = request.Find(name);
  return value != nullptr && value->kind() == kind ? value : nullptr;
}

std::optional<std::string> TextArgument(const Value& request, std::string_view name) {
  const Value* value = Argument(request, name, Value::Kind::kString);
  return value != nullptr ? std::optional<std::string>(value->Text()) : std::nullopt;
}

// A whole number in [low, high], or nullopt.
std::optional<int> IntegerArgument(const Value& request, std::string_view name, int low, int high) {
  const Value* value = Argument(request, name, Value::Kind::kNumber);
  if (value == nullptr) return std::nullopt;
  const double number = value->AsDouble();
  if (number != std::floor(number) || number < low || number > high) return std::nullopt;
  return static_cast<int>(number);
}

bool FlagArgument(const Value& request, std::string_view name) {
  const Value* value = Argument(request, name, Value::Kind::kBool);
  return value != nullptr && value->AsBool();
}

Value BoxesDocument(const std::vector<win::MessageBoxRecord>& boxes, size_t from) {
  Value list = Value::MakeArray();
  for (size_t i = from; i < boxes.size(); ++i) {
    Value box = Value::MakeObject();
    box.Set("text", Value::String(boxes[i].text));
    box.Set("caption", Value::String(boxes[i].caption));
    box.Set("style", Value::Integer(boxes[i].style));
    box.Set("answer", Value::Integer(boxes[i].answer));
    list.Append(std::move(box));
  }
  return list;
}

// Why a request is refused (400): it names no valid action or argument.
struct BadRequest {
  std::string reason;
};

}  // namespace

CServeHost::CServeHost(const std::filesystem::path& folder, CStateBoard& board)
    : folder_(folder), shownFolder_(orlo::ValidUtf8(folder.string())), board_(board) {}

bool CServeHost::Start(const HostSessionOptions& options, const std::optional<std::string>& selector,
                       std::string& reason, bool& unknownAnalyzer) {
  files_ = folder_.List();
  if (!host_.Start(options, reason)) return false;
  host_.Graph().SetVisibleSweeps({});
  const CAnalysisHost::AnalyzerStart started = host_.StartAnalyzers(selector, reason);
  if (started != CAnalysisHost::AnalyzerStart::kStarted) {
    unknownAnalyzer = started == CAnalysisHost::AnalyzerStart::kNoSuchAnalyzer;
    return false;
  }
  ReadSettings();
  Publish();
  return true;
}

ActOutcome CServeHost::Act(const Value& request) {
  KeepBoxesShownOutsideActions();
  const size_t boxesBefore = win::MessageBoxes().size();
  const std::optional<std::string> action =
      request.kind() == Value::Kind::kObject ? TextArgument(request, "action") : std::nullopt;
  std::string error;
  try {
    if (!action) throw BadRequest{"the request names no action"};
    if (*action == "pick" || *action == "unpick") {
      const std::optional<std::string> path = TextArgument(request, "path");
      if (!path) throw BadRequest{"no path"};
      error = *action == "pick" ? Pick(*path) : Unpick(*path);
    } else if (*action == "select") {
      const std::optional<std::string> name = TextArgument(request, "name");
      if (!name) throw BadRequest{"no sweep name"};
      if (!host_.Graph().ClickSweep(orlo::Utf8ToWide(*name), FlagArgument(request, "ctrl"))) {
        error = "no sweep '" + *name + "' in the graph";
      }
    } else if (*action == "row") {
      const auto analyzer = IntegerArgument(request, "analyzer", 0, 1'000);
      const auto row = IntegerArgument(request, "row", 0, 1'000'000);
      if (!analyzer || !row) throw BadRequest{"no analyzer or row"};
      if (!host_.Run().ClickResultsRow(*row, static_cast<size_t>(*analyzer))) {
        error = "row " + std::to_string(*row) + " is not a row of that results grid";
      }
    } else if (*action == "click") {
      const std::optional<std::string> text = TextArgument(request, "text");
      if (!text) throw BadRequest{"no button text"};
      if (!host_.Run().ClickButton(orlo::Utf8ToWide(*text))) {
        error = "no panel has a button '" + *text + "'";
      }
    } else if (*action == "test-analyzer") {
      if (testAnalyzer_) {
        error = "the test analyzer runs already";
      } else {
        testAnalyzer_ = host_.StartTestAnalyzer(error) == CAnalysisHost::AnalyzerStart::kStarted;
      }
    } else if (*action == "zoom") {
      const Value* low = Argument(request, "low", Value::Kind::kNumber);
      const Value* high = Argument(request, "high", Value::Kind::kNumber);
      if (low == nullptr || high == nullptr) {
        zoom_.reset();
      } else if (!(low->AsDouble() > 0.0 && low->AsDouble() < high->AsDouble() &&
                   std::isfinite(high->AsDouble()))) {
        throw BadRequest{"a zoom needs 0 < low < high"};
      } else {
        zoom_ = {low->AsDouble(), high->AsDouble()};
      }
    } else if (*action == "settings") {
      error = Settings(request);
    } else if (*action == "rescan") {
      files_ = folder_.List();
    } else {
      throw BadRequest{"no action '" + *action + "'"};
    }
  } catch (const BadRequest& bad) {
    Value document = Value::MakeObject();
    document.Set("ok", Value::Bool(false));
    document.Set("error", Value::String(bad.reason));
    return {400, std::move(document)};
  }
  Value document = Value::MakeObject();
  document.Set("ok", Value::Bool(error.empty()));
  document.Set("error", error.empty() ? Value() : Value::String(error));
  document.Set("messageBoxes", BoxesDocument(win::MessageBoxes(), boxesBefore));
  boxesSeen_ = win::MessageBoxes().size();
  Publish();
  return {error.empty() ? 200 : 409, std::move(document)};
}

std::string CServeHost::Pick(const std::string& path) {
  if (std::any_of(picked_.begin(), picked_.end(), [&](const Picked& p) { return p.path == path; })) {
    return "'" + path + "' is picked already";
  }
  const auto loaded = std::find_if(loaded_.begin(), loaded_.end(),
                                   [&](const auto& entry) { return entry.first == path; });
  std::wstring name;
  if (loaded != loaded_.end()) {
    name = loaded->second;
  } else {
    Sweep sweep;
    try {
      sweep = folder_.Import(path);
    } catch (const SweepFileError& failure) {
      return failure.what();
    }
    std::vector<Sweep> named;  // the names taken, for UniqueSweepName
    for (const std::wstring& taken : host_.Graph().SweepNames()) {
      named.push_back(Sweep{orlo::WideToUtf8(taken), "", {}});
    }
    sweep.name = UniqueSweepName(sweep.name, named);
    name = orlo::Utf8ToWide(sweep.name);
    host_.Graph().AddSweep(std::move(sweep));
    loaded_.emplace_back(path, name);
  }
  picked_.push_back({path, name});
  ShowPicked();
  return "";
}

std::string CServeHost::Unpick(const std::string& path) {
  if (std::erase_if(picked_, [&](const Picked& p) { return p.path == path; }) == 0) {
    return "'" + path + "' is not picked";
  }
  ShowPicked();
  return "";
}

void CServeHost::ShowPicked() {
  std::vector<std::wstring> names;
  for (const Picked& picked : picked_) names.push_back(picked.name);
  host_.Graph().SetVisibleSweeps(std::move(names));
}

std::string CServeHost::Settings(const Value& request) {
  const std::vector<IBaseAnalyzer*>& analyzers = host_.Session().Analyzers();
  if (analyzers.empty() || !analyzers[0]->HasSettings()) return "the module has no settings dialog";
  using Kind = SettingsAction::Kind;
  static const std::pair<const char*, Kind> kKinds[] = {
      {"technique", Kind::kTechnique}, {"magnitude-difference", Kind::kMagnitudeDifference},
      {"add", Kind::kAddBand},         {"edit", Kind::kEditBand},
      {"delete", Kind::kDeleteBand}};
  const std::optional<std::string> kind = TextArgument(request, "kind");
  const auto found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                  [&](const auto& entry) { return kind == entry.first; });
  if (found == std::end(kKinds)) throw BadRequest{"no settings action '" + kind.value_or("") + "'"};
  SettingsAction action;
  action.kind = found->second;
  action.technique = IntegerArgument(request, "technique", 0, 2);
  if (action.kind == Kind::kTechnique && !action.technique) throw BadRequest{"no technique"};
  action.on = FlagArgument(request, "on");
  action.limit = TextArgument(request, "limit");
  action.label = TextArgument(request, "label");
  action.minFreq = TextArgument(request, "min");
  action.maxFreq = TextArgument(request, "max");
  action.normal = TextArgument(request, "normal");
  action.suspect = TextArgument(request, "suspect");
  if (action.kind == Kind::kEditBand || action.kind == Kind::kDeleteBand) {
    const std::optional<int> row = IntegerArgument(request, "row", 1, 1'000'000);
    if (!row) throw BadRequest{"no band row"};
    action.row = *row;
  }
  action.yes = FlagArgument(request, "yes");
  const std::string fault = DoSettingsAction(*analyzers[0], action);
  ORLOSendMessage("ANALYZER_SettingsChange", nullptr);
  ReadSettings();
  return fault;
}

void CServeHost::ReadSettings() {
  settings_.reset();
  const std::vector<IBaseAnalyzer*>& analyzers = host_.Session().Analyzers();
  if (analyzers.empty() || !analyzers[0]->HasSettings()) return;
  const size_t boxes = win::MessageBoxes().size();
  const std::optional<SettingsSnapshot> snapshot = ReadSettingsDialog(*analyzers[0]);
  if (!snapshot) return;
  // What the dialog shows beside what it holds: its title, the selector's entries and the
  // limit box's text.
  Value document = SettingsJson(*snapshot);
  document.Set("title", Value::String(snapshot->title));
  Value techniques = Value::MakeArray();
  for (const std::wstring& entry : snapshot->techniques) techniques.Append(Value::String(entry));
  document.Set("techniques", std::move(techniques));
  document.Set("selectedTechnique", Value::Integer(snapshot->selectedTechnique));
  document.Set("limitText", Value::String(snapshot->limit));
  document.Set("messageBoxes", BoxesDocument(win::MessageBoxes(), boxes));
  std::ostringstream grid;
  WriteGridTable("bands", snapshot->bands, grid);
  document.Set("gridHtml", Value::String(grid.str()));
  settings_ = std::move(document);
}

void CServeHost::KeepBoxesShownOutsideActions() {
  const std::vector<win::MessageBoxRecord>& record = win::MessageBoxes();
  for (size_t i = boxesSeen_; i < record.size(); ++i) boxes_.push_back(record[i]);
  if (boxes_.size() > kMaxBoxes) boxes_.erase(boxes_.begin(), boxes_.end() - kMaxBoxes);
  boxesSeen_ = record.size();
}

Value CServeHost::Panels() {
  std::vector<PanelSnapshot> panels = host_.Run().Snapshot(host_.Graph());
  Value list = Value::MakeArray();
  for (PanelSnapshot& panel : panels) {
    for (GraphSnapshot& graph : panel.graphs) graph.frequencyWindow = zoom_;
    std::ostringstream html;
    WritePanelSection(panel, html);
    Value entry = Value::MakeObject();
    entry.Set("index", Value::Integer(static_cast<std::int64_t>(panel.index)));
    entry.Set("name", Value::String(panel.name));
    entry.Set("html", Value::String(html.str()));
    Value buttons = Value::MakeArray();
    for (const std::wstring& text : host_.Run().ButtonTexts(panel.index)) buttons.Append(Value::String(text));
    entry.Set("buttons", std::move(buttons));
    list.Append(std::move(entry));
  }
  return list;
}

Value CServeHost::StateDocument() {
  Value document = Value::MakeObject();
  document.Set("folder", Value::String(shownFolder_));
  Value files = Value::MakeArray();
  for (const FolderEntry& entry : files_) {
    Value file = Value::MakeObject();
    file.Set("path", Value::String(entry.path));
    file.Set("name", Value::String(entry.name));
    file.Set("format", Value::String(entry.format));
    file.Set("points", Value::Integer(static_cast<std::int64_t>(entry.points)));
    file.Set("error", entry.error.empty() ? Value() : Value::String(entry.error));
    const auto picked = std::find_if(picked_.begin(), picked_.end(),
                                     [&](const Picked& p) { return p.path == entry.path; });
    file.Set("picked", picked == picked_.end()
                           ? Value()
                           : Value::Integer(picked - picked_.begin() + 1));
    const auto loaded = std::find_if(loaded_.begin(), loaded_.end(),
                                     [&](const auto& l) { return l.first == entry.path; });
    file.Set("sweep", loaded == loaded_.end() ? Value() : Value::String(loaded->second));
    files.Append(std::move(file));
  }
  document.Set("files", std::move(files));
  Value selected = Value::MakeArray();
  for (const std::wstring& name : host_.Graph().SelectedSweeps()) {
    selected.Append(Value::String(name));
  }
  document.Set("selected", std::move(selected));
  std::ostringstream notes;
  WriteNotes(SweepNotes(host_.Graph()), notes);
  document.Set("notesHtml", Value::String(notes.str()));
  document.Set("panels", Panels());
  document.Set("testAnalyzer", Value::Bool(testAnalyzer_));
  Value zoom;
  if (zoom_) {
    zoom = Value::MakeArray();
    zoom.Append(Value::Number(zoom_->first));
    zoom.Append(Value::Number(zoom_->second));
  }
  document.Set("zoom", std::move(zoom));
  document.Set("settings", settings_ ? *settings_ : Value());
  document.Set("messageBoxes", BoxesDocument(boxes_, 0));
  return document;
}

void CServeHost::Publish() {
  KeepBoxesShownOutsideActions();
  const Value document = StateDocument();
  const std::string state = json::Write(document, 0);
  if (state == lastState_) return;
  lastState_ = state;
  Value versioned = Value::MakeObject();
  versioned.Set("version", Value::Integer(static_cast<std::int64_t>(++version_)));
  for (const json::Member& member : document.Members()) versioned.Set(member.key, member.value);
  board_.Publish(json::Write(versioned, 0));
}

}  // namespace orlo::host
