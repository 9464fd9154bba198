// The pieces of `orlo screen`: the worker pool when a worker dies, the severity scale, the
// manifest, and one worker's session showing the module 200 sets in turn.
#include "host/screen/ScreenOutputs.h"
#include "host/screen/ScreenRow.h"
#include "host/screen/ScreenSession.h"
#include "host/screen/SetManifest.h"
#include "host/screen/WorkerPool.h"
#include "module/core/ModuleEntry.h"
#include "host/cli/Command.h"
#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <map>
#include <sstream>

namespace orlo::host {
namespace {

constexpr wchar_t kDlt911[] = L"{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}";
constexpr wchar_t kXCorr[] = L"{4BA6F174-43D6-4431-ADD2-DCAC39848B99}";

class TaskWorker : public ScreenWorker {
 public:
  std::string Greeting() override { return "up"; }
  std::string Run(size_t index) override {
    if (index == 2) raise(SIGKILL);  // a crash in one set
    return "task " + std::to_string(index);
  }
};

TEST(ScreenWorkerPool, AWorkerThatDiesCostsItsTaskOnlyAndItsSetSaysWhy) {
  WorkerPool pool(2, [] { return std::make_unique<TaskWorker>(); });
  std::map<size_t, std::string> results;
  std::string error;
  ASSERT_TRUE(pool.Run(
      6, [](const std::string& greeting) { return greeting == "up"; },
      [&](size_t index, TaskResult result) {
        EXPECT_TRUE(results.emplace(index, result.text ? *result.text : result.failure).second);
      },
      error));
  EXPECT_EQ(error, "");
  const std::string died = "its worker process was killed by signal 9 (Killed)";
  EXPECT_EQ(results, (std::map<size_t, std::string>{
                         {0, "task 0"}, {1, "task 1"}, {2, died}, {3, "task 3"}, {4, "task 4"}, {5, "task 5"}}));

  const ScreenRow row = ReadScreenRow(FailedSetEntry({"T1", {"a.csv"}, {}}, SetStatus::kWorkerDied, died));
  EXPECT_EQ(row.notes, std::vector<std::string>{"not analysed: " + died});
  EXPECT_GT(row.Rank(), static_cast<int>(Severity::kError));

  // A refused greeting stops the run before any task.
  EXPECT_FALSE(pool.Run(3, [](const std::string&) { return false; },
                        [](size_t, TaskResult) { ADD_FAILURE(); }, error));
}

TEST(ScreenSeverity, EachAnalyzersOwnOrderOnOneScale) {
  const std::pair<const wchar_t*, const wchar_t*> ascending[] = {
      {kDlt911, L""},
      {kDlt911, L"Normal"},
      {kDlt911, L"R-HF above limit, R-LF and R-MF normal"},
      {kDlt911, L"Light Distortion"},
      {kDlt911, L"Obvious Distortion"},
      {kDlt911, L"Severe Distortion"},
      {kDlt911, L"Error"}};
  for (size_t i = 0; i < std::size(ascending); ++i) {
    EXPECT_EQ(SeverityOf(ascending[i].first, ascending[i].second), static_cast<Severity>(i));
  }
  EXPECT_EQ(SeverityOf(kXCorr, L"Slight Distortion"), Severity::kLight);
  EXPECT_EQ(SeverityOf(kXCorr, L"Suspected Distortion"), Severity::kLight);
  EXPECT_EQ(SeverityOf(kXCorr, L"Serious Distortion"), Severity::kObvious);
  EXPECT_EQ(SeverityOf(kXCorr, L"Error"), Severity::kError);
  EXPECT_EQ(SeverityOf(kDlt911, L"Serious Distortion"), Severity::kNone);  // not its word
  EXPECT_EQ(SeverityOf(L"{other}", L"Normal"), Severity::kNone);
}

// A row's notes read as sentences; notes every set has are left to the line under the table.
TEST(ScreenTable, JoinsARowsNotesAsSentences) {
  EXPECT_EQ(JoinedNotes({"No file.", "a.csv:3: bad", "common.", "Last."}, {"common."}),
            "No file. a.csv:3: bad; Last.");
}

TEST(ScreenManifest, SetsInOrderOfTheirFirstRowAndPreciseFaults) {
  const auto sets = ParseSetManifest(
      "Transformer,FILE,Set\n\nT1,a/p1.csv,x\nT2,/abs/q.csv,\"y, 2\"\nT9,a/p2.csv,x\n", "m/list.csv");
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_EQ(sets[0].name, "x");
  EXPECT_EQ(sets[0].files, (std::vector<std::string>{"m/a/p1.csv", "m/a/p2.csv"}));
  EXPECT_EQ(sets[0].columns, (std::vector<std::pair<std::string, std::string>>{{"Transformer", "T1"}}));
  EXPECT_EQ(sets[1].name, "y, 2");
  EXPECT_EQ(sets[1].files, std::vector<std::string>{"/abs/q.csv"});

  const std::pair<const char*, const char*> faults[] = {
      {"", "m.csv: the manifest is empty (it needs a header \"set,file\")"},
      {"set,path\n", "m.csv:1: the header has no column 'file' (a manifest starts with a header such as \"set,file\")"},
      {"set,file\n", "m.csv: the manifest lists no set"},
      {"set,file\na,b,c\n", "m.csv:2: 3 fields where the header has 2"},
      {"set,file\na,\n", "m.csv:2: the set or the file is empty"},
      {"set,file\n\"a,b\n", "m.csv:2: a quoted field is not closed on its line"}};
  for (const auto& [text, message] : faults) {
    try {
      ParseSetManifest(text, "m.csv");
      ADD_FAILURE() << text;
    } catch (const SetListError& error) {
      EXPECT_EQ(std::string(error.what()), message);
    }
  }
}

// Two sets of the same file names, one deformed, shown 200 times in turn to one host: each
// showing gives what the first showing of that set gave, so nothing of a set stays behind
// (the sanitizer builds check that no memory does either).
TEST(ScreenSession, TheModuleStaysLoadedWhileTheSweepsChange200Times) {
  testing::ScratchDirectory scratch;
  std::vector<MeasurementSet> sets;
  for (const char* set : {"healthy", "deformed"}) {
    MeasurementSet measurement{set, {}, {}};
    for (int seed = 1; seed <= 3; ++seed) {
      const std::string file = scratch.Path(std::string(set) + "/p" + std::to_string(seed) + ".csv");
      std::vector<std::string> args = {"simulate", "--phase", std::to_string(seed), "--points", "500", "-o", file};
      if (seed == 2 && set[0] == 'd') args.insert(args.end(), {"--deformation", "axial", "--severity", "40"});
      std::filesystem::create_directories(std::filesystem::path(file).parent_path());
      std::ostringstream out, err;
      ASSERT_EQ(RunCommandLine(args, out, err), 0) << err.str();
      measurement.files.push_back(file);
    }
    sets.push_back(measurement);
  }
  HostSessionOptions options;
  options.moduleEntry = &module::ORLOModuleEntry;
  options.virtualClock = true;
  CScreenSession session(sets, options, "DL/T 911-2004 Analyzer");
  ASSERT_EQ(session.Greeting(), R"({"analyzers":[{"index":1,"name":"DL/T 911-2004 Analyzer","guid":"{E5DDB55E-96C1-47d0-8361-B7519CDA16F2}"}]})");
  const std::string healthy = session.Run(0), deformed = session.Run(1);
  EXPECT_NE(healthy.find(R"("worst":[{"analyzer":1,"conclusion":"Normal"}])"), std::string::npos);
  EXPECT_NE(deformed.find(R"("worst":[{"analyzer":1,"conclusion":"Obvious Distortion"}])"), std::string::npos);
  for (size_t showing = 2; showing < 200; ++showing) {
    ASSERT_EQ(session.Run(showing % 2), showing % 2 == 0 ? healthy : deformed) << showing;
  }
}

}  // namespace
}  // namespace orlo::host
