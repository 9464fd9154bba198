#include "host/sweeps/SweepImport.h"

#include "host/sweeps/InputFile.h"
#include "host/sweeps/PointValues.h"
#include "host/sweeps/SweepFileError.h"
#include "platform/common/NumberText.h"
#include "tests/host/ScratchDirectory.h"
#include "TestPaths.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <filesystem>
#include <random>

namespace orlo::host {
namespace {

using testing::ScratchDirectory;

// The value block the graph plug-in delivers for a point.
std::array<float, 4> Block(const Sweep::Point& point) {
  std::array<float, 4> block;
  FillValueBlock(point, ComplexParts(point), block.data());
  return block;
}

class SweepImportTest : public ::testing::Test {
 protected:
  Sweep Import(const std::string& content, const std::string& name = "sweep.csv") {
    return ImportSweepFile(scratch_.Write(name, content));
  }

  // What importing `content` as the file `name` gives: the point count and the last point
  // ("2: 2000 0.1 90", shortest float texts), or the error without the scratch directory.
  std::string Outcome(const std::string& content, const std::string& name = "f.csv") {
    const std::string file = scratch_.Write(name, content);
    try {
      const Sweep sweep = ImportSweepFile(file);
      const Sweep::Point& last = sweep.points.back();
      return std::to_string(sweep.points.size()) + ": " + FormatShortest(last.frequency) + " " +
             FormatShortest(last.magnitudeRatio) + " " + FormatShortest(last.phaseDegrees);
    } catch (const SweepFileError& error) {
      return std::string(error.what()).substr(scratch_.Path("").size());
    }
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

// The conversion estimates the power and falls back to std::pow next to a float rounding
// boundary: its floats must be those of the double-precision power everywhere, at the
// boundaries above all (values whose power is the midpoint of two floats), bit for bit.
TEST(DecibelToRatio, GivesTheFloatOfTheDoublePowerBitForBit) {
  std::mt19937_64 random(20);
  std::uniform_real_distribution<double> decibels(-1100.0, 1100.0);
  std::uniform_int_distribution<std::uint32_t> positiveFloats(1, 0x7F7FFFFE);
  // The first gives 2399075.25 (2399075.75 when computed in single precision).
  std::vector<double> values = {127.600877443896, 0.0, -0.0, 1e-300, -898.0, 770.7, -1000.0};
  for (int i = 0; i < 200000; ++i) {
    values.push_back(decibels(random));
    values.push_back(std::round(decibels(random) * 1e6) / 1e6);  // as files write them
    const std::uint32_t below = positiveFloats(random);  // and below + 1: two adjacent floats
    values.push_back(20.0 * std::log10((double(std::bit_cast<float>(below)) +
                                        double(std::bit_cast<float>(below + 1))) / 2));
  }
  int differences = 0;
  for (const double value : values) {
    differences += std::bit_cast<std::uint32_t>(DecibelToRatio(value)) !=
                   std::bit_cast<std::uint32_t>(Ratio(value));
  }
  EXPECT_EQ(differences, 0);
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
      {"100,0\n200,800\n",
       "f.csv:2: magnitude is beyond single precision (-898 dB to 770 dB): \"800\""},
      {"100,0\n200,-1e39\n",
       "f.csv:2: magnitude is beyond single precision (-898 dB to 770 dB): \"-1e39\""},
      {"Freq.,V\n100,\"(1e37dB,0\xC2\xB0)\"\n",
       "f.csv:2: magnitude is beyond single precision (-898 dB to 770 dB): \"1e37\""},
      {"f,ratio\n100,1e39\n", "f.csv:2: a number is beyond single precision"},
      {"0,0\n200,0\n", "f.csv:1: frequency must be above 0 Hz: \"0\""},
      {"100,0\n-200,0\n", "f.csv:2: frequency must be above 0 Hz: \"-200\""},
      {"100,0\n300,0\n200,0\n",
       "f.csv:3: frequency 200 Hz follows 300 Hz on line 2; points must be wholly ascending "
       "or wholly descending"},
      {"300,0\n# c\n200,0\n250,0\n",
       "f.csv:4: frequency 250 Hz follows 200 Hz on line 3; points must be wholly ascending "
       "or wholly descending"},
      {"100,0\n# c\n\n100.000001,0\n", "f.csv:4: frequency 100 Hz repeats line 1"},
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
      // LTspice exports.
      {"Freq.\n1,2\n", "f.csv:1: no trace named after \"Freq.\""},
      {"Freq.,V\n100,\"(0dB,0\xC2\xB0)\"\n200,\"(1B,0\xC2\xB0)\"\n",
       "f.csv:3: expected \"dB\" after the magnitude in \"(1B,0\xC2\xB0)\""},
      {"Freq.,V\n100,\"(1dB,0)\"\n",
       "f.csv:2: expected a degree sign after the phase in \"(1dB,0)\""},
      {"Freq.,V\n100,\"(1dB,0\xC2\xB0)\n",
       "f.csv:2: expected a closing '\"' in \"(1dB,0\xC2\xB0)"},
      {"Freq.,V\n100,n/a\n", "f.csv:2: expected a value \"(<magnitude>dB,<phase>\xC2\xB0)\" or "
                              "\"<real>,<imaginary>\" in \"n/a\""},
      {"Freq.,V\n100,\"(infdB,0\xC2\xB0)\"\n",
       "f.csv:2: magnitude is not a finite number in \"(infdB,0\xC2\xB0)\""},
      {"Freq.,V\n100,\"1,2\"x\n", "f.csv:2: expected the end of the value in \"1,2\"x"},
      {"Freq.,V\n100\n", "f.csv:2: expected a frequency and a trace value"},
      // Text that is not in a single-byte encoding or UTF-8.
      {"\xff\xfe" "f\0,\0m\0\n\0"sv, "f.csv: the file is UTF-16 text; save it as UTF-8 or Latin-1"},
      {"\xff\xfe\0\0" "f\0\0\0"sv, "f.csv: the file is UTF-32 text; save it as UTF-8 or Latin-1"},
      {"1\0" "00,0\n200,0\n"sv, "f.csv: the file is UTF-16 text; save it as UTF-8 or Latin-1"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(Outcome(std::string(test.content)), test.message) << test.content;
  }
}

TEST_F(SweepImportTest, ReadsPolarValuesWithEitherDegreeSign) {
  const char* const files[] = {
      "Freq.,V(e1)/I(V1)\n"
      "1000.0,\"(-6.0e+00dB,4.5e+01\xC2\xB0)\"\n"
      "2.0e+03,\"(0dB,-90\xC2\xB0)\"\n",
      "Freq.,V(e1)/I(V1)\n"
      "1000.0,\"(-6.0e+00dB,4.5e+01\xB0)\"\n"
      "2.0e+03,\"(0dB,-90\xB0)\"\n",
      "Freq.\tV(out)\n"
      "1000.0\t(-6.0e+00dB,4.5e+01\xB0)\n"
      "2.0e+03\t(0dB,-90\xC2\xB0)\n",
  };
  const float ratio = static_cast<float>(std::pow(10.0, -6.0 / 20.0));
  for (const char* content : files) {
    SCOPED_TRACE(content);
    const Sweep sweep = Import(content);
    ASSERT_EQ(sweep.points.size(), 2u);
    EXPECT_EQ(sweep.points[0].frequency, 1000.0f);
    EXPECT_EQ(sweep.points[0].magnitudeRatio, ratio);
    EXPECT_EQ(sweep.points[0].phaseDegrees, 45.0f);
    EXPECT_FLOAT_EQ(Block(sweep.points[0])[0], ratio * std::sqrt(0.5f));
    EXPECT_FLOAT_EQ(Block(sweep.points[0])[1], ratio * std::sqrt(0.5f));
    EXPECT_EQ(sweep.points[1].phaseDegrees, -90.0f);
    EXPECT_EQ(Block(sweep.points[1])[1], -1.0f);
  }
}

TEST_F(SweepImportTest, ReadsCartesianValuesOfTheFirstTraceOnly) {
  const char* const files[] = {
      "Freq.\tV(a)\tV(b)\n1e3\t0.6,0.8\t9,9\n2e3\t-2,0\t9,9\n",
      "Freq.,V(a),V(b)\n1e3,\"0.6,0.8\",\"9,9\"\n2e3,\"-2,0\",\"9,9\"\n",
  };
  for (const char* content : files) {
    SCOPED_TRACE(content);
    const Sweep sweep = Import(content);
    ASSERT_EQ(sweep.points.size(), 2u);
    EXPECT_FLOAT_EQ(Block(sweep.points[0])[0], 0.6f);
    EXPECT_FLOAT_EQ(Block(sweep.points[0])[1], 0.8f);
    EXPECT_EQ(sweep.points[0].magnitudeRatio, 1.0f);
    EXPECT_FLOAT_EQ(sweep.points[0].phaseDegrees, 53.130102f);
    EXPECT_EQ(sweep.points[1].magnitudeRatio, 2.0f);
    EXPECT_EQ(sweep.points[1].phaseDegrees, 180.0f);
  }
}

TEST_F(SweepImportTest, ReadsTheFirstRunOfASteppedLtspiceAnalysis) {
  EXPECT_EQ(Outcome("Freq.\tV(out)\nStep Information: R=1 (Run: 1/2)\n100\t1,0\n200\t1,0\n"
                    "Step Information: R=2 (Run: 2/2)\n100\t2,0\n200\t2,0\n"),
            "2: 200 1 0");
}

// Network-analyser files: the sweep is S11 of a 1-port and S21 of a 2-port file.
TEST_F(SweepImportTest, ReadsTouchstoneFilesByTheirRules) {
  const std::string v2 = "[Version] 2.0\n# Hz\n[Number of Ports] 2\n";
  const std::string pair = "[Two-Port Data Order] 12_21\n[Network Data]\n";
  const struct {
    const char* name;
    std::string content;
    const char* outcome;
  } cases[] = {
      // Defaults GHz and MA; '!' comments, blank lines, CR LF.
      {"a.s1p", "! VNA\r\n\r\n1 0.5 10 ! first\r\n2 0.25 -20\r\n", "2: 2000000000 0.25 -20"},
      {"a.S1P", "# khz s db r 75\n# Hz Z\n1 0 0\n2 -20 90\n", "2: 2000 0.1 90"},
      {"a.s1p", "# RI Hz\n1 3 4\n2 -3 1\n", "2: 2 3.1622777 161.56505"},
      // Values 11 21 12 22, a wrapped row; the first frequency that does not increase
      // starts the noise parameters.
      {"a.s2p", "# MHz S DB\n1 9 0 -6 10\n  9 0 9 0\n2 9 0 6 20 9 0 9 0\n1 2 3 4 5\n",
       "2: 2000000 1.9952623 20"},
      {"a.ts", v2 + pair + "1 9 0 9 0 0.5 1 9 0\n2 9 0 9 0 0.25 2 9 0\n[Noise Data]\n1 2 3",
       "2: 2 0.25 2"},
      {"a.s1p", v2 + "[Two-Port Data Order] 21_12\n[Number of Frequencies] 2\n[Reference] 50\n"
                     "50\n[Network Data]\n1 9 0 0.5 1 9 0 9 0\n2 9 0 0.25 2 9 0 9 0\n[End]\n0",
       "2: 2 0.25 2"},
      {"a.ts", "[version] 2.0\n[Number of Ports] 1\n[Network Data]\n1 1 0\n2 1 0\n",
       "2: 2000000000 1 0"},
      {"a.txt", "# Hz S MA\n100,0\n200,-20\n", "2: 200 0.1 0"},  // delimited text
      {"z.s2p", "# Hz Z MA\n1 1 0 1 0 1 0 1 0\n", "z.s2p:1: only S parameters are read"},
      {"a.s1p", "# Hz S XY\n", "a.s1p:1: unknown option \"XY\""},
      {"a.s1p", "# R\n", "a.s1p:1: expected the reference resistance after R"},
      {"a.s3p", "# Hz\n1 1 0 1 0 1 0\n", "a.s3p:2: only 1- and 2-port files are read"},
      {"a.ts", "[Version] 2.0\n[Number of Ports] 3\n", "a.ts:2: only 1- and 2-port files are read"},
      {"a.ts", "[Version] 2.1\n", "a.ts:1: expected [Version] 2.0, found \"2.1\""},
      {"a.ts", "[Version] 2.0\n[Network Data]\n",
       "a.ts:2: [Number of Ports] must come before [Network Data]"},
      {"a.ts", v2 + "[Network Data]\n",
       "a.ts:4: [Two-Port Data Order] must come before [Network Data] of a 2-port file"},
      {"a.ts", v2 + "[Two-Port Data Order] 1221\n",
       "a.ts:4: expected [Two-Port Data Order] 12_21 or 21_12, found \"1221\""},
      {"a.s2p", "1 1 0 1 0 1 0 1\n2 1 0 1 0 1 0 1 0\n",
       "a.s2p:2: the row begun on line 1 has more than 9 values (the frequency and 8 for 2 ports)"},
      {"a.s1p", "1 1 0\n2 1\n\n! end\n",
       "a.s1p:2: unfinished row: 2 of its 3 values (the frequency and 2 for 1 port)"},
      {"a.s1p", "1 1 0\n2e-9 1 0\n",
       "a.s1p:2: frequency 2 Hz follows 1000000000 Hz on line 1; frequencies must increase"},
      {"a.ts", v2 + pair + "2 1 0 1 0 1 0 1 0\n1 1 0 1 0 1 0 1 0\n",
       "a.ts:7: frequency 1 Hz follows 2 Hz on line 6; frequencies must increase"},
      {"a.s1p", "1 -0.5 0\n", "a.s1p:1: S11 magnitude is negative: \"-0.5\""},
      {"a.s2p", "1 1 0 x 0 1 0 1 0\n", "a.s2p:1: S21 is not a number: \"x\""},
      {"a.s1p", "0 1 0\n", "a.s1p:1: frequency must be above 0 Hz: \"0\""},
      {"a.s1p", "! no data\n# Hz\n", "a.s1p:2: a sweep needs at least 2 points, found 0"},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(Outcome(test.content, test.name), test.outcome) << test.content;
  }
}

TEST_F(SweepImportTest, NamesUnreadableFiles) {
  const std::string missing = scratch_.Path("missing.csv");
  EXPECT_EQ(ImportErrorOf(missing), missing + ": cannot open: No such file or directory");
  const std::string folder = scratch_.Path("folder.csv");
  std::filesystem::create_directory(folder);
  EXPECT_EQ(ImportErrorOf(folder), folder + ": cannot read: is a directory");
}

// A file read in pieces gives the lines the whole text gives, also where a line end, a
// "\r\n" or a line longer than a piece meets a piece's end.
TEST_F(SweepImportTest, ReadsAFileInPiecesAsAWhole) {
  const std::string text = "\xEF\xBB\xBF" "a\r\nbc\n\n" + std::string(9, 'd') + "\r\ne\r\nfgh\r";
  const std::string file = scratch_.Write("pieces.txt", text);
  for (const size_t pieceSize : {1, 2, 3, 4, 5, 64}) {
    InputFilePieces pieces(file, pieceSize);
    for (int pass = 0; pass < 2; ++pass, pieces.Rewind()) {
      TextLines whole(text), inPieces(pieces);
      for (std::string_view expected, line; whole.Next(expected);) {
        ASSERT_TRUE(inPieces.Next(line));
        EXPECT_EQ(line, expected) << pieceSize;
      }
      std::string_view beyond;
      EXPECT_FALSE(inPieces.Next(beyond));
      EXPECT_EQ(inPieces.Number(), 6);
    }
  }
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

  // Files are read side by side; the error is still the first failing file's in the order
  // given, though a later one fails sooner.
  std::string late = content;
  for (int f = 300; f < 200000; ++f) late += std::to_string(f) + ",0\n";
  const std::string lateFile = scratch_.Write("late.csv", late + "x,0\n");
  try {
    ImportSweepFiles({scratch_.Path("phase-B.csv"), lateFile, scratch_.Write("soon.csv", "x")});
    ADD_FAILURE() << "no error";
  } catch (const SweepFileError& error) {
    EXPECT_EQ(std::string(error.what()), lateFile + ":199703: frequency is not a number: \"x\"");
  }
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

// Real measurements of a network analyser: S21 of every file, 1040 or 1041 rows.
TEST(SharedTouchstoneFiles, ImportEveryMeasurement) {
  const std::filesystem::path folder = std::filesystem::path(ORLO_SHARED_DATA_DIR) / "touchstone";
  if (!std::filesystem::is_directory(folder)) {
    GTEST_SKIP() << "shared data not found at " << folder;
  }
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.path().extension() != ".S2P") continue;
    SCOPED_TRACE(entry.path());
    const bool lab = entry.path().string().find("lab-winding") != std::string::npos;
    const Sweep sweep = ImportSweepFile(entry.path().string());
    EXPECT_EQ(sweep.points.size(), lab ? 1040u : 1041u);
    EXPECT_EQ(sweep.points.front().frequency, lab ? 10.0f : 5.0f);
    EXPECT_EQ(sweep.points.back().frequency, lab ? 2.0e6f : 1.0e7f);
    files += 1;
  }
  EXPECT_EQ(files, 50);
  // The first, middle and last rows: 10^(dB/20) computed in double, the angle as written.
  const struct {
    const char* file;
    float frequency[3], ratio[3], phase[3];
  } measured[] = {
      {"three-phase-short-circuit/phase-1/12092500.S2P", {5.0f, 7154.49f, 1.0e7f},
       {0.993126988f, 0.357029706f, 0.464961767f}, {-0.256234795f, -49.460331f, 10.6602001f}},
      {"lab-winding/resistive-short/2301.S2P", {10.0f, 4498.482f, 2.0e6f},
       {0.0568120554f, 0.000890448922f, 0.00196514674f}, {-78.0421982f, -74.2114487f, -125.9515f}},
  };
  for (const auto& test : measured) {
    SCOPED_TRACE(test.file);
    const SweepPoints points = ImportSweepFile((folder / test.file).string()).points;
    const size_t rows[] = {0, points.size() / 2, points.size() - 1};
    for (const size_t i : {0, 1, 2}) {
      EXPECT_EQ(points[rows[i]].frequency, test.frequency[i]);
      EXPECT_EQ(points[rows[i]].magnitudeRatio, test.ratio[i]);
      EXPECT_EQ(points[rows[i]].phaseDegrees, test.phase[i]);
    }
  }
}

}  // namespace
}  // namespace orlo::host
