// `orlo analyze` run in-process on the linked module and the virtual clock: what it prints
// (human and JSON), the report and page files, option handling and the shared measurement
// files; and once the built executable as a user runs it.
#include "host/cli/AnalyzeCommand.h"
#include "host/output/Json.h"
#include "platform/common/Bus.h"
#include "platform/common/Utf8.h"
#include "tests/host/RunOrlo.h"
#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>

namespace orlo::host {
namespace {

using json::Value;
using testing::CommandRun;
using testing::ReadFile;
using Strings = std::vector<std::string>;

constexpr char kDlt911Guid[] = "{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}";
const std::string kSharedData = std::string(ORLO_SHARED_DATA_DIR) + "/frequency-response/";

class AnalyzeCommandTest : public ::testing::Test {
 protected:
  void TearDown() override { win::UseVirtualClock(false); }

  static CommandRun Analyze(const Strings& args,
                            ModuleEntryFunction entry = &module::ORLOModuleEntry) {
    return testing::RunOnModule(RunAnalyze, args, entry);
  }

  // The document of a successful --json run.
  static Value AnalyzeJson(Strings args) {
    args.insert(args.begin(), "--json");
    const CommandRun run = Analyze(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return json::Parse(run.out);
  }

  // A simulated phase of the example winding; `severity` > 0 adds a radial deformation.
  std::string Phase(const std::string& name, int seed, int severity = 0) {
    return testing::SimulatePhase(scratch.Path(name + ".csv"), seed, severity);
  }

  // `orlo settings ACTION` on the settings folder `dir`.
  static void ChangeSettings(const std::string& dir, const std::string& action) {
    const testing::OrloRun run = testing::RunOrlo("settings --settings-dir '" + dir + "' " + action);
    ASSERT_EQ(run.exitCode, 0) << run.output;
  }

  static std::string Shared(const std::string& name) { return kSharedData + name; }

  testing::ScratchDirectory scratch;
};

const Value& Panel(const Value& document) { return document.Find("analyzers")->Items().at(0); }

std::string Cell(const Value& panel, const char* grid, size_t row, size_t column) {
  return panel.Find(grid)->Items().at(row).Items().at(column).Text();
}

// The raw band values of pair `pair` (DL/T 911: R-LF, R-MF, R-HF).
std::vector<double> Factors(const Value& panel, size_t pair) {
  std::vector<double> factors;
  for (const Value& band : panel.Find("pairs")->Items().at(pair).Find("statistics")->Items()) {
    factors.push_back(band.Find("value")->AsDouble());
  }
  return factors;
}

std::string TwoDecimals(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

Strings Keys(const Value& object) {
  Strings keys;
  for (const json::Member& member : object.Members()) keys.push_back(member.key);
  return keys;
}

void ExpectShown(const std::string& out, std::initializer_list<const char*> texts) {
  for (const char* text : texts) {
    EXPECT_NE(out.find(text), std::string::npos) << "missing: " << text << "\n" << out;
  }
}

// Sweeps 1 and 2 are the same simulated phase: their pair agrees fully (10 in every band).
TEST_F(AnalyzeCommandTest, JsonDocumentFollowsTheSchemaTheRowOptionAndThePageBesideIt) {
  const Strings files = {Phase("phase-A", 1), Phase("phase-B", 1), Phase("phase-C", 3, 8)};
  const std::string page = scratch.Path("page.html");
  const Value document = AnalyzeJson({"--analyzer", "{e5ddb55e-96c1-47D0-8361-b7519cda16f2}",
                                      "--row", "2", "--html", page, files[0], files[1], files[2]});
  EXPECT_EQ(Keys(document),
            (Strings{"format", "sweeps", "models", "analyzers", "report", "messageBoxes", "notes"}));
  EXPECT_EQ(document.Find("format")->Text(), "orlo-analysis/1");
  EXPECT_EQ(json::Write(document.Find("sweeps")->Items().at(2), 0),
            R"({"name":"phase-C","file":")" + files[2] + R"(","points":1000})");

  ASSERT_EQ(document.Find("analyzers")->Items().size(), 1u);
  const Value& panel = Panel(document);
  EXPECT_EQ(Keys(panel), (Strings{"index", "name", "guid", "results", "selectedRow", "criteria",
                                  "greyed", "conclusion", "magnitudeDifferenceConclusion",
                                  "modelSelector", "sweepSelector", "pairs", "graph", "graphs",
                                  "notes"}));
  EXPECT_EQ(panel.Find("guid")->Text(), kDlt911Guid);
  EXPECT_EQ(panel.Find("selectedRow")->Text(), "2");
  EXPECT_EQ(json::Write(panel.Find("results")->Items().at(1), 0),
            R"(["R 1-2","[phase-A] - [phase-B]","10.00","10.00","10.00","Normal"])");
  EXPECT_EQ(Cell(panel, "results", 3, 1), "[phase-C] - [phase-A]");
  EXPECT_EQ(Cell(panel, "criteria", 3, 0), "R-HF (600kHz - 1MHz)");
  EXPECT_EQ(panel.Find("greyed")->Items().size(), 3u);  // one cell per band row
  EXPECT_TRUE(panel.Find("magnitudeDifferenceConclusion")->IsNull());

  const auto& pairs = panel.Find("pairs")->Items();
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(Keys(pairs[0]), (Strings{"tag", "sweepA", "sweepB", "statistics", "conclusion",
                                     "magnitudeDifference", "magnitudeDifferenceVerdict"}));
  EXPECT_EQ(json::Write(pairs[0].Find("statistics")->Items().at(1), 0),
            R"({"band":"R-MF","low":100000,"high":600000,"value":10})");
  EXPECT_TRUE(pairs[0].Find("magnitudeDifference")->IsNull());
  EXPECT_EQ(pairs[1].Find("tag")->Text(), "2_3");
  EXPECT_EQ(pairs[1].Find("sweepA")->Text(), "phase-B");
  EXPECT_EQ(pairs[1].Find("sweepB")->Text(), "phase-C");
  // Row 2 is selected: its raw values are the grid's texts, and it rules the criteria grid,
  // the conclusion and the graph.
  for (size_t b = 0; b < 3; ++b) {
    EXPECT_EQ(TwoDecimals(Factors(panel, 1)[b]), Cell(panel, "results", 2, b + 2));
    EXPECT_EQ(Cell(panel, "criteria", b + 1, 1), Cell(panel, "results", 2, b + 2));
  }
  EXPECT_EQ(pairs[1].Find("conclusion")->Text(), Cell(panel, "results", 2, 5));
  EXPECT_EQ(panel.Find("conclusion")->Text(), Cell(panel, "results", 2, 5));
  const Value& graph = *panel.Find("graph");
  ASSERT_EQ(graph.Find("curves")->Items().size(), 2u);
  EXPECT_EQ(json::Write(graph.Find("curves")->Items().at(1), 0),  // in its sweep's red
            R"({"name":"phase-C","colour":255,"width":1,"points":1000})");
  EXPECT_EQ(graph.Find("curves")->Items().at(0).Find("name")->Text(), "phase-B");
  ASSERT_EQ(graph.Find("ranges")->Items().size(), 3u);
  EXPECT_EQ(json::Write(graph.Find("ranges")->Items()[0], 0),
            R"({"label":"R-LF","low":1000,"high":100000,"colour":9226495})");

  const auto& report = document.Find("report")->Items();
  ASSERT_EQ(report.size(), 18u);
  EXPECT_EQ(json::Write(report[0], 0), R"({"name":"DTL_911.R 1_2.Rlf","value":"10.00","colour":null})");
  EXPECT_EQ(json::Write(report[10], 0),
            R"({"name":"DTL_911.R 2_3.Name1","value":"phase-B","colour":38400})");
  EXPECT_TRUE(document.Find("messageBoxes")->Items().empty());

  const std::string html = ReadFile(page);  // one panel, the row the user clicked marked
  EXPECT_EQ(html.find("<section class=\"panel\">"), html.rfind("<section class=\"panel\">"));
  EXPECT_NE(html.find("<svg "), std::string::npos);
  EXPECT_NE(html.find("<tr class=\"selected\"><td class=\"marker\">\xE2\x96\xB6</td><td>R 2-3</td>"),
            std::string::npos);
}

TEST_F(AnalyzeCommandTest, HumanOutputShowsThePanelAsTheUserSeesItAndTheReportFile) {
  const std::string a = Phase("a", 1);
  const std::string csv = scratch.Path("r.csv");
  const CommandRun run = Analyze({"--analyzer", "dl/t 911-2004 ANALYZER", "--report", csv, a, a});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ExpectShown(run.out, {
                           "Sweeps (in graph order)\n  1  a      1000 points  ",
                           ": DL/T 911-2004 Analyzer {E5DDB55E-96C1-47d0-8361-B7519CDA16F2}\n====",
                           "\n     Id     Name           R-LF   R-MF   R-HF   Conclusion\n"
                           "  >  R 1-2  [a] - [a (2)]  10.00  10.00  10.00  Normal\n"
                           "     R 2-3\n",
                           "  R-HF (600kHz - 1MHz)    10.00  ",
                           "[0.6 <= R-HF]\n",
                           "\nConclusion: Normal\n",
                           "\n  range  R-LF  #FFC88C  1000 Hz to 100000 Hz\n",
                           "\nReport parameters\n  DTL_911.R 1_2.Rlf         10.00\n",
                           "  DTL_911.R 1_2.Name2       a (2)   #009600\n",
                       });
  // The sweep colours as COLORREF (0x00BBGGRR) in decimal: blue, then green.
  EXPECT_EQ(ReadFile(csv),
            "name,value,colour\nDTL_911.R 1_2.Rlf,10.00,\nDTL_911.R 1_2.Rmf,10.00,\n"
            "DTL_911.R 1_2.Rhf,10.00,\nDTL_911.R 1_2.Conclusion,Normal,\n"
            "DTL_911.R 1_2.Name1,a,16711680\nDTL_911.R 1_2.Name2,a (2),38400\n");
}

TEST_F(AnalyzeCommandTest, RefusedRunsNameTheFaultAndExitWithItsCode) {
  const std::string a = Phase("phase-A", 1);
  const std::string b = Phase("phase-B", 2);
  const std::string model = scratch.Write("m.json", R"({"models":[]})");
  const std::string bad = scratch.Write("bad.csv", "frequency,magnitude\n1000,-3\n2000,abc\n");
  const std::string sub = scratch.Path("sub");
  std::filesystem::create_directory(sub);
  const std::string before = ReadFile(a);
  const std::string prefix = "orlo analyze: ";
  const std::string select = prefix + "--select expects two different sweep numbers N,M from 1, not '";
  const std::string test = "test analyzer";
  struct Refusal {
    Strings args;
    int exitCode;
    std::string err;
  };
  std::vector<Refusal> cases = {
      {{"--row", "0", a}, 2, prefix + "--row expects a row number from 1, not '0'\n"},
      {{"--row", "4", a}, 2, prefix + "--row 4 is not a row of the results grid\n"},
      {{"--analyzer", "no such analyzer", a}, 2,
       prefix + "no analyzer 'no such analyzer' (try 'orlo analyzers')\n"},
      {{"--report", a, "--model-file", model, a, b}, 2,
       prefix + "--report '" + a + "' is one of the input files\n"},
      {{"--html", sub + "/../phase-A.csv", a, b}, 2,
       prefix + "--html '" + sub + "/../phase-A.csv' is one of the input files\n"},
      {{"--report", model, "--model-file", model, a}, 2,
       prefix + "--report '" + model + "' is one of the input files\n"},
      {{"--analyzer", test, "--select", "1,3", a, a}, 2,
       prefix + "--select 1,3 names a sweep beyond the 2 loaded\n"},
      {{"--analyzer", test, "--select", "1,2", "--click", "Test 3", a, a}, 2,
       prefix + "--click: no panel has a button 'Test 3' to click\n"},
      {{"--model-file", sub, a, b}, 3, sub + ": cannot read: is a directory\n"},
      {{a, bad}, 3, bad + ":3: magnitude is not a number: \"abc\"\n"},
      // The panels were printed before the file failed.
      {{"--report", sub + "/no/r.csv", a}, 3,
       prefix + "cannot write '" + sub + "/no/r.csv': No such file or directory\n"},
      {{"--html", sub + "/no/p.html", a}, 3,
       prefix + "cannot write '" + sub + "/no/p.html': No such file or directory\n"},
  };
  for (const std::string pair : {"1", "0,1", "2,2", "1,x", "1,2,3"}) {
    cases.push_back({{"--analyzer", test, "--select", pair, a, a}, 2, select + pair + "'\n"});
  }
  for (const Refusal& refused : cases) {
    const CommandRun run = Analyze(refused.args);
    EXPECT_EQ(run.exitCode, refused.exitCode) << refused.err;
    EXPECT_EQ(run.err, refused.err);
    EXPECT_EQ(run.out.empty(), refused.err.find("cannot write") == std::string::npos) << run.out;
  }
  EXPECT_EQ(ReadFile(a), before);
}

// Names that are not UTF-8 show replacement characters; control characters are escapes in
// the text output (every line of a table stays in its table) and themselves in JSON.
TEST_F(AnalyzeCommandTest, FileNamesThatAreNotUtf8OrHoldControlCharacters) {
  const std::string bad = scratch.Write("bad\xFF.csv", ReadFile(Phase("a", 1)));
  const std::string b = scratch.Write("b\tc\nd.csv", ReadFile(Phase("b", 2)));
  const Value document = AnalyzeJson({"--analyzer", kDlt911Guid, bad, b});  // refuses non-UTF-8
  const Value& sweep = document.Find("sweeps")->Items().at(0);
  EXPECT_EQ(sweep.Find("name")->Text(), "bad\uFFFD");
  EXPECT_EQ(sweep.Find("file")->Text(), scratch.Path("bad\uFFFD.csv"));
  EXPECT_EQ(Cell(Panel(document), "results", 1, 1), "[bad\uFFFD] - [b\tc\nd]");
  const CommandRun human = Analyze({"--analyzer", kDlt911Guid, bad, b});
  EXPECT_EQ(human.out.find('\xFF'), std::string::npos);
  EXPECT_EQ(human.out.find('\t'), std::string::npos);
  ExpectShown(human.out, {"\n  1  bad\uFFFD     1000 points  ", "\n  2  b\\tc\\nd  1000 points  ",
                          "\n  >  R 1-2  [bad\uFFFD] - [b\\tc\\nd]  "});
}

// Sweeps from 100 Hz to 700 kHz: `phase` shifts a ripple; no ripple at all gives a flat sweep.
std::string ShortSweep(std::optional<double> phase) {
  std::string text = "frequency,magnitude\n";
  for (int i = 0; i <= 200; ++i) {
    char line[64];
    const double ripple = phase ? 6.0 * std::sin(i / 7.0 + *phase) : 0.0;
    std::snprintf(line, sizeof line, "%.6g,%.6g\n", 100.0 * std::pow(7000.0, i / 200.0),
                  -20.0 + ripple);
    text += line;
  }
  return text;
}

// The notes of a run are the same in the text, the JSON document and the page.
TEST_F(AnalyzeCommandTest, NotesNameWhatTheGridsShowWithoutAMeasurement) {
  ExpectShown(Analyze({"--analyzer", kDlt911Guid, Phase("a", 1)}).out,
              {"\nNotes\n  No pair was compared: the analyzers compare the first three sweeps in "
               "pairs (1-2, 2-3, 3-1), and there is only one sweep.\n"});

  const std::string a = scratch.Write("a.csv", ShortSweep(0.0));
  const std::string b = scratch.Write("b.csv", ShortSweep(0.4));
  const std::string flat = scratch.Write("flat.csv", ShortSweep(std::nullopt));
  const std::string page = scratch.Path("notes.html");
  const CommandRun run = Analyze({"--analyzer", kDlt911Guid, "--html", page, a, b, flat});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const std::string notReached =
      "a - b, R-HF (600000 Hz to 1000000 Hz) not evaluated (the value shown is no measurement): "
      "the sweeps overlap only from 100 Hz to 700000 Hz.";
  ExpectShown(run.out, {"  >  R 1-2  [a] - [b]     ",
                        ("\nNotes\n  " + notReached + "\n  b - flat, R-LF (1000 Hz to 100000 Hz) "
                         "not evaluated (the value shown is no measurement): sweep 'flat' is flat "
                         "there.\n").c_str(),
                        "\n  flat - a, R-LF (1000 Hz to 100000 Hz) not evaluated"});
  EXPECT_EQ(run.out.find("a - b, R-LF"), std::string::npos);  // evaluated
  EXPECT_NE(ReadFile(page).find("<li data-kind=\"band-not-evaluated\">" + notReached + "</li>"),
            std::string::npos);
  const Value notes = *Panel(AnalyzeJson({"--analyzer", kDlt911Guid, a, b, flat})).Find("notes");
  ASSERT_EQ(notes.Items().size(), 7u);  // a-b: HF; b-flat and flat-a: every band
  EXPECT_EQ(json::Write(notes.Items()[0], 0),
            R"({"kind":"band-not-evaluated","analyzer":1,"rows":[1],"bands":["R-HF"],"text":")" +
                notReached + "\"}");

  // Two sweeps that do not overlap, and the third row, which has no pair.
  const std::string high = scratch.Write("high.csv", "frequency,magnitude\n8e5,-3\n1e6,-4\n");
  ExpectShown(Analyze({"--analyzer", kDlt911Guid, "--row", "3", high, b}).out,
              {"\nNotes\n  Row 3 (R 3-1) compares no pair: one of its sweeps is not loaded, so "
               "the criteria and the conclusion are blank.\n",
               "R-LF (1000 Hz to 100000 Hz) not evaluated (the value shown is no measurement): "
               "the sweeps do not overlap.\n"});
}

// Under the correlation analysis, why it has no bands (or bands without numbers), and the
// way out: a first use without a settings file, one that cannot be read, one without a
// band of its technique, one with a band edge that is no number; after `orlo settings
// save` the analysis judges with the defaults and the note is gone.
TEST_F(AnalyzeCommandTest, SettingsNotesSayWhyTheCorrelationAnalysisJudgesNothing) {
  const std::string dir = scratch.Path("settings");
  const std::string file = dir + "/Analyzer.xml";
  const std::string save = "`orlo settings save --settings-dir " + dir + "`";
  const Strings args = {"--analyzer", "0", "--settings-dir", dir, Phase("a", 1), Phase("b", 2)};
  const std::string tail = ", so this analysis has no bands and judges no pair. " + save;
  const std::pair<const char*, std::string> cases[] = {
      {nullptr, "No settings file: " + file + " does not exist" + tail + " writes the defaults there."},
      {"<VelmoraAnalyzer>", "The settings file " + file + " could not be read (line 1: Premature end "
                            "of data in tag VelmoraAnalyzer line 1)" + tail + " writes the defaults"},
      {"technique NCEPRI", "The settings file " + file + " holds no band of the technique NCEPRI" +
                               tail + " writes the default bands of every technique that has none."},
      {"<MinFreq>nan</MinFreq>", "Band NCEPRI of the settings file " + file + " holds values that "
                                 "are no finite number (MinFreq NaN): its values and verdicts"},
  };
  for (const auto& [settings, note] : cases) {
    if (settings == nullptr) {
    } else if (settings[0] != '<') {
      ChangeSettings(dir, settings);
    } else if (std::string(settings).starts_with("<Min")) {
      ChangeSettings(dir, "save");
      ChangeSettings(dir, "technique NCEPRI");
      std::string bands = ReadFile(file);
      bands.replace(bands.find("<MinFreq>10000</MinFreq>"), 24, settings);
      std::ofstream(file) << bands;
    } else {
      std::ofstream(file) << settings;
    }
    ExpectShown(Analyze(args).out, {("\nNotes\n  " + note).c_str()});
    std::filesystem::remove(file);
  }
  EXPECT_EQ(json::Write(Panel(AnalyzeJson(args)).Find("notes")->Items().at(0), 0),
            R"({"kind":"settings","analyzer":0,"rows":[],"bands":[],"text":")" + cases[0].second +
                "\"}");
  ChangeSettings(dir, "save");
  const Value saved = Panel(AnalyzeJson(args));
  EXPECT_TRUE(saved.Find("notes")->Items().empty());
  EXPECT_EQ(saved.Find("conclusion")->Text(), "Normal");
}

TEST_F(AnalyzeCommandTest, ErrorBoxesArePrintedAndGiveExitCodeOne) {
  const std::string a = Phase("phase-A", 1);
  const CommandRun human = Analyze({a}, &testing::EntryShowingAnErrorBox);
  EXPECT_EQ(human.exitCode, 1);
  ExpectShown(human.out, {"\nMessage boxes\n  [ORLO] error (OK):\n"
                          "    Cannot create curves.\n    Check the graph.\n"});
  const CommandRun json = Analyze({"--json", a}, &testing::EntryShowingAnErrorBox);
  EXPECT_EQ(json.exitCode, 1);
  EXPECT_EQ(json::Write(*json::Parse(json.out).Find("messageBoxes"), 0),
            R"([{"text":"Cannot create curves.\nCheck the graph.","style":16}])");
}

// A batch run on the virtual clock, where the timer period costs nothing, shows the module
// what the real clock does: the same bus deliveries and loop messages (timer ticks, posted
// messages) in the same order, windows numbered as they first appear.
TEST_F(AnalyzeCommandTest, VirtualClockDeliversWhatTheRealClockDoes) {
  const Strings args = {"--settings-change", "--row", "2", Phase("phase-A", 1),
                        Phase("phase-B", 2), Phase("phase-C", 3, 8)};
  const auto sequence = [&](bool virtualClock) {
    Strings events;
    std::map<HWND, size_t> windows;
    const auto window = [&](HWND hwnd) {
      return std::to_string(windows.emplace(hwnd, windows.size()).first->second);
    };
    const int bus = ORLOAddBusObserver([&](const ORLOBusDelivery& delivery) {
      events.push_back(orlo::WideToUtf8(delivery.name) + " -> " + window(delivery.target));
    });
    win::SetLoopObserver([&](const MSG& message) {
      events.push_back("loop " + std::to_string(message.message) + " -> " + window(message.hwnd));
    });
    HostSessionOptions session;
    session.moduleEntry = &module::ORLOModuleEntry;
    session.virtualClock = virtualClock;
    std::ostringstream out, err;
    EXPECT_EQ(RunAnalyze(args, out, err, session), 0) << err.str();
    win::SetLoopObserver({});
    ORLORemoveBusObserver(bus);
    return events;
  };
  const Strings real = sequence(false);
  const auto timerTick = [](const std::string& event) { return event.starts_with("loop 275 "); };
  EXPECT_EQ(std::count_if(real.begin(), real.end(), timerTick), 2);  // one WM_TIMER per analyzer
  EXPECT_EQ(sequence(true), real);
}

// The test analyzer compares the two sweeps selected; "Test 2" takes its correlation curve
// away and "Just DO IT!" draws it again.
TEST_F(AnalyzeCommandTest, TestAnalyzerGraphsFollowTheSelectionAndTheClicksInOrder) {
  const std::string a = Phase("phase-A", 1);
  const std::string c = Phase("phase-C", 3, 8);
  const auto graphs = [&](Strings args) {
    args.insert(args.begin(), {"--analyzer", "Test Analyzer"});
    args.insert(args.end(), {a, c, a});
    const Value document = AnalyzeJson(args);
    EXPECT_EQ(Panel(document).Find("name")->Text(), "Test Analyzer");
    return Panel(document).Find("graphs")->Items();
  };
  const auto ordinates = [](const Value& graph) {
    std::vector<double> values;
    for (const Value& point : graph.Find("curves")->Items().at(0).Find("points")->Items()) {
      values.push_back(point.Items().at(1).AsDouble());
    }
    return values;
  };

  const std::vector<Value> same = graphs({"--select", "3,1"});  // one file twice
  ASSERT_EQ(same.size(), 3u);
  EXPECT_EQ(Keys(same[0]), (Strings{"xLabel", "yLabel", "yRange", "curves"}));
  EXPECT_EQ(same[0].Find("yLabel")->Text(), "Magnitude (dB)");
  EXPECT_TRUE(same[0].Find("yRange")->IsNull());
  EXPECT_EQ(json::Write(*same[2].Find("yRange"), 0), "[-1.2000000476837158,1.2000000476837158]");
  const Value& magnitude = same[0].Find("curves")->Items().at(0);
  EXPECT_EQ(Keys(magnitude), (Strings{"name", "sweep", "colour", "width", "points"}));
  EXPECT_EQ(magnitude.Find("sweep")->Text(), "phase-A (2)");  // the first selected
  EXPECT_EQ(same[0].Find("curves")->Items().at(1).Find("sweep")->Text(), "phase-A");
  EXPECT_TRUE(same[1].Find("curves")->Items().at(0).Find("sweep")->IsNull());  // a difference
  EXPECT_EQ(magnitude.Find("points")->Items().size(), 1000u);
  EXPECT_EQ(json::Write(magnitude.Find("points")->Items().at(0).Items().at(0), 0), "20");

  const std::pair<Strings, bool> clicks[] = {
      {{"--click", "Test 2", "--click", "Just DO IT!"}, true},
      {{"--click", "Just DO IT!", "--click", "Test 2"}, false},
  };
  for (const auto& [click, correlationShown] : clicks) {
    Strings args = {"--select", "1,2"};
    args.insert(args.end(), click.begin(), click.end());
    const std::vector<Value> shown = graphs(args);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(ordinates(shown[2]).empty(), !correlationShown) << ::testing::PrintToString(click);
  }

  const CommandRun human = Analyze(
      {"--analyzer", "{eb642fb1-04ac-4A8F-bc1b-b9df9a163ba3}", "--select", "1,2", a, a});
  ASSERT_EQ(human.exitCode, 0) << human.err;
  ExpectShown(human.out, {"Graph 1: Magnitude (dB) against Frequency (Hz)\n  value range automatic\n"
                          "  curve  G1.C1 = phase-A      #0000FF  width 1  1000 points  first (20, ",
                          "Graph 3: Correlation against Frequency (Hz)\n  value range -1.2 to 1.2\n"});
}

// The correlation analysis on three sweeps with a model file applied to the graph.
TEST_F(AnalyzeCommandTest, CorrelationAnalysisShowsTheModelsBandValuesAndMagnitudeDifference) {
  const std::string settings = scratch.Path("settings");
  ChangeSettings(settings, "magnitude-difference off");
  const std::string model = scratch.Write(
      "m.json", R"({"models":[{"name":"T1","label":"Transformer 1","items":[)"
                R"({"name":"HV","sweeps":[1,2],"labels":["A-N","B-N"]},{"name":"LV","sweeps":[3]}]}]})");
  const Strings args = {"--analyzer", "correlation analysis", "--settings-dir", settings,
                        "--model-file", model, "--row", "2", Phase("phase-A", 1),
                        Phase("phase-B", 2), Phase("phase-C", 3, 8)};
  const CommandRun human = Analyze(args);
  ASSERT_EQ(human.exitCode, 0) << human.err;
  ExpectShown(human.out, {"\nModels (applied to the graph)\n  T1  Transformer 1\n"
                          "    HV  sweeps 1 (A-N), 2 (B-N)\n    LV  sweeps 3\n",
                          "\nModel selector: Transformer 1 - HV  (entries: Transformer 1 - HV | "
                          "Transformer 1 - LV)\nSweep selector: 1  (entries: 1 | 2)\n"});
  const Value document = AnalyzeJson(args);
  EXPECT_EQ(json::Write(*document.Find("models"), 0),
            R"([{"name":"T1","label":"Transformer 1","items":[)"
            R"({"name":"HV","sweeps":[1,2],"labels":["A-N","B-N"]},{"name":"LV","sweeps":[3],"labels":[""]}]}])");
  EXPECT_EQ(json::Write(*Panel(document).Find("modelSelector"), 0),
            R"({"entries":["Transformer 1 - HV","Transformer 1 - LV"],"selected":0})");
  EXPECT_EQ(json::Write(*Panel(document).Find("sweepSelector"), 0),
            R"({"entries":["1","2"],"selected":0})");

  const Value& panel = Panel(document);
  EXPECT_EQ(panel.Find("index")->Text(), "0");
  EXPECT_EQ(panel.Find("selectedRow")->Text(), "2");
  // The check is off: not shown, yet every pair carries its difference and verdict.
  EXPECT_TRUE(panel.Find("magnitudeDifferenceConclusion")->IsNull());
  EXPECT_EQ(panel.Find("results")->Items().at(0).Items().size(), 3u);  // Id, Name, Conclusion
  const auto& pairs = panel.Find("pairs")->Items();
  ASSERT_EQ(pairs.size(), 3u);
  for (size_t p = 0; p < 3; ++p) {
    const auto& statistics = pairs[p].Find("statistics")->Items();
    ASSERT_EQ(statistics.size(), 3u);
    EXPECT_EQ(statistics[2].Find("band")->Text(), "HF");
    EXPECT_EQ(statistics[2].Find("low")->Text(), "600000");
    EXPECT_FALSE(pairs[p].Find("magnitudeDifference")->IsNull());
    EXPECT_NE(pairs[p].Find("magnitudeDifferenceVerdict")->Text(), "");
    EXPECT_EQ(pairs[p].Find("conclusion")->Text(), Cell(panel, "results", p + 1, 2));
  }
  EXPECT_EQ(panel.Find("conclusion")->Text(), pairs[1].Find("conclusion")->Text());

  // Switched on, it has a column and gives the selected pair's verdict.
  ChangeSettings(settings, "magnitude-difference on");
  const Value shown = AnalyzeJson(args);
  const Value& switched = Panel(shown);
  EXPECT_EQ(switched.Find("results")->Items().at(0).Items().size(), 5u);
  EXPECT_EQ(switched.Find("magnitudeDifferenceConclusion")->Text(),
            switched.Find("pairs")->Items().at(1).Find("magnitudeDifferenceVerdict")->Text());
}

// The shared measurements against the healthy winding. Every file runs through both
// analyses without an error; the inter-disk fault is light, not obvious distortion (R-MF
// about 0.607, just above 0.6). With a radial deformation of +1 %, +5 %, +10 % the DL/T 911
// factors and the agreement of LRxy and RXy fall in the middle and high bands, and the
// NCEPRI statistic (one band over both) rises.
TEST_F(AnalyzeCommandTest, SharedMeasurementsAgainstTheHealthyWinding) {
  if (!std::filesystem::is_directory(kSharedData)) GTEST_SKIP() << kSharedData << " is absent";
  const std::string healthy = Shared("healthy-rgh1.csv");
  // The correlation analysis judges with the default bands, saved as a new user does.
  const std::string defaults = scratch.Path("settings-defaults");
  ChangeSettings(defaults, "magnitude-difference on");
  for (const char* file : {"healthy-cg-cs-ll-1.csv", "interdisk-all-26.csv",
                           "line-ground-rsh-0.6047857g.csv", "lv-deformation-rgh1-17.38g.csv",
                           "radial-l1-minus05pct.csv"}) {
    const Value document = AnalyzeJson({"--settings-dir", defaults, Shared(file), healthy});
    ASSERT_EQ(document.Find("analyzers")->Items().size(), 2u);
    for (const Value& panel : document.Find("analyzers")->Items()) {
      EXPECT_NE(panel.Find("conclusion")->Text(), "") << file;
      EXPECT_NE(panel.Find("conclusion")->Text(), "Error") << file;
    }
    EXPECT_TRUE(document.Find("messageBoxes")->Items().empty()) << file;
    if (std::string(file).starts_with("interdisk")) {
      EXPECT_EQ(document.Find("analyzers")->Items()[1].Find("conclusion")->Text(), "Light Distortion");
    }
  }

  const std::pair<const char*, const char*> analyses[] = {
      {kDlt911Guid, ""}, {"0", "LRxy"}, {"0", "RXy"}, {"0", "NCEPRI"}};
  for (const auto& [analyzer, technique] : analyses) {
    const std::string settings = scratch.Path(std::string("settings-") + technique);
    if (*technique) {
      ChangeSettings(settings, "magnitude-difference on");
      ChangeSettings(settings, std::string("technique ") + technique);
    }
    std::vector<std::vector<double>> values;
    for (const char* file :
         {"radial-l1-plus01pct.csv", "radial-l1-plus05pct.csv", "radial-l1-plus10pct.csv"}) {
      values.push_back(Factors(
          Panel(AnalyzeJson({"--analyzer", analyzer, "--settings-dir", settings, healthy, Shared(file)})),
          0));
    }
    ASSERT_FALSE(values[0].empty()) << analyzer << technique;
    for (size_t band = values[0].size() == 3 ? 1 : 0; band < values[0].size(); ++band) {
      for (size_t step = 0; step < 2; ++step) {
        const double before = values[step][band];
        const double after = values[step + 1][band];
        EXPECT_TRUE(*technique == 'N' ? after > before : after < before)
            << analyzer << technique << " band " << band << ": " << before << " then " << after;
      }
    }
  }
}

TEST_F(AnalyzeCommandTest, BuiltExecutableAnalysesTracesAndFailsOnAFullOutputOrDisk) {
  const std::string a = Phase("phase-A", 1);
  const testing::OrloRun run = testing::RunOrlo("analyze --json '" + a + "' '" + Phase("phase-B", 2) + "'");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const Value document = json::Parse(run.output);
  EXPECT_EQ(document.Find("sweeps")->Items().size(), 2u);
  for (const Value& panel : document.Find("analyzers")->Items()) {
    if (panel.Find("guid")->Text() != kDlt911Guid) continue;
    // Read across the library boundary: the readout of the loaded module.
    EXPECT_EQ(panel.Find("pairs")->Items().size(), 1u);
    EXPECT_EQ(Cell(panel, "results", 1, 1), "[phase-A] - [phase-B]");
  }
  // --trace prints every bus delivery to the standard error; --settings-change is one of
  // them, once the panels are up (activated: their "ORLO_ShowActions" went before).
  const testing::OrloRun traced = testing::RunOrlo("analyze --trace --settings-change '" + a + "' >/dev/null");
  EXPECT_TRUE(traced.output.starts_with("bus: ORLO_GetMainDialog -> ")) << traced.output;
  const size_t change = traced.output.find("bus: ANALYZER_SettingsChange -> ");
  EXPECT_NE(change, std::string::npos);
  EXPECT_GT(change, traced.output.rfind("bus: ORLO_ShowActions -> "));
  // A standard output that takes nothing (a full disk) fails the run.
  const testing::OrloRun full = testing::RunOrlo("analyze '" + a + "' >/dev/full");
  EXPECT_EQ(full.exitCode, 3);
  EXPECT_EQ(full.output, "orlo: cannot write the output\n");
  // So does a file-size limit of 0 (SIGXFSZ ignored, so writes fail): the old report and
  // page stay byte for byte, and no temporary file is left beside them.
  const std::string old = "the old file\n";
  const std::string csv = scratch.Write("old.csv", old);
  const std::string html = scratch.Write("old.html", old);
  for (const std::string& option : {"--report '" + csv, "--html '" + html}) {
    const testing::OrloRun limited = testing::RunOrlo(
        "analyze " + option + "' '" + a + "' >/dev/null", "-u ORLO_MODULE_PATH",
        "trap '' XFSZ; ulimit -f 0; ");
    EXPECT_EQ(limited.exitCode, 3);
    EXPECT_EQ(limited.output, "orlo analyze: cannot write '" + option.substr(option.find('/')) +
                                  "': File too large\n");
  }
  EXPECT_EQ(ReadFile(csv), old);
  EXPECT_EQ(ReadFile(html), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path("")), {}), 4);
}

}  // namespace
}  // namespace orlo::host
