// `orlo settings`: drives the correlation analysis's settings dialog and band editor the
// way a user does (picks, ticks, typing and clicks queued for the dialogs' modal runs),
// then opens the dialog once more and prints it.
#include "platform/common/Utf8.h"
#include "host/cli/Command.h"
#include "host/output/SettingsOutput.h"
#include "host/session/HostSession.h"
#include "host/session/ScopedEnvironment.h"
#include "host/sweeps/NumberText.h"
#include "platform/common/GuiItem.h"
#include "platform/common/TextCase.h"
#include "platform/common/UserActions.h"
#include "platform/controls/GridCtrl.h"
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cwctype>
#include <functional>
#include <filesystem>
#include <optional>
#include <ostream>
#include <set>

namespace orlo::host {

namespace {

constexpr char kDescription[] =
    "Opens the settings dialog of the correlation analysis (analyzer 0) as the application\n"
    "does, does what the action says through the dialog's controls and the band editor,\n"
    "and prints the dialog as it shows afterwards: the statistical technique ('>' marks\n"
    "the selected one), the bands of that technique, the magnitude-difference check box\n"
    "and limit, and every message box shown. Every change is written at once to\n"
    "Analyzer.xml in the settings folder ($ORLO_APPDATA, else $XDG_CONFIG_HOME/orlo, else\n"
    "~/.config/orlo). Frequencies take the prefixes k, M and G (100k, 1M). A settings\n"
    "file that cannot be read is kept as Analyzer.xml.unreadable (.2, ...) when a change\n"
    "replaces it, and the output says so.\n";

constexpr char kExitStatus[] =
    "exit status: 0 done, 1 the dialog showed an error message box (a value refused, the\n"
    "file not written; nothing was written then), 2 usage error (also a ROW that is not a\n"
    "band), 3 the module cannot be loaded\n";

constexpr std::array<const char*, 3> kTechniqueNames = {"LRxy", "RXy", "NCEPRI"};

struct SettingsOptions {
  std::optional<std::string> settingsDir;
  bool json = false;
  std::string action;
  std::optional<int> technique;
  bool on = false;
  std::optional<std::string> limit;
  // What is typed into the band editor's boxes.
  std::optional<std::string> label, minFreq, maxFreq, normal, suspect;
  int row = 0;
  bool yes = false;
};

std::optional<int> ParseTechnique(const std::string& text) {
  for (int technique = 0; technique < static_cast<int>(kTechniqueNames.size()); ++technique) {
    if (text == std::to_string(technique) || EqualsIgnoringCase(text, kTechniqueNames[technique])) {
      return technique;
    }
  }
  return std::nullopt;
}

std::optional<bool> ParseSwitch(const std::string& text) {
  if (text == "on") return true;
  if (text == "off") return false;
  return std::nullopt;
}

std::optional<int> ParseRow(const std::string& text) {
  const std::optional<double> value = ParseNumber(text);
  if (!value || *value != std::floor(*value) || *value < 1.0 || *value > 1'000'000) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

// A limit or threshold as the user types it, when it is a finite number (a decimal comma
// is accepted where the dialog takes one).
std::function<std::optional<std::string>(const std::string&)> FiniteNumber(bool decimalComma) {
  return [decimalComma](const std::string& text) -> std::optional<std::string> {
    const std::optional<double> value = ParseNumber(text, decimalComma);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return text;
  };
}

// The text a user types for a frequency: as given, or with a prefix (k, M, G) the value
// in hertz.
std::optional<std::string> ParseFrequency(const std::string& text) {
  const NumberRead number = ReadNumberPrefix(text);
  if (!number.ok() || !std::isfinite(number.value)) return std::nullopt;
  const std::string_view rest = std::string_view(text).substr(number.length);
  if (rest.empty()) return text;
  const std::array<std::pair<std::string_view, double>, 3> prefixes = {
      {{"k", 1e3}, {"M", 1e6}, {"G", 1e9}}};
  for (const auto& [prefix, factor] : prefixes) {
    if (rest == prefix) return json::Value::Number(number.value * factor).Text();
  }
  return std::nullopt;
}

Store<SettingsOptions> Text(std::optional<std::string> SettingsOptions::*member) {
  return Assign(member);
}

Store<SettingsOptions> Threshold(std::optional<std::string> SettingsOptions::*member) {
  return Convert(member, FiniteNumber(false));
}

std::function<void(SettingsOptions&)> Chosen(const char* action) {
  return [action](SettingsOptions& options) { options.action = action; };
}

const CommandSyntax<SettingsOptions>& SettingsSyntax() {
  using O = SettingsOptions;
  static constexpr char kFrequency[] = "a frequency in Hz such as 1000, 100k or 1M";
  static constexpr char kThreshold[] = "a finite number such as 0.9";
  static const CommandSyntax<SettingsOptions> syntax = {
      .name = "settings",
      .summary = "change the correlation analysis's settings through its dialog",
      .description = kDescription,
      .epilogue = kExitStatus,
      .options =
          {
              {"--settings-dir", "DIR",
               "read and write the settings in DIR (sets ORLO_APPDATA for the run)", "",
               Assign(&O::settingsDir)},
              {"--json", nullptr, "print one JSON document (format \"orlo-settings/1\") instead",
               "", Set(&O::json)},
          },
      .actions =
          {
              {.name = "show", .summary = "print the dialog", .select = Chosen("show")},
              {.name = "save",
               .summary = "click OK: writes everything the dialog shows (on first use the "
                          "default bands of every technique)",
               .select = Chosen("save")},
              {.name = "technique",
               .summary = "pick the statistical technique in the selector",
               .positionals = {{"TECHNIQUE", "LRxy, RXy, NCEPRI, 0, 1 or 2",
                                Convert(&O::technique, ParseTechnique)}},
               .select = Chosen("technique")},
              {.name = "magnitude-difference",
               .summary = "tick or clear the magnitude-difference check box, type the limit "
                          "when given, then click OK",
               .options = {{"--limit", "X",
                            "the limit, typed as given (a decimal comma is accepted)",
                            "a finite number such as 0.25 or 0,25",
                            Convert(&O::limit, FiniteNumber(true))}},
               .positionals = {{"ON|OFF", "on or off", Convert(&O::on, ParseSwitch)}},
               .select = Chosen("magnitude-difference")},
              {.name = "band",
               .summary = "change the bands of the selected technique",
               .actions =
                   {
                       {.name = "add",
                        .summary = "click Add..., fill in the band editor and click OK",
                        .options =
                            {
                                {"--label", "L", "the band's text", "", Text(&O::label), true},
                                {"--min", "F", "its lower edge", kFrequency,
                                 Convert(&O::minFreq, ParseFrequency), true},
                                {"--max", "F", "its upper edge", kFrequency,
                                 Convert(&O::maxFreq, ParseFrequency), true},
                                {"--normal", "X", "the Normal threshold", kThreshold, Threshold(&O::normal)},
                                {"--suspect", "X", "the Suspect (Slight) threshold", kThreshold,
                                 Threshold(&O::suspect)},
                                {"--technique", "T",
                                 "pick this technique first (LRxy, RXy, NCEPRI, 0, 1 or 2)",
                                 "LRxy, RXy, NCEPRI, 0, 1 or 2",
                                 Convert(&O::technique, ParseTechnique)},
                            },
                        .select = Chosen("band add")},
                       {.name = "edit",
                        .summary = "click band ROW, click Edit..., change what is given and "
                                   "click OK",
                        .options =
                            {
                                {"--label", "L", "the band's text", "", Text(&O::label)},
                                {"--min", "F", "its lower edge", kFrequency,
                                 Convert(&O::minFreq, ParseFrequency)},
                                {"--max", "F", "its upper edge", kFrequency,
                                 Convert(&O::maxFreq, ParseFrequency)},
                                {"--normal", "X", "the Normal threshold", kThreshold, Threshold(&O::normal)},
                                {"--suspect", "X", "the Suspect (Slight) threshold", kThreshold,
                                 Threshold(&O::suspect)},
                            },
                        .positionals = {{"ROW", "a row number from 1", Convert(&O::row, ParseRow)}},
                        .select = Chosen("band edit")},
                       {.name = "delete",
                        .summary = "click band ROW and Delete; the question is answered Yes "
                                   "with --yes, else No",
                        .options = {{"--yes", nullptr, "answer Yes", "", Set(&O::yes)}},
                        .positionals = {{"ROW", "a row number from 1", Convert(&O::row, ParseRow)}},
                        .select = Chosen("band delete")},
                   }},
          },
  };
  return syntax;
}

// ---------------------------------------------------------------------------------------
// The user at the dialog the host shows

// Items under `item` (depth first) that `match`.
void Collect(CORLOGuiItem& item, const std::function<bool(const CORLOGuiItem&)>& match,
             std::vector<CORLOGuiItem*>& found) {
  if (match(item)) found.push_back(&item);
  for (const auto& child : item.Children()) Collect(*child, match, found);
}

std::vector<CORLOGuiItem*> ItemsOfKind(int kind) {
  std::vector<CORLOGuiItem*> found;
  if (CORLOGuiItem* dialog = CORLOGuiItem::RunningDialog()) {
    Collect(*dialog, [kind](const CORLOGuiItem& item) { return item.Kind() == kind; }, found);
  }
  return found;
}

CORLOGuiItem* ItemOfKind(int kind, size_t index = 0) {
  const std::vector<CORLOGuiItem*> items = ItemsOfKind(kind);
  return index < items.size() ? items[index] : nullptr;
}

CORLOGuiItem* Button(const wchar_t* caption) {
  for (CORLOGuiItem* button : ItemsOfKind(ORLO_GUI_BUTTON)) {
    if (button->Text() == caption) return button;
  }
  return nullptr;
}

// The edit boxes of the band editor, in the order it shows them.
enum EditorBox : size_t { kLabelBox, kMinBox, kMaxBox, kNormalBox, kSuspectBox };

class SettingsSession {
 public:
  explicit SettingsSession(const SettingsOptions& options) : options_(options) {}

  // Queues what the action does; a step a user could not do is noted in Fault().
  void QueueAction() {
    const std::string& action = options_.action;
    if (action == "technique" || (action == "band add" && options_.technique)) {
      Do("pick the technique", [this] {
        return user::PickEntry(ItemOfKind(ORLO_GUI_DROPDOWN), *options_.technique);
      });
    }
    if (action == "save") {
      Click(L"OK");
    } else if (action == "magnitude-difference") {
      Do("tick the check box",
         [this] { return user::TickCheckBox(ItemOfKind(ORLO_GUI_CHECKBOX), options_.on); });
      if (options_.limit) Type(options_.limit, 0);
      Click(L"OK");
    } else if (action == "band add") {
      Click(L"Add...");
      FillEditor();
    } else if (action == "band edit") {
      ClickRow();
      Click(L"Edit...");
      FillEditor();
    } else if (action == "band delete") {
      ClickRow();
      Do("answer the question", [this] {
        if (options_.yes) win::QueueMessageBoxAnswer(IDYES);
        return true;
      });
      Click(L"Delete");
    }
  }

  const std::string& Fault() const { return fault_; }

 private:
  void Do(std::string what, std::function<bool()> step) {
    user::QueueModalAction([this, what = std::move(what), step = std::move(step)] {
      if (fault_.empty() && !step()) fault_ = "could not " + what;
    });
  }
  void Click(const wchar_t* caption) {
    Do("click " + orlo::WideToUtf8(caption), [caption] { return user::ClickButton(Button(caption)); });
  }
  void Type(const std::optional<std::string>& text, size_t box) {
    if (!text) return;
    Do("type '" + *text + "'", [typed = *text, box] {
      return user::TypeText(ItemOfKind(ORLO_GUI_EDIT, box), orlo::Utf8ToWide(typed));
    });
  }
  void FillEditor() {
    Type(options_.label, kLabelBox);
    Type(options_.minFreq, kMinBox);
    Type(options_.maxFreq, kMaxBox);
    Type(options_.normal, kNormalBox);
    Type(options_.suspect, kSuspectBox);
    Click(L"OK");
  }
  void ClickRow() {
    user::QueueModalAction([this] {
      auto* grid = ItemOfKind(ORLO_GUI_GRID);
      const int rows = grid != nullptr && grid->GetWnd() != nullptr
                           ? static_cast<CGridCtrl*>(grid->GetWnd())->GetRowCount()
                           : 0;
      if (options_.row >= rows || !user::ClickGridCell(grid, options_.row, 0)) {
        fault_ = "ROW " + std::to_string(options_.row) + " is not a band (the grid has " +
                 std::to_string(std::max(rows - 1, 0)) + ")";
        user::ClearModalActions();
      }
    });
  }

  const SettingsOptions& options_;
  std::string fault_;
};

// What the settings dialog that runs holds, read by an action queued for it.
std::optional<SettingsReadout> RunningReadout() {
  const CORLOGuiItem* dialog = CORLOGuiItem::RunningDialog();
  const auto* readout = dialog != nullptr ? dynamic_cast<const ISettingsReadout*>(dialog->Owner())
                                          : nullptr;
  return readout != nullptr ? std::optional(readout->GetSettingsReadout()) : std::nullopt;
}

// The copies of unreadable settings files kept beside `file` (file.unreadable, .2, ...).
std::set<std::wstring> KeptCopies(const std::wstring& file) {
  std::set<std::wstring> copies;
  for (int copy = 1;; ++copy) {
    const std::wstring name = file + L".unreadable" + (copy == 1 ? L"" : L"." + std::to_wstring(copy));
    std::error_code ignored;
    if (!std::filesystem::exists(std::filesystem::path(name), ignored)) return copies;
    copies.insert(name);
  }
}

// What the user should know about the run beyond the dialog: an unreadable file that a
// change set aside, and a technique picked with no file, which wrote the technique only.
std::vector<std::wstring> RunNotes(const SettingsOptions& options, const SettingsReadout& before,
                                   const std::set<std::wstring>& keptBefore) {
  std::vector<std::wstring> notes;
  for (const std::wstring& kept : KeptCopies(before.file)) {
    if (keptBefore.count(kept) == 0) {
      notes.push_back(before.file + L" could not be read; it was kept as " + kept +
                      L" and replaced by the settings written.");
    }
  }
  if (options.action == "technique" && !before.loaded) {
    const std::string dir = options.settingsDir ? " --settings-dir " + *options.settingsDir : "";
    notes.push_back(L"Only the technique was written to " + before.file +
                    L"; the bands shown are the defaults, which `orlo settings save" +
                    orlo::Utf8ToWide(dir) + L"` writes too.");
  }
  return notes;
}

bool ShowsError(const std::vector<win::MessageBoxRecord>& boxes) {
  return std::any_of(boxes.begin(), boxes.end(),
                     [](const win::MessageBoxRecord& box) { return (box.style & MB_YESNO) == 0; });
}

int RunSettings(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  SettingsOptions options;
  if (!SettingsSyntax().Parse(args, options, err)) return kExitUsage;
  const ScopedEnvironment settingsDir("ORLO_APPDATA", options.settingsDir);
  CHostSession session;
  std::string reason;
  if (!session.Start(HostSessionOptions{}, reason)) {
    err << "orlo settings: " << reason << '\n';
    return kExitUnreadable;
  }
  const auto& analyzers = session.Analyzers();
  if (analyzers.empty() || !analyzers[0]->HasSettings()) {
    err << "orlo settings: the module has no settings dialog at analyzer 0\n";
    return kExitUnreadable;
  }
  user::ClearModalActions();
  win::ClearMessageBoxes();
  std::optional<SettingsReadout> before;
  std::set<std::wstring> keptBefore;
  user::QueueModalAction([&before, &keptBefore] {
    before = RunningReadout();
    if (before) keptBefore = KeptCopies(before->file);
  });
  SettingsSession user(options);
  user.QueueAction();
  analyzers[0]->ShowSettings(nullptr);
  user::ClearModalActions();
  if (!user.Fault().empty()) {
    err << "orlo settings: " << user.Fault() << '\n';
    return kExitUsage;
  }

  std::optional<SettingsSnapshot> snapshot;
  user::QueueModalAction([&snapshot] {
    if (const CORLOGuiItem* dialog = CORLOGuiItem::RunningDialog()) {
      snapshot = TakeSettingsSnapshot(*dialog);
    }
  });
  analyzers[0]->ShowSettings(nullptr);
  user::ClearModalActions();
  if (!snapshot || !before) {
    err << "orlo settings: the settings dialog could not be read\n";
    return kExitUnreadable;
  }
  snapshot->notes = RunNotes(options, *before, keptBefore);
  if (options.json) {
    out << json::Write(SettingsJson(*snapshot)) << '\n';
  } else {
    PrintSettingsText(*snapshot, out);
  }
  return ShowsError(snapshot->messageBoxes) ? kExitErrorBox : kExitOk;
}

}  // namespace

Command SettingsCommand() { return DeclaredCommand(SettingsSyntax(), RunSettings); }

}  // namespace orlo::host
