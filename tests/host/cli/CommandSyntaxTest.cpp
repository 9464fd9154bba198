// The option table on a command shaped like the settings command: options of the command
// and of its actions, a repeatable option, required options, positionals (one and many),
// nested actions and a check across options.
#include "host/cli/CommandSyntax.h"

#include <gtest/gtest.h>

#include <charconv>
#include <sstream>

namespace orlo::host {
namespace {

struct Asked {
  std::string action;
  std::optional<std::string> settingsDir;
  bool json = false;
  bool trace = false;
  std::vector<std::string> clicks;
  std::optional<std::string> technique;
  std::optional<std::string> label;
  std::optional<double> min, max;
  std::optional<int> row;
  bool yes = false;
  std::vector<std::string> files;

  std::string Text() const {
    std::ostringstream text;
    text << action;
    if (settingsDir) text << " dir=" << *settingsDir;
    if (json) text << " json";
    if (trace) text << " trace";
    for (const std::string& click : clicks) text << " click=" << click;
    if (technique) text << " technique=" << *technique;
    if (label) text << " label=" << *label;
    if (min) text << " min=" << *min;
    if (max) text << " max=" << *max;
    if (row) text << " row=" << *row;
    if (yes) text << " yes";
    for (const std::string& file : files) text << " file=" << file;
    return text.str();
  }
};

std::optional<std::string> ParseTechnique(const std::string& text) {
  if (text == "pearson" || text == "spearman") return text;
  return std::nullopt;
}

std::optional<double> ParseFrequency(const std::string& text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<int> ParseRow(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
  return value;
}

std::function<void(Asked&)> Chosen(const char* action) {
  return [action](Asked& asked) { asked.action = action; };
}

const CommandSyntax<Asked>& SettingsSyntax() {
  using A = Asked;
  static const CommandSyntax<Asked> syntax = {
      .name = "settings",
      .summary = "change the settings",
      .description = "Changes the settings.\n",
      .options =
          {
              {"--settings-dir", "DIR", "the settings in DIR", "", Assign(&A::settingsDir)},
              {"--json", nullptr, "print JSON", "", Set(&A::json)},
              {"--click", "BUTTON_TEXT",
               "click the button of the dialog once it shows; given again, the next button "
               "after that",
               "", Append(&A::clicks)},
              {"--trace", nullptr, "trace the bus", "", Set(&A::trace)},
          },
      .actions =
          {
              {.name = "show", .summary = "print the settings", .select = Chosen("show")},
              {.name = "technique",
               .summary = "pick the technique",
               .positionals = {{"TECHNIQUE", "pearson or spearman",
                                Convert(&A::technique, ParseTechnique)}},
               .select = Chosen("technique")},
              {.name = "reset",
               .summary = "restore the defaults",
               .options = {{"--yes", nullptr, "confirm", "", Set(&A::yes), true}},
               .select = Chosen("reset")},
              {.name = "band",
               .summary = "change the bands",
               .actions =
                   {
                       {.name = "add",
                        .summary = "add a band",
                        .options =
                            {
                                {"--label", "L", "its label", "", Assign(&A::label), true},
                                {"--min", "F", "its lower edge in Hz", "a frequency",
                                 Convert(&A::min, ParseFrequency), true},
                                {"--max", "F", "its upper edge in Hz", "a frequency",
                                 Convert(&A::max, ParseFrequency), true},
                                {"--technique", "pearson|spearman", "the set to add it to",
                                 "pearson or spearman", Convert(&A::technique, ParseTechnique)},
                            },
                        .select = Chosen("band add"),
                        .check = [](const Asked& asked) -> std::string {
                          return *asked.min < *asked.max ? "" : "--min must be below --max";
                        }},
                       {.name = "delete",
                        .summary = "delete a band",
                        .options = {{"--yes", nullptr, "confirm", "", Set(&A::yes), true}},
                        .positionals = {{"ROW", "a row number from 1", Convert(&A::row, ParseRow)}},
                        .select = Chosen("band delete")},
                   }},
              {.name = "compare",
               .summary = "compare sweep files",
               .positionals = {{"SWEEP_FILE", "", Append(&A::files), true}},
               .select = Chosen("compare")},
          },
  };
  return syntax;
}

TEST(CommandSyntaxTest, StoresWhatTheLineAsksForOrNamesTheFirstFault) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--json", "band", "add", "--label", "R-LF", "--min", "1e3", "--max", "1e5",
        "--settings-dir", "d", "--technique", "pearson", "--trace"},
       "band add dir=d json trace technique=pearson label=R-LF min=1000 max=100000"},
      {{"--click", "OK", "technique", "spearman", "--click", "Apply", "--click", "OK"},
       "technique click=OK click=Apply click=OK technique=spearman"},
      {{"band", "delete", "--yes", "3"}, "band delete row=3 yes"},
      {{"compare", "a.csv", "-", "--", "--json", "-b.csv"},
       "compare file=a.csv file=- file=--json file=-b.csv"},
      {{"--settings-dir", "--json", "show"}, "show dir=--json"},
      {{}, "orlo settings: no action given\n"},
      {{"band"}, "orlo settings: no action given after 'band'\n"},
      {{"colour"}, "orlo settings: unknown action 'colour'\n"},
      {{"--label", "x", "band", "add"}, "orlo settings: unknown option '--label'\n"},
      {{"band", "add", "--min", "1", "--max", "2"}, "orlo settings: no --label given\n"},
      {{"band", "add", "--label", "x", "--min", "5", "--max", "2"},
       "orlo settings: --min must be below --max\n"},
      {{"band", "add", "--label", "", "--min", "1"}, "orlo settings: --label needs a value\n"},
      {{"band", "add", "--min"}, "orlo settings: --min needs a value\n"},
      {{"band", "add", "--min", "1 kHz"},
       "orlo settings: --min expects a frequency, not '1 kHz'\n"},
      {{"technique", "kendall"},
       "orlo settings: TECHNIQUE expects pearson or spearman, not 'kendall'\n"},
      {{"band", "delete", "--yes"}, "orlo settings: no row given\n"},
      {{"band", "delete", "3"}, "orlo settings: no --yes given\n"},
      {{"band", "delete", "3", "4"}, "orlo settings: unexpected argument '4'\n"},
      {{"compare", "--"}, "orlo settings: no sweep file given\n"},
      {{"compare", "--bogus"}, "orlo settings: unknown option '--bogus'\n"},
      {{"show", "--bogus"}, "orlo settings: unexpected argument '--bogus'\n"},
      {{"reset", "now"}, "orlo settings: unknown argument 'now'\n"},
  };
  for (const auto& [args, expected] : cases) {
    Asked asked;
    std::ostringstream err;
    const bool parsed = SettingsSyntax().Parse(args, asked, err);
    EXPECT_EQ(parsed ? asked.Text() : err.str(), expected);
  }
}

// Lines end at column 86; a label over 20 characters has its help on the next line.
TEST(CommandSyntaxTest, HelpShowsEveryOptionAndActionOfTheTable) {
  EXPECT_EQ(SettingsSyntax().Usage(),
            R"(usage: orlo settings [--settings-dir DIR] [--json] [--click BUTTON_TEXT] [--trace]
                     ACTION ...

Changes the settings.

options:
  --settings-dir DIR    the settings in DIR
  --json                print JSON
  --click BUTTON_TEXT   click the button of the dialog once it shows; given again, the
                        next button after that
  --trace               trace the bus

actions:
  show
      print the settings
  technique TECHNIQUE
      pick the technique
  reset --yes
      restore the defaults
      --yes   confirm
  band ACTION ...
      change the bands
  band add --label L --min F --max F [--technique pearson|spearman]
      add a band
      --label L   its label
      --min F     its lower edge in Hz
      --max F     its upper edge in Hz
      --technique pearson|spearman
                  the set to add it to
  band delete --yes ROW
      delete a band
      --yes   confirm
  compare SWEEP_FILE...
      compare sweep files
)");
}

}  // namespace
}  // namespace orlo::host
