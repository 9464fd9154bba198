// `orlo analyze` run in-process on the linked module and the manual clock: what it prints
// (human and JSON), the report file, option handling and the shared measurement files.
#include "platform/common/Utf8.h"
#include "host/cli/AnalyzeCommand.h"
#include "host/cli/Command.h"
#include "host/graph/GraphPlugin.h"
#include "host/output/Json.h"
#include "module/core/ModuleEntry.h"
#include "module/testanalyzer/TestAnalyzerFactory.h"
#include "platform/common/Services.h"
#include "platform/win/MessageLoop.h"
#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>

namespace orlo::host {
namespace {

using json::Value;

constexpr char kDlt911Guid[] = "{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}";
const std::string kSharedData = std::string(ORLO_SHARED_DATA_DIR) + "/frequency-response/";

// The module's entry, with an error box shown while the module starts.
int EntryShowingAnErrorBox(unsigned long reason) {
  if (reason == module::kProcessAttach) {
    TransMessageBox(L"Cannot create curves.\nCheck the graph.", MB_ICONERROR);
  }
  return module::ORLOModuleEntry(reason);
}

struct CommandRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class AnalyzeCommandTest : public ::testing::Test {
 protected:
  void TearDown() override { win::UseManualClock(false); }

  static CommandRun Analyze(std::vector<std::string> args,
                            ModuleEntryFunction entry = &module::ORLOModuleEntry) {
    HostSessionOptions session;
    session.moduleEntry = entry;
    session.testAnalyzerFactory = &ORLOCreateTestAnalyzer;
    session.manualClock = true;
    std::ostringstream out, err;
    CommandRun run;
    run.exitCode = RunAnalyze(args, out, err, session);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  // The DL/T 911 panel of a --json run (the analyzer named by its GUID, case ignored).
  static Value AnalyzeJson(std::vector<std::string> files, std::vector<std::string> options = {}) {
    options.insert(options.end(),
                   {"--json", "--analyzer", "{e5ddb55e-96c1-47D0-8361-b7519cda16f2}"});
    options.insert(options.end(), files.begin(), files.end());
    const CommandRun run = Analyze(options);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return json::Parse(run.out);
  }

  // A simulated phase of the example winding; `deformed` adds a radial deformation.
  std::string Phase(const std::string& name, int seed, bool deformed = false) {
    std::vector<std::string> args = {"simulate", "--phase", std::to_string(seed), "-o",
                                     scratch.Path(name + ".csv")};
    if (deformed) args.insert(args.end(), {"--deformation", "radial", "--severity", "8"});
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine(args, out, err), 0) << err.str();
    return args[4];
  }

  static std::string Shared(const std::string& name) { return kSharedData + name; }
  static std::string ReadFile(const std::string& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  }
  static bool HaveSharedData() { return std::filesystem::is_directory(kSharedData); }

  testing::ScratchDirectory scratch;
};

const Value& Dlt911(const Value& document) { return document.Find("analyzers")->Items().at(0); }

std::string Cell(const Value& panel, const char* grid, size_t row, size_t column) {
  return panel.Find(grid)->Items().at(row).Items().at(column).Text();
}

// The raw band values of pair `pair` (R-LF, R-MF, R-HF).
std::vector<double> Factors(const Value& panel, size_t pair) {
  std::vector<double> factors;
  for (const Value& band : panel.Find("pairs")->Items().at(pair).Find("statistics")->Items()) {
    factors.push_back(band.Find("value")->AsDouble());
  }
  return factors;
}

std::vector<std::string> Keys(const Value& object) {
  std::vector<std::string> keys;
  for (const json::Member& member : object.Members()) keys.push_back(member.key);
  return keys;
}

TEST_F(AnalyzeCommandTest, JsonDocumentFollowsTheSchemaAndAgreesWithTheGrids) {
  const std::vector<std::string> files = {Phase("phase-A", 1), Phase("phase-B", 2),
                                          Phase("phase-C", 3, true)};
  const Value document = AnalyzeJson(files);
  EXPECT_EQ(Keys(document),
            (std::vector<std::string>{"format", "sweeps", "models", "analyzers", "report",
                                      "messageBoxes"}));
  EXPECT_EQ(document.Find("format")->Text(), "orlo-analysis/1");
  const Value& sweep = document.Find("sweeps")->Items().at(2);
  EXPECT_EQ(sweep.Find("name")->Text(), "phase-C");
  EXPECT_EQ(sweep.Find("file")->Text(), files[2]);
  EXPECT_EQ(sweep.Find("points")->Text(), "1000");

  ASSERT_EQ(document.Find("analyzers")->Items().size(), 1u);
  const Value& panel = Dlt911(document);
  EXPECT_EQ(Keys(panel),
            (std::vector<std::string>{"index", "name", "guid", "results", "selectedRow", "criteria",
                                      "greyed", "conclusion", "magnitudeDifferenceConclusion",
                                      "modelSelector", "sweepSelector", "pairs", "graph",
                                      "graphs"}));
  EXPECT_EQ(panel.Find("guid")->Text(), kDlt911Guid);
  EXPECT_EQ(panel.Find("selectedRow")->Text(), "1");
  EXPECT_EQ(Cell(panel, "results", 0, 5), "Conclusion");
  EXPECT_EQ(Cell(panel, "results", 3, 1), "[phase-C] - [phase-A]");
  EXPECT_EQ(Cell(panel, "criteria", 3, 0), "R-HF (600kHz - 1MHz)");
  EXPECT_EQ(panel.Find("greyed")->Items().size(), 3u);  // one cell per band row
  EXPECT_TRUE(panel.Find("magnitudeDifferenceConclusion")->IsNull());

  // Pairs: tags, sweeps, bands; each raw value formats to the text of its grid cell, and
  // the report carries the same texts.
  const auto& pairs = panel.Find("pairs")->Items();
  ASSERT_EQ(pairs.size(), 3u);
  const auto& report = document.Find("report")->Items();
  ASSERT_EQ(report.size(), 18u);
  const char* tags[] = {"1_2", "2_3", "3_1"};
  for (size_t p = 0; p < 3; ++p) {
    const Value& pair = pairs[p];
    EXPECT_EQ(pair.Find("tag")->Text(), tags[p]);
    EXPECT_EQ(Keys(pair),
              (std::vector<std::string>{"tag", "sweepA", "sweepB", "statistics", "conclusion",
                                        "magnitudeDifference", "magnitudeDifferenceVerdict"}));
    EXPECT_TRUE(pair.Find("magnitudeDifference")->IsNull());
    EXPECT_EQ(pair.Find("conclusion")->Text(), Cell(panel, "results", p + 1, 5));
    const auto& statistics = pair.Find("statistics")->Items();
    ASSERT_EQ(statistics.size(), 3u);
    EXPECT_EQ(statistics[1].Find("band")->Text(), "R-MF");
    EXPECT_EQ(statistics[1].Find("low")->Text(), "100000");
    EXPECT_EQ(statistics[1].Find("high")->Text(), "600000");
    for (size_t b = 0; b < 3; ++b) {
      const std::string shown =
          orlo::WideToUtf8(OxFormatValue(statistics[b].Find("value")->AsDouble(), 2, 4, 2));
      EXPECT_EQ(shown, Cell(panel, "results", p + 1, b + 2));
      EXPECT_EQ(report[6 * p + b].Find("value")->Text(), shown);
    }
    EXPECT_EQ(report[6 * p + 3].Find("name")->Text(),
              "DTL_911.R " + std::string(tags[p]) + ".Conclusion");
    EXPECT_TRUE(report[6 * p].Find("colour")->IsNull());
    EXPECT_FALSE(report[6 * p + 4].Find("colour")->IsNull());
  }
  EXPECT_EQ(pairs[1].Find("sweepA")->Text(), "phase-B");
  EXPECT_EQ(pairs[1].Find("sweepB")->Text(), "phase-C");
  EXPECT_EQ(panel.Find("conclusion")->Text(), pairs[0].Find("conclusion")->Text());

  // Graph: the selected pair's two curves and the three band ranges.
  const Value& graph = *panel.Find("graph");
  const auto& curves = graph.Find("curves")->Items();
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[0].Find("name")->Text(), "phase-A");
  EXPECT_EQ(curves[1].Find("name")->Text(), "phase-B");
  EXPECT_EQ(curves[0].Find("points")->Text(), "1000");
  const auto& ranges = graph.Find("ranges")->Items();
  ASSERT_EQ(ranges.size(), 3u);
  EXPECT_EQ(json::Write(ranges[0], 0),
            R"({"label":"R-LF","low":1000,"high":100000,"colour":9226495})");
  EXPECT_TRUE(document.Find("messageBoxes")->Items().empty());
}

TEST_F(AnalyzeCommandTest, HumanOutputShowsThePanelAsTheUserSeesIt) {
  const std::string a = Phase("a", 1);
  const CommandRun run =
      Analyze({"--analyzer", "dl/t 911-2004 ANALYZER", "--report", scratch.Path("r.csv"), a, a});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const char* line : {
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
       }) {
    EXPECT_NE(run.out.find(line), std::string::npos) << "missing: " << line;
  }
}

TEST_F(AnalyzeCommandTest, RowOptionSelectsThatPair) {
  const Value document = AnalyzeJson(
      {Phase("phase-A", 1), Phase("phase-B", 2), Phase("phase-C", 3, true)}, {"--row", "2"});
  const Value& panel = Dlt911(document);
  EXPECT_EQ(panel.Find("selectedRow")->Text(), "2");
  EXPECT_EQ(panel.Find("conclusion")->Text(), Cell(panel, "results", 2, 5));
  EXPECT_EQ(Cell(panel, "criteria", 2, 1), Cell(panel, "results", 2, 3));
  const auto& curves = panel.Find("graph")->Find("curves")->Items();
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[0].Find("name")->Text(), "phase-B");
  EXPECT_EQ(curves[1].Find("name")->Text(), "phase-C");
}

TEST_F(AnalyzeCommandTest, SharedMeasurementsInThreesRunWithoutError) {
  if (!HaveSharedData()) GTEST_SKIP() << kSharedData << " is absent";
  const std::vector<std::vector<std::string>> triples = {
      {"healthy-rgh1.csv", "healthy-cg-cs-ll-1.csv", "interdisk-all-26.csv"},
      {"line-ground-rsh-0.6047857g.csv", "lv-deformation-rgh1-17.38g.csv",
       "radial-l1-minus05pct.csv"},
      {"radial-l1-plus01pct.csv", "radial-l1-plus05pct.csv", "radial-l1-plus10pct.csv"},
      {"interdisk-all-26.csv", "radial-l1-plus10pct.csv", "healthy-rgh1.csv"},
  };
  for (const auto& triple : triples) {
    const Value document = AnalyzeJson({Shared(triple[0]), Shared(triple[1]), Shared(triple[2])});
    const Value& panel = Dlt911(document);
    ASSERT_EQ(panel.Find("pairs")->Items().size(), 3u);
    for (const Value& pair : panel.Find("pairs")->Items()) {
      EXPECT_NE(pair.Find("conclusion")->Text(), "") << triple[0];
      EXPECT_NE(pair.Find("conclusion")->Text(), "Error") << triple[0];
    }
    EXPECT_TRUE(document.Find("messageBoxes")->Items().empty());
  }
}

TEST_F(AnalyzeCommandTest, RadialDeformationLowersTheMiddleAndHighBandFactors) {
  if (!HaveSharedData()) GTEST_SKIP() << kSharedData << " is absent";
  const std::string healthy = Shared("healthy-rgh1.csv");
  const Value itself = AnalyzeJson({healthy, healthy});
  EXPECT_EQ(Factors(Dlt911(itself), 0), (std::vector<double>{10.0, 10.0, 10.0}));

  std::vector<std::vector<double>> factors;
  for (const char* file :
       {"radial-l1-plus01pct.csv", "radial-l1-plus05pct.csv", "radial-l1-plus10pct.csv"}) {
    factors.push_back(Factors(Dlt911(AnalyzeJson({healthy, Shared(file)})), 0));
  }
  // +1 %, +5 %, +10 %: the middle and high bands agree less and less with the healthy file.
  EXPECT_GT(factors[0][1], factors[1][1]);
  EXPECT_GT(factors[1][1], factors[2][1]);
  EXPECT_GT(factors[0][2], factors[1][2]);
  EXPECT_GT(factors[1][2], factors[2][2]);
}

TEST_F(AnalyzeCommandTest, InterDiskFaultIsJudgedLightDistortion) {
  if (!HaveSharedData()) GTEST_SKIP() << kSharedData << " is absent";
  const Value document = AnalyzeJson({Shared("healthy-rgh1.csv"), Shared("interdisk-all-26.csv")});
  const Value& pair = Dlt911(document).Find("pairs")->Items().at(0);
  // R-MF lies just above 0.6 (about 0.607): light, not obvious distortion.
  EXPECT_EQ(pair.Find("conclusion")->Text(), "Light Distortion") << json::Write(pair, 0);
}

TEST_F(AnalyzeCommandTest, ReportFileHoldsTheParametersAsCsv) {
  const std::string a = Phase("phase-A", 1);
  const std::string b = Phase("phase-B", 2);
  const std::string csv = scratch.Path("report.csv");
  const CommandRun run = Analyze({"--analyzer", kDlt911Guid, "--report", csv, a, b});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::ifstream file(csv);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[4], "DTL_911.R 1_2.Conclusion,Normal,");
  // Sweep colours: the COLORREF in decimal.
  EXPECT_EQ(lines[5], "DTL_911.R 1_2.Name1,phase-A," + std::to_string(SweepPalette(0)));

  const CommandRun unwritable = Analyze({"--report", scratch.Path("missing/dir/report.csv"), a});
  EXPECT_EQ(unwritable.exitCode, 3);
  EXPECT_TRUE(unwritable.err.starts_with("orlo analyze: cannot write '")) << unwritable.err;
}

TEST_F(AnalyzeCommandTest, HtmlPageIsWrittenBesideTheUsualOutput) {
  const std::string a = Phase("phase-A", 1);
  const std::string b = Phase("phase-B", 2);
  const std::string c = Phase("phase-C", 3, true);
  const std::string page = scratch.Path("page.html");
  const CommandRun run = Analyze({"--json", "--row", "2", "--html", page, a, b, c});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const size_t analyzers = json::Parse(run.out).Find("analyzers")->Items().size();
  std::ifstream file(page);
  const std::string html{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const auto count = [&](const std::string& text) {
    size_t found = 0;
    for (size_t at = html.find(text); at != std::string::npos; at = html.find(text, at + 1)) {
      ++found;
    }
    return found;
  };
  EXPECT_EQ(count("<section class=\"panel\">"), analyzers);
  EXPECT_GE(count("<svg "), analyzers);
  EXPECT_EQ(count("<tr class=\"selected\"><td class=\"marker\">\xE2\x96\xB6</td><td>R 2-3</td>"), analyzers);

  const CommandRun unwritable = Analyze({"--html", scratch.Path("missing/dir/page.html"), a});
  EXPECT_EQ(unwritable.exitCode, 3);
  EXPECT_TRUE(unwritable.err.starts_with("orlo analyze: cannot write '")) << unwritable.err;
}

TEST_F(AnalyzeCommandTest, OutputFilesThatAreInputsAndFoldersAsInputsAreRefused) {
  const std::string a = Phase("phase-A", 1);
  const std::string b = Phase("phase-B", 2);
  const std::string model = scratch.Write("m.json", R"({"models":[]})");
  std::filesystem::create_directory(scratch.Path("sub"));
  const std::string before = ReadFile(a);
  const std::vector<std::pair<std::string, std::string>> outputs = {
      {"--report", a}, {"--html", scratch.Path("sub/../phase-A.csv")}, {"--report", model}};
  for (const auto& [option, file] : outputs) {
    const CommandRun run = Analyze({option, file, "--model-file", model, a, b});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "orlo analyze: " + option + " '" + file + "' is one of the input files\n");
  }
  EXPECT_EQ(ReadFile(a), before);
  const CommandRun folder = Analyze({"--model-file", scratch.Path("sub"), a, b});
  EXPECT_EQ(folder.exitCode, 3);
  EXPECT_EQ(folder.err, scratch.Path("sub") + ": cannot read: is a directory\n");
}

TEST_F(AnalyzeCommandTest, FileNamesThatAreNotUtf8ShowReplacementCharacters) {
  const std::string bad = scratch.Write("bad\xFF.csv", ReadFile(Phase("a", 1)));
  const std::string b = Phase("b", 2);
  const CommandRun json = Analyze({"--json", "--analyzer", kDlt911Guid, bad, b});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const Value document = json::Parse(json.out);  // refuses text that is not UTF-8
  const Value& sweep = document.Find("sweeps")->Items().at(0);
  EXPECT_EQ(sweep.Find("name")->Text(), "bad\uFFFD");
  EXPECT_EQ(sweep.Find("file")->Text(), scratch.Path("bad\uFFFD.csv"));
  EXPECT_EQ(Cell(Dlt911(document), "results", 1, 1), "[bad\uFFFD] - [b]");
  const CommandRun human = Analyze({"--analyzer", kDlt911Guid, bad, b});
  EXPECT_EQ(human.out.find('\xFF'), std::string::npos);
  EXPECT_NE(human.out.find("  1  bad\uFFFD  1000 points  "), std::string::npos) << human.out;
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

TEST_F(AnalyzeCommandTest, HumanOutputNotesWhatTheAnalyzersCouldNotEvaluate) {
  const CommandRun one = Analyze({"--analyzer", kDlt911Guid, Phase("a", 1)});
  EXPECT_NE(one.out.find("\nNote: no pair was compared: the analyzers compare the first three "
                         "sweeps in pairs (1-2, 2-3, 3-1), and there is only one sweep.\n"),
            std::string::npos)
      << one.out;

  const std::string a = scratch.Write("a.csv", ShortSweep(0.0));
  const std::string b = scratch.Write("b.csv", ShortSweep(0.4));
  const std::string flat = scratch.Write("flat.csv", ShortSweep(std::nullopt));
  const CommandRun run = Analyze({"--analyzer", kDlt911Guid, a, b, flat});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("  >  R 1-2  [a] - [b]     "), std::string::npos) << run.out;
  for (const char* line : {
           "\nNote: bands not evaluated (their cells show what the analyzer left there):\n"
           "  a - b, R-HF (600000 Hz to 1000000 Hz): the sweeps do not reach it (together they "
           "cover 100 Hz to 700000 Hz)\n"
           "  b - flat, R-LF (1000 Hz to 100000 Hz): sweep 'flat' is flat there\n"
           "  b - flat, R-MF (100000 Hz to 600000 Hz): sweep 'flat' is flat there\n"
           "  b - flat, R-HF (600000 Hz to 1000000 Hz): the sweeps do not reach it",
           "  flat - a, R-LF (1000 Hz to 100000 Hz): sweep 'flat' is flat there\n",
       }) {
    EXPECT_NE(run.out.find(line), std::string::npos) << "missing: " << line << "\n" << run.out;
  }
  EXPECT_EQ(run.out.find("a - b, R-LF"), std::string::npos);  // evaluated
}

TEST_F(AnalyzeCommandTest, AppliedModelsAndWhatTheSelectorsHoldAreShown) {
  const std::string model = scratch.Write(
      "m.json", R"({"models":[{"name":"T1","label":"Transformer 1","items":[)"
                R"({"name":"HV","sweeps":[1,2],"labels":["A-N","B-N"]},{"name":"LV","sweeps":[3]}]}]})");
  const std::vector<std::string> args = {"--analyzer", "Correlation analysis", "--model-file",
                                         model, Phase("a", 1), Phase("b", 2)};
  const CommandRun human = Analyze(args);
  ASSERT_EQ(human.exitCode, 0) << human.err;
  for (const char* line : {
           "\nModels (applied to the graph)\n  T1  Transformer 1\n"
           "    HV  sweeps 1 (A-N), 2 (B-N)\n    LV  sweeps 3\n",
           "\nModel selector: Transformer 1 - HV  (entries: Transformer 1 - HV | "
           "Transformer 1 - LV)\nSweep selector: 1  (entries: 1 | 2)\n",
       }) {
    EXPECT_NE(human.out.find(line), std::string::npos) << "missing: " << line << "\n" << human.out;
  }
  std::vector<std::string> jsonArgs = args;
  jsonArgs.insert(jsonArgs.begin(), "--json");
  const Value document = json::Parse(Analyze(jsonArgs).out);
  EXPECT_EQ(json::Write(*document.Find("models"), 0),
            R"([{"name":"T1","label":"Transformer 1","items":[)"
            R"({"name":"HV","sweeps":[1,2],"labels":["A-N","B-N"]},{"name":"LV","sweeps":[3],"labels":[""]}]}])");
  const Value& panel = document.Find("analyzers")->Items().at(0);
  EXPECT_EQ(json::Write(*panel.Find("modelSelector"), 0),
            R"({"entries":["Transformer 1 - HV","Transformer 1 - LV"],"selected":0})");
  EXPECT_EQ(json::Write(*panel.Find("sweepSelector"), 0), R"({"entries":["1","2"],"selected":0})");
}

TEST_F(AnalyzeCommandTest, UnreadableSweepFileIsNamedWithItsLine) {
  const std::string bad = scratch.Write("bad.csv", "frequency,magnitude\n1000,-3\n2000,abc\n");
  const CommandRun run = Analyze({Phase("phase-A", 1), bad});
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_TRUE(run.err.starts_with(bad + ":3: ")) << run.err;
  EXPECT_EQ(run.out, "");
}

TEST_F(AnalyzeCommandTest, ErrorBoxesArePrintedAndGiveExitCodeOne) {
  const std::string a = Phase("phase-A", 1);
  const CommandRun human = Analyze({a}, &EntryShowingAnErrorBox);
  EXPECT_EQ(human.exitCode, 1);
  EXPECT_NE(human.out.find("\nMessage boxes\n  [ORLO] style 0x00000010:\n"
                           "    Cannot create curves.\n    Check the graph.\n"),
            std::string::npos)
      << human.out;

  const CommandRun json = Analyze({"--json", a}, &EntryShowingAnErrorBox);
  EXPECT_EQ(json.exitCode, 1);
  EXPECT_EQ(json::Write(*json::Parse(json.out).Find("messageBoxes"), 0),
            R"([{"text":"Cannot create curves.\nCheck the graph.","style":16}])");
}

TEST_F(AnalyzeCommandTest, UsageErrorsExitWithTwo) {
  const std::string a = Phase("phase-A", 1);
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"analyze", "--json"}, "orlo analyze: no sweep file given\n"},
      {{"analyze", "--row", "0", a}, "orlo analyze: --row expects a row number from 1, not '0'\n"},
  };
  for (const auto& [args, message] : cases) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine(args, out, err), 2) << message;
    EXPECT_EQ(err.str(), message);
  }
  const CommandRun unknown = Analyze({"--analyzer", "no such analyzer", a});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_EQ(unknown.err, "orlo analyze: no analyzer 'no such analyzer' (try 'orlo analyzers')\n");
  const CommandRun beyond = Analyze({"--row", "4", a});
  EXPECT_EQ(beyond.exitCode, 2);
  EXPECT_EQ(beyond.err, "orlo analyze: --row 4 is not a row of the results grid\n");
}

// The test analyzer's graphs of a --json run on `files` with `options`.
std::vector<Value> TestAnalyzerGraphs(const CommandRun& run) {
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const Value document = json::Parse(run.out);
  const auto& analyzers = document.Find("analyzers")->Items();
  EXPECT_EQ(analyzers.size(), 1u);
  EXPECT_EQ(analyzers.at(0).Find("name")->Text(), "Test Analyzer");
  return analyzers.at(0).Find("graphs")->Items();
}

std::vector<double> Ordinates(const Value& curve) {
  std::vector<double> values;
  for (const Value& point : curve.Find("points")->Items()) {
    values.push_back(point.Items().at(1).AsDouble());
  }
  return values;
}

TEST_F(AnalyzeCommandTest, TestAnalyzerDrawsTheSelectedPairAndFollowsTheClicks) {
  const std::string a = Phase("phase-A", 1);
  const std::string c = Phase("phase-C", 3, true);
  const std::vector<std::string> test = {"--json", "--analyzer", "Test Analyzer", "--select"};

  // The same file twice: no difference anywhere (but the rounding of the interpolation).
  std::vector<std::string> args = test;
  args.insert(args.end(), {"3,1", a, c, a});
  const std::vector<Value> same = TestAnalyzerGraphs(Analyze(args));
  ASSERT_EQ(same.size(), 3u);
  EXPECT_EQ(Keys(same[0]), (std::vector<std::string>{"xLabel", "yLabel", "yRange", "curves"}));
  EXPECT_EQ(same[0].Find("yLabel")->Text(), "Magnitude (dB)");
  EXPECT_TRUE(same[0].Find("yRange")->IsNull());
  EXPECT_EQ(json::Write(*same[2].Find("yRange"), 0),
            "[" + json::Write(Value::Number(-1.2f), 0) + "," +
                json::Write(Value::Number(1.2f), 0) + "]");
  const Value& magnitude = same[0].Find("curves")->Items().at(0);
  EXPECT_EQ(Keys(magnitude), (std::vector<std::string>{"name", "colour", "width", "points"}));
  EXPECT_EQ(magnitude.Find("points")->Items().size(), 1000u);
  EXPECT_EQ(json::Write(magnitude.Find("points")->Items().at(0).Items().at(0), 0), "20");
  const std::vector<double> difference = Ordinates(same[1].Find("curves")->Items().at(0));
  ASSERT_FALSE(difference.empty());
  for (const double y : difference) EXPECT_NEAR(y, 0.0, 1e-12);

  // Sweeps 1 and 2 (selected in that order), then the buttons in the order given.
  const std::vector<std::pair<std::vector<std::string>, bool>> clicks = {
      {{}, true},
      {{"--click", "Test 2"}, false},
      {{"--click", "Test 2", "--click", "Just DO IT!"}, true},
      {{"--click", "Just DO IT!", "--click", "Test 2"}, false},
  };
  for (const auto& [click, correlationShown] : clicks) {
    args = test;
    args.push_back("1,2");
    args.insert(args.end(), click.begin(), click.end());
    args.insert(args.end(), {a, c});
    const std::vector<Value> graphs = TestAnalyzerGraphs(Analyze(args));
    ASSERT_EQ(graphs.size(), 3u);
    EXPECT_EQ(graphs[0].Find("curves")->Items().size(), 2u);
    EXPECT_NE(Ordinates(graphs[1].Find("curves")->Items().at(0)),
              std::vector<double>(1000, 0.0));
    const auto& correlation = graphs[2].Find("curves")->Items();
    ASSERT_EQ(correlation.size(), 1u);
    EXPECT_EQ(correlation[0].Find("points")->Items().empty(), !correlationShown)
        << json::Write(graphs[2], 0).substr(0, 200);
  }
}

TEST_F(AnalyzeCommandTest, TestAnalyzerHumanOutputShowsItsThreeGraphs) {
  const std::string a = Phase("a", 1);
  const CommandRun run =
      Analyze({"--analyzer", "{eb642fb1-04ac-4A8F-bc1b-b9df9a163ba3}", "--select", "1,2", a, a});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const char* text : {
           "Graph 1: Magnitude (dB) against Frequency (Hz)\n  value range automatic\n"
           "  curve  G1.C1  #0000FF  width 1  1000 points  first (20, ",
           "Graph 3: Correlation against Frequency (Hz)\n  value range -1.2 to 1.2\n",
       }) {
    EXPECT_NE(run.out.find(text), std::string::npos) << "missing: " << text << "\n" << run.out;
  }
}

TEST_F(AnalyzeCommandTest, BadSelectionsAndClicksExitWithTwo) {
  const std::string a = Phase("phase-A", 1);
  const std::string expects = "orlo analyze: --select expects two different sweep numbers N,M "
                              "from 1, not '";
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--select", "1"}, expects + "1'\n"},
      {{"--select", "0,1"}, expects + "0,1'\n"},
      {{"--select", "2,2"}, expects + "2,2'\n"},
      {{"--select", "1,x"}, expects + "1,x'\n"},
      {{"--select", "1,2,3"}, expects + "1,2,3'\n"},
      {{"--select", "1,3"}, "orlo analyze: --select 1,3 names a sweep beyond the 2 loaded\n"},
      {{"--select", "1,2", "--click", "Test 3"},
       "orlo analyze: --click: no panel has a button 'Test 3' to click\n"},
  };
  for (auto [args, message] : cases) {
    args.insert(args.begin(), {"--analyzer", "test analyzer"});
    args.insert(args.end(), {a, a});
    const CommandRun run = Analyze(args);
    EXPECT_EQ(run.exitCode, 2) << message;
    EXPECT_EQ(run.err, message);
    EXPECT_EQ(run.out, "");
  }
}

// Analyzer.xml in `dir` choosing `set` (its default bands, as a user would type them) with
// the magnitude-difference check switched as told.
void WriteCorrelationSettings(const std::string& dir, const std::string& set, bool magnitude) {
  const std::map<std::string, std::vector<std::string>> bands = {
      {"LRxy", {"1000,100000,LF,true,0.99,true,0.9,0.99,true,0.9",
                "100000,600000,MF,true,0.9,true,0.7488,0.9,true,0.7488",
                "600000,1000000,HF,true,0.7488,false,0,0,false,0"}},
      {"RXy", {"1000,100000,LF,true,2,true,1,2,true,1", "100000,600000,MF,true,1,true,0.6,1,true,0.6",
               "600000,1000000,HF,true,0.6,false,0,0,false,0"}},
      {"NCEPRI", {"10000,700000,NCEPRI,true,3.5,true,7,3.5,true,7"}},
  };
  std::ostringstream xml;
  xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<VelmoraAnalyzer><XCorrAnalyzer version=\"2\">"
      << "<CurrentStatParam>" << set << "</CurrentStatParam><MagnitudeDifference>"
      << (magnitude ? "true" : "false") << "</MagnitudeDifference>"
      << "<MagnitudeDifferenceLimit>0.25</MagnitudeDifferenceLimit><StatParams name=\"" << set
      << "\">";
  for (const std::string& band : bands.at(set)) {
    std::vector<std::string> f;
    std::istringstream fields(band);
    for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
    xml << "<Band><MinFreq>" << f[0] << "</MinFreq><MaxFreq>" << f[1] << "</MaxFreq><Label>" << f[2]
        << "</Label><Normal set=\"" << f[3] << "\" start=\"" << f[4] << "\"/><Suspect set=\""
        << f[5] << "\" start=\"" << f[6] << "\" end=\"" << f[7] << "\"/><Obvious set=\"" << f[8]
        << "\" end=\"" << f[9] << "\"/></Band>";
  }
  xml << "</StatParams></XCorrAnalyzer></VelmoraAnalyzer>\n";
  std::filesystem::create_directories(dir);
  std::ofstream(dir + "/Analyzer.xml") << xml.str();
}

TEST_F(AnalyzeCommandTest, CorrelationAnalysisGivesEveryPairsBandValuesAndMagnitudeDifference) {
  const std::string settings = scratch.Path("settings");
  WriteCorrelationSettings(settings, "RXy", false);
  const std::vector<std::string> files = {Phase("phase-A", 1), Phase("phase-B", 2),
                                          Phase("phase-C", 3, true)};
  std::vector<std::string> args = {"--json", "--analyzer", "correlation analysis",
                                   "--settings-dir", settings, "--row", "2"};
  args.insert(args.end(), files.begin(), files.end());
  const CommandRun run = Analyze(args);
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const Value document = json::Parse(run.out);
  const Value& panel = document.Find("analyzers")->Items().at(0);
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
  // The criteria grid shows the selected pair's statistics, one band a row.
  const auto& selected = pairs[1].Find("statistics")->Items();
  for (size_t b = 0; b < 3; ++b) {
    EXPECT_EQ(orlo::WideToUtf8(OxFormatValue(selected[b].Find("value")->AsDouble(), 2, 4, 2)),
              Cell(panel, "criteria", b + 1, 2));
  }
  EXPECT_EQ(panel.Find("conclusion")->Text(), pairs[1].Find("conclusion")->Text());

  // Switched on in the file, it shows after the settings change.
  WriteCorrelationSettings(settings, "RXy", true);
  args.push_back("--settings-change");
  const Value shown = json::Parse(Analyze(args).out);
  const Value& switched = shown.Find("analyzers")->Items().at(0);
  EXPECT_EQ(switched.Find("results")->Items().at(0).Items().size(), 5u);
  EXPECT_EQ(switched.Find("magnitudeDifferenceConclusion")->Text(),
            switched.Find("pairs")->Items().at(1).Find("magnitudeDifferenceVerdict")->Text());
}

TEST_F(AnalyzeCommandTest, CorrelationStatisticsFollowTheRadialDeformation) {
  if (!HaveSharedData()) GTEST_SKIP() << kSharedData << " is absent";
  const std::string healthy = Shared("healthy-rgh1.csv");
  // Agreement falls (LRxy, RXy) and the NCEPRI statistic rises with the deformation.
  for (const auto& [set, rising] : {std::pair{"LRxy", false}, {"RXy", false}, {"NCEPRI", true}}) {
    const std::string settings = scratch.Path(std::string("settings-") + set);
    WriteCorrelationSettings(settings, set, true);
    std::vector<std::vector<double>> values;
    for (const char* file :
         {"radial-l1-plus01pct.csv", "radial-l1-plus05pct.csv", "radial-l1-plus10pct.csv"}) {
      const CommandRun run = Analyze({"--json", "--analyzer", "0", "--settings-dir", settings,
                                      healthy, Shared(file)});
      ASSERT_EQ(run.exitCode, 0) << run.err;
      values.push_back(Factors(json::Parse(run.out).Find("analyzers")->Items().at(0), 0));
    }
    // MF and HF for the three-band sets; the one NCEPRI band spans both.
    for (size_t band = values[0].size() == 3 ? 1 : 0; band < values[0].size(); ++band) {
      for (size_t step = 0; step < 2; ++step) {
        const double before = values[step][band];
        const double after = values[step + 1][band];
        EXPECT_TRUE(rising ? after > before : after < before)
            << set << " band " << band << ": " << before << " then " << after;
      }
    }
  }
}

// The built executable with its module library, as a user runs it.
TEST_F(AnalyzeCommandTest, BuiltExecutableAnalysesWithItsModule) {
  const std::string orlo = std::string(ORLO_BIN_DIR) + "/orlo";
  if (!std::filesystem::exists(orlo)) GTEST_SKIP() << orlo << " is not built";
  const std::string command = "env -u ORLO_MODULE_PATH '" + orlo + "' analyze --json '" +
                              Phase("phase-A", 1) + "' '" + Phase("phase-B", 2) + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[4096];
  while (const size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  ASSERT_EQ(pclose(pipe), 0) << output;

  const Value document = json::Parse(output);
  EXPECT_EQ(document.Find("sweeps")->Items().size(), 2u);

  // A standard output that takes nothing (a full disk) fails the run.
  const std::string full = "env -u ORLO_MODULE_PATH '" + orlo + "' analyze '" +
                           Phase("phase-A", 1) + "' 2>&1 >/dev/full";
  FILE* fullPipe = popen(full.c_str(), "r");
  ASSERT_NE(fullPipe, nullptr);
  std::string message;
  while (const size_t n = fread(buffer, 1, sizeof buffer, fullPipe)) message.append(buffer, n);
  const int status = pclose(fullPipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3) << status;
  EXPECT_EQ(message, "orlo: cannot write the output\n");
  for (const Value& panel : document.Find("analyzers")->Items()) {
    if (panel.Find("guid")->Text() != kDlt911Guid) continue;
    // Read across the library boundary: the readout of the loaded module.
    EXPECT_EQ(panel.Find("pairs")->Items().size(), 1u);
    EXPECT_EQ(Cell(panel, "results", 1, 1), "[phase-A] - [phase-B]");
  }
}

}  // namespace
}  // namespace orlo::host
