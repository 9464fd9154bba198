// `orlo settings`: drives the correlation analysis's settings dialog and band editor the
// way a user does (picks, ticks, typing and clicks queued for the dialogs' modal runs),
// then opens the dialog once more and prints it.
#include "platform/common/Utf8.h"
#include "host/cli/Command.h"
#include "host/output/SettingsOutput.h"
#include "host/session/HostSession.h"
#include "host/session/ScopedEnvironment.h"
#include "host/session/SettingsDialogUser.h"
#include "host/sweeps/NumberText.h"
#include "platform/common/GuiItem.h"
#include "platform/common/TextCase.h"
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <array>
#include <cmath>
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
  SettingsAction action;
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
  return ParseWholeNumber(text, 1, 1'000'000);
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

using Kind = SettingsAction::Kind;

// Stores into the action's `member`: the text as given, a flag, or the text's `parse`.
Store<SettingsOptions> Text(std::optional<std::string> SettingsAction::*member) {
  return [member](SettingsOptions& options, const std::string& text) {
    options.action.*member = text;
    return true;
  };
}

Store<SettingsOptions> Flag(bool SettingsAction::*member) {
  return [member](SettingsOptions& options, const std::string&) {
    options.action.*member = true;
    return true;
  };
}

template <typename T, typename Parse>
Store<SettingsOptions> Parsed(T SettingsAction::*member, Parse parse) {
  return [member, parse](SettingsOptions& options, const std::string& text) {
    const auto value = parse(text);
    if (!value) return false;
    options.action.*member = *value;
    return true;
  };
}

Store<SettingsOptions> Threshold(std::optional<std::string> SettingsAction::*member) {
  return Parsed(member, FiniteNumber(false));
}

std::function<void(SettingsOptions&)> Chosen(Kind kind) {
  return [kind](SettingsOptions& options) { options.action.kind = kind; };
}

const CommandSyntax<SettingsOptions>& SettingsSyntax() {
  using O = SettingsOptions;
  using A = SettingsAction;
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
              {.name = "show", .summary = "print the dialog", .select = Chosen(Kind::kShow)},
              {.name = "save",
               .summary = "click OK: writes everything the dialog shows (on first use the "
                          "default bands of every technique)",
               .select = Chosen(Kind::kSave)},
              {.name = "technique",
               .summary = "pick the statistical technique in the selector",
               .positionals = {{"TECHNIQUE", "LRxy, RXy, NCEPRI, 0, 1 or 2",
                                Parsed(&A::technique, ParseTechnique)}},
               .select = Chosen(Kind::kTechnique)},
              {.name = "magnitude-difference",
               .summary = "tick or clear the magnitude-difference check box, type the limit "
                          "when given, then click OK",
               .options = {{"--limit", "X",
                            "the limit, typed as given (a decimal comma is accepted)",
                            "a finite number such as 0.25 or 0,25",
                            Parsed(&A::limit, FiniteNumber(true))}},
               .positionals = {{"ON|OFF", "on or off", Parsed(&A::on, ParseSwitch)}},
               .select = Chosen(Kind::kMagnitudeDifference)},
              {.name = "band",
               .summary = "change the bands of the selected technique",
               .actions =
                   {
                       {.name = "add",
                        .summary = "click Add..., fill in the band editor and click OK",
                        .options =
                            {
                                {"--label", "L", "the band's text", "", Text(&A::label), true},
                                {"--min", "F", "its lower edge", kFrequency,
                                 Parsed(&A::minFreq, ParseFrequency), true},
                                {"--max", "F", "its upper edge", kFrequency,
                                 Parsed(&A::maxFreq, ParseFrequency), true},
                                {"--normal", "X", "the Normal threshold", kThreshold, Threshold(&A::normal)},
                                {"--suspect", "X", "the Suspect (Slight) threshold", kThreshold,
                                 Threshold(&A::suspect)},
                                {"--technique", "T",
                                 "pick this technique first (LRxy, RXy, NCEPRI, 0, 1 or 2)",
                                 "LRxy, RXy, NCEPRI, 0, 1 or 2",
                                 Parsed(&A::technique, ParseTechnique)},
                            },
                        .select = Chosen(Kind::kAddBand)},
                       {.name = "edit",
                        .summary = "click band ROW, click Edit..., change what is given and "
                                   "click OK",
                        .options =
                            {
                                {"--label", "L", "the band's text", "", Text(&A::label)},
                                {"--min", "F", "its lower edge", kFrequency,
                                 Parsed(&A::minFreq, ParseFrequency)},
                                {"--max", "F", "its upper edge", kFrequency,
                                 Parsed(&A::maxFreq, ParseFrequency)},
                                {"--normal", "X", "the Normal threshold", kThreshold, Threshold(&A::normal)},
                                {"--suspect", "X", "the Suspect (Slight) threshold", kThreshold,
                                 Threshold(&A::suspect)},
                            },
                        .positionals = {{"ROW", "a row number from 1", Parsed(&A::row, ParseRow)}},
                        .select = Chosen(Kind::kEditBand)},
                       {.name = "delete",
                        .summary = "click band ROW and Delete; the question is answered Yes "
                                   "with --yes, else No",
                        .options = {{"--yes", nullptr, "answer Yes", "", Flag(&A::yes)}},
                        .positionals = {{"ROW", "a row number from 1", Parsed(&A::row, ParseRow)}},
                        .select = Chosen(Kind::kDeleteBand)},
                   }},
          },
  };
  return syntax;
}

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
  if (options.action.kind == Kind::kTechnique && !before.loaded) {
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
  win::ClearMessageBoxes();
  std::optional<SettingsReadout> before;
  std::set<std::wstring> keptBefore;
  const std::string fault = DoSettingsAction(*analyzers[0], options.action, [&before, &keptBefore] {
    before = RunningReadout();
    if (before) keptBefore = KeptCopies(before->file);
  });
  if (!fault.empty()) {
    err << "orlo settings: " << fault << '\n';
    return kExitUsage;
  }
  std::optional<SettingsSnapshot> snapshot = ReadSettingsDialog(*analyzers[0]);
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
