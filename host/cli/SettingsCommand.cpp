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
#include "platform/common/TextCase.h"
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <ostream>

namespace orlo::host {

namespace {

constexpr char kDescription[] =
    "Opens the settings dialog of the correlation analysis (analyzer 0) as the application\n"
    "does, does what the action says through the dialog's controls and the band editor,\n"
    "and prints the dialog as it shows afterwards: the statistical technique ('>' marks\n"
    "the selected one), the bands of that technique, the magnitude-difference check box\n"
    "and limit, and every message box shown. Every change is written at once to\n"
    "Analyzer.xml in the settings folder ($ORLO_APPDATA, else $XDG_CONFIG_HOME/orlo, else\n"
    "~/.config/orlo). Frequencies take the prefixes k, M and G (100k, 1M).\n";

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
  const std::optional<double> value = ParseNumber(text);
  if (!value || *value != std::floor(*value) || *value < 1.0 || *value > 1'000'000) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
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

std::function<void(SettingsOptions&)> Chosen(Kind kind) {
  return [kind](SettingsOptions& options) { options.action.kind = kind; };
}

const CommandSyntax<SettingsOptions>& SettingsSyntax() {
  using O = SettingsOptions;
  using A = SettingsAction;
  static constexpr char kFrequency[] = "a frequency in Hz such as 1000, 100k or 1M";
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
              {.name = "technique",
               .summary = "pick the statistical technique in the selector",
               .positionals = {{"TECHNIQUE", "LRxy, RXy, NCEPRI, 0, 1 or 2",
                                Parsed(&A::technique, ParseTechnique)}},
               .select = Chosen(Kind::kTechnique)},
              {.name = "magnitude-difference",
               .summary = "tick or clear the magnitude-difference check box, type the limit "
                          "when given, then click OK",
               .options = {{"--limit", "X",
                            "the limit, typed as given (a decimal comma is accepted)", "",
                            Text(&A::limit)}},
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
                                {"--normal", "X", "the Normal threshold", "", Text(&A::normal)},
                                {"--suspect", "X", "the Suspect (Slight) threshold", "",
                                 Text(&A::suspect)},
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
                                {"--normal", "X", "the Normal threshold", "", Text(&A::normal)},
                                {"--suspect", "X", "the Suspect (Slight) threshold", "",
                                 Text(&A::suspect)},
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
  if (const std::string fault = DoSettingsAction(*analyzers[0], options.action); !fault.empty()) {
    err << "orlo settings: " << fault << '\n';
    return kExitUsage;
  }
  const std::optional<SettingsSnapshot> snapshot = ReadSettingsDialog(*analyzers[0]);
  if (!snapshot) {
    err << "orlo settings: the settings dialog could not be read\n";
    return kExitUnreadable;
  }
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
