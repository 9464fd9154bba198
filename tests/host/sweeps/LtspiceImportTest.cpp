#include "host/sweeps/SweepImport.h"

#include "host/sweeps/PointValues.h"
#include "host/sweeps/SweepFileError.h"
#include "tests/host/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace orlo::host {
namespace {

using testing::ScratchDirectory;

// The value block the graph plug-in delivers for a point.
std::array<float, 4> Block(const Sweep::Point& point) {
  std::array<float, 4> block;
  FillValueBlock(point, block.data());
  return block;
}

class LtspiceImportTest : public ::testing::Test {
 protected:
  Sweep Import(const std::string& content) {
    return ImportSweepFile(scratch_.Write("trace.txt", content));
  }

  std::string ErrorOf(const std::string& content) {
    try {
      Import(content);
    } catch (const SweepFileError& error) {
      return std::string(error.what()).substr(scratch_.Path("").size());
    }
    return "no error";
  }

  ScratchDirectory scratch_;
};

TEST_F(LtspiceImportTest, ReadsPolarValuesWithEitherDegreeSign) {
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

TEST_F(LtspiceImportTest, ReadsCartesianValuesOfTheFirstTraceOnly) {
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

TEST_F(LtspiceImportTest, ReadsTheFirstRunOfASteppedAnalysis) {
  const Sweep sweep = Import(
      "Freq.\tV(out)\n"
      "Step Information: R=1 (Run: 1/2)\n"
      "100\t1,0\n200\t1,0\n"
      "Step Information: R=2 (Run: 2/2)\n"
      "100\t2,0\n200\t2,0\n");
  ASSERT_EQ(sweep.points.size(), 2u);
  EXPECT_EQ(sweep.points[1].magnitudeRatio, 1.0f);
}

TEST_F(LtspiceImportTest, NamesTheLineOfEveryFault) {
  const std::string header = "Freq.,V(out)\n";
  const std::string good = "100,\"(0dB,0\xC2\xB0)\"\n";
  EXPECT_EQ(ErrorOf("Freq.\n1,2\n"), "trace.txt:1: no trace named after \"Freq.\"");
  EXPECT_EQ(ErrorOf(header + good + "200,\"(1B,0\xC2\xB0)\"\n"),
            "trace.txt:3: expected \"dB\" after the magnitude in \"(1B,0\xC2\xB0)\"");
  EXPECT_EQ(ErrorOf(header + good + "200,\"(1dB,0)\"\n"),
            "trace.txt:3: expected a degree sign after the phase in \"(1dB,0)\"");
  EXPECT_EQ(ErrorOf(header + good + "200,\"(1dB,0\xC2\xB0)\n"),
            "trace.txt:3: expected a closing '\"' in \"(1dB,0\xC2\xB0)");
  EXPECT_EQ(ErrorOf(header + "100,n/a\n"),
            "trace.txt:2: expected a value \"(<magnitude>dB,<phase>\xC2\xB0)\" or "
            "\"<real>,<imaginary>\" in \"n/a\"");
  EXPECT_EQ(ErrorOf(header + "100,\"(infdB,0\xC2\xB0)\"\n"),
            "trace.txt:2: magnitude is not a finite number in \"(infdB,0\xC2\xB0)\"");
  EXPECT_EQ(ErrorOf(header + "100,\"1,2\"x\n"),
            "trace.txt:2: expected the end of the value in \"1,2\"x");
  EXPECT_EQ(ErrorOf(header + "100\n"), "trace.txt:2: expected a frequency and a trace value");
}

}  // namespace
}  // namespace orlo::host
