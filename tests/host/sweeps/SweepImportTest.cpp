#include "host/sweeps/SweepImport.h"

#include "host/sweeps/PointValues.h"
#include "host/sweeps/SweepFileError.h"
#include "tests/host/ScratchDirectory.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>

namespace orlo::host {
namespace {

using testing::ScratchDirectory;

// The value block the graph plug-in delivers for a point.
std::array<float, 4> Block(const Sweep::Point& point) {
  std::array<float, 4> block;
  FillValueBlock(point, block.data());
  return block;
}

class SweepImportTest : public ::testing::Test {
 protected:
  Sweep Import(const std::string& content, const std::string& name = "sweep.csv") {
    return ImportSweepFile(scratch_.Write(name, content));
  }

  // The import's error message with the scratch directory taken off the file name.
  std::string ErrorOf(const std::string& content) {
    return ImportErrorOf(scratch_.Write("f.csv", content)).substr(scratch_.Path("").size());
  }

  static std::string ImportErrorOf(const std::string& file) {
    try {
      ImportSweepFile(file);
    } catch (const SweepFileError& error) {
      return error.what();
    }
    return "no error";
  }

  ScratchDirectory scratch_;
};

float Ratio(double decibels) { return static_cast<float>(std::pow(10.0, decibels / 20.0)); }

TEST_F(SweepImportTest, ReadsHeaderCommentsAndThreeColumns) {
  const Sweep sweep = Import(
      "# measured on phase A\n"
      "frequency_hz,magnitude_db,phase_deg\n"
      "\n"
      "100,-6,90\n"
      "  # a comment between points\n"
      "1001.52131519647,0,-180\n");
  EXPECT_EQ(sweep.name, "sweep");
  ASSERT_EQ(sweep.points.size(), 2u);
  EXPECT_EQ(sweep.points[0].magnitudeRatio, Ratio(-6));
  EXPECT_EQ(sweep.points[0].phaseDegrees, 90.0f);
  EXPECT_EQ(Block(sweep.points[0])[1], Ratio(-6));
  EXPECT_EQ(sweep.points[1].frequency, static_cast<float>(1001.52131519647));
  EXPECT_EQ(Block(sweep.points[1])[0], -1.0f);
}

TEST_F(SweepImportTest, StoresTheFloatNearestToTheDecibelRatioComputedInDouble) {
  // Computed in single precision this would be 2399075.75.
  const Sweep sweep = Import("100,127.600877443896\n200,0\n");
  EXPECT_EQ(sweep.points[0].magnitudeRatio, 2399075.25f);
  EXPECT_EQ(sweep.points[0].phaseDegrees, 0.0f);
  EXPECT_EQ(Block(sweep.points[0])[0], 2399075.25f);
  EXPECT_EQ(Block(sweep.points[0])[1], 0.0f);
}

TEST_F(SweepImportTest, DetectsTheDelimiterAndAcceptsAnyOrderOfTheSameFile) {
  const char* const files[] = {
      "100,0;-3,5;10,25\n200;-1.5;0\n",   // semicolon with decimal comma or point
      "f\tm\tp\n100\t-3.5\t10.25\n200\t-1.5\t0\n",
      "100   -3.5  10.25\n  200 -1.5 0  \n",  // runs of blanks
      "f, m, p\n100, -3.5, 10.25\n200, -1.5, 0\n",
      "\xEF\xBB\xBF" "f,m,p\r\n100,-3.5,10.25\r\n200,-1.5,0\r\n",  // byte order mark, CR LF
      "200,-1.5,0\n100,-3.5,10.25\n",     // wholly descending: reversed
  };
  for (const char* content : files) {
    SCOPED_TRACE(content);
    const Sweep sweep = Import(content);
    ASSERT_EQ(sweep.points.size(), 2u);
    EXPECT_EQ(sweep.points[0].frequency, 100.0f);
    EXPECT_EQ(sweep.points[0].magnitudeRatio, Ratio(-3.5));
    EXPECT_EQ(sweep.points[0].phaseDegrees, 10.25f);
    EXPECT_EQ(sweep.points[1].magnitudeRatio, Ratio(-1.5));
  }
}

TEST_F(SweepImportTest, HeaderDecidesBetweenDecibelsAndRatio) {
  EXPECT_EQ(Import("freq,Magnitude (RATIO)\n100,0.5\n200,2\n").points[0].magnitudeRatio, 0.5f);
  EXPECT_EQ(Import("freq;mag linear\n100;0,5\n200;2\n").points[0].magnitudeRatio, 0.5f);
  EXPECT_EQ(Import("freq,magnitude (dB)\n100,0.5\n200,2\n").points[0].magnitudeRatio, Ratio(0.5));
  EXPECT_EQ(Import("100,0.5\n200,2\n").points[0].magnitudeRatio, Ratio(0.5));
}

TEST_F(SweepImportTest, NamesTheFileAndLineOfEveryFault) {
  using namespace std::string_view_literals;
  const struct {
    std::string_view content;
    const char* message;
  } cases[] = {
      {"f,m\n100,abc\n", "f.csv:2: magnitude is not a number: \"abc\""},
      {"100,0\n200,0,x\n", "f.csv:2: expected 2 fields like line 1, found 3"},
      {"100,0,1\n200,0,x\n", "f.csv:2: phase is not a number: \"x\""},
      {"100,0\n200,inf\n", "f.csv:2: magnitude is not a finite number: \"inf\""},
      {"100,0\n200,1e999\n", "f.csv:2: magnitude is out of the double range: \"1e999\""},
      {"100,0\n200,800\n", "f.csv:2: a number is beyond single precision"},
      {"0,0\n200,0\n", "f.csv:1: frequency must be above 0 Hz: \"0\""},
      {"100,0\n-200,0\n", "f.csv:2: frequency must be above 0 Hz: \"-200\""},
      {"100,0\n300,0\n200,0\n",
       "f.csv:3: frequency 200 Hz follows 300 Hz on line 2; points must be wholly ascending "
       "or wholly descending"},
      {"300,0\n# c\n200,0\n250,0\n",
       "f.csv:4: frequency 250 Hz follows 200 Hz on line 3; points must be wholly ascending "
       "or wholly descending"},
      {"100,0\n100.000001,0\n", "f.csv:2: frequency 100 Hz repeats line 1"},
      {"f,m\n100,0\n", "f.csv:2: a sweep needs at least 2 points, found 1"},
      {"", "f.csv:1: a sweep needs at least 2 points, found 0"},
      {"100\n200\n", "f.csv:1: expected 2 or 3 fields (frequency, magnitude, optional phase), "
                     "found 1"},
      {"f,ratio\n100,-0.5\n200,1\n", "f.csv:2: magnitude ratio is negative: \"-0.5\""},
      {"100;1.000,5\n200;0\n", "f.csv:1: magnitude is not a number: \"1.000,5\""},
      {"100\t\t0\n", "f.csv:1: magnitude is not a number: \"\""},
      {"100,0\n200 x ,0\n", "f.csv:2: frequency is not a number: \"200 x\""},
      {"f\tm\n100\t2e \n", "f.csv:2: magnitude is not a number: \"2e\""},
      // Echoed fields: about 40 characters, control characters and bad bytes spelled out.
      {"f,m\n100,0123456789012345678901234567890123456789xyz\n",
       "f.csv:2: magnitude is not a number: \"0123456789012345678901234567890123456789\u2026\""},
      {"f,m\n100,\x1b[2J\xff\xc3\xa9\n",
       "f.csv:2: magnitude is not a number: \"\\x1B[2J\\xFF\u00e9\""},
      // Text that is not in a single-byte encoding or UTF-8.
      {"\xff\xfe" "f\0,\0m\0\n\0"sv, "f.csv: the file is UTF-16 text; save it as UTF-8 or Latin-1"},
      {"\xff\xfe\0\0" "f\0\0\0"sv, "f.csv: the file is UTF-32 text; save it as UTF-8 or Latin-1"},
      {"1\0" "00,0\n200,0\n"sv, "f.csv: the file is UTF-16 text; save it as UTF-8 or Latin-1"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(ErrorOf(std::string(test.content)), test.message) << test.content;
  }
}

TEST_F(SweepImportTest, NamesUnreadableFiles) {
  const std::string missing = scratch_.Path("missing.csv");
  EXPECT_EQ(ImportErrorOf(missing), missing + ": cannot open: No such file or directory");
  const std::string folder = scratch_.Path("folder.csv");
  std::filesystem::create_directory(folder);
  EXPECT_EQ(ImportErrorOf(folder), folder + ": cannot read: is a directory");
}

TEST_F(SweepImportTest, MakesNamesUniqueWithinOneLoad) {
  const std::string content = "100,0\n200,0\n";
  const std::vector<Sweep> sweeps = ImportSweepFiles(
      {scratch_.Write("a/phase-A.csv", content), scratch_.Write("phase-A (2).txt", content),
       scratch_.Write("b/phase-A.csv", content), scratch_.Write("phase-B.csv", content)});
  ASSERT_EQ(sweeps.size(), 4u);
  EXPECT_EQ(sweeps[0].name, "phase-A");
  EXPECT_EQ(sweeps[1].name, "phase-A (2)");
  EXPECT_EQ(sweeps[2].name, "phase-A (3)");
  EXPECT_EQ(sweeps[3].name, "phase-B");
  EXPECT_EQ(sweeps[2].file, scratch_.Path("b/phase-A.csv"));
}

TEST(SharedFrequencyResponses, ImportWithTheListedPointCounts) {
  const std::filesystem::path folder =
      std::filesystem::path(ORLO_SHARED_DATA_DIR) / "frequency-response";
  if (!std::filesystem::is_directory(folder)) {
    GTEST_SKIP() << "shared data not found at " << folder;
  }
  const std::pair<const char*, size_t> files[] = {
      {"healthy-rgh1.csv", 5002},           {"healthy-cg-cs-ll-1.csv", 5002},
      {"radial-l1-plus01pct.csv", 4999},    {"radial-l1-plus05pct.csv", 4999},
      {"radial-l1-plus10pct.csv", 4999},    {"radial-l1-minus05pct.csv", 4999},
      {"lv-deformation-rgh1-17.38g.csv", 4999}, {"interdisk-all-26.csv", 5002},
      {"line-ground-rsh-0.6047857g.csv", 5002},
  };
  for (const auto& [name, count] : files) {
    SCOPED_TRACE(name);
    const Sweep sweep = ImportSweepFile((folder / name).string());
    ASSERT_EQ(sweep.points.size(), count);
    EXPECT_EQ(sweep.points.front().frequency, 1000.0f);
    EXPECT_EQ(sweep.points.back().frequency, 2.0e6f);
    // Impedances in dB with a phase near +90 degrees at 1 kHz.
    EXPECT_NEAR(20.0 * std::log10(sweep.points.front().magnitudeRatio), 127.6, 0.1);
    EXPECT_NEAR(sweep.points.front().phaseDegrees, 90.11, 0.01);
  }
}

}  // namespace
}  // namespace orlo::host
