#include "host/sweeps/WindingModel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orlo::host {
namespace {

double Decibels(std::complex<double> response) { return 20.0 * std::log10(std::abs(response)); }

// The mean absolute difference in dB between two models over the whole sweep range.
double MeanDeviation(const WindingModel& a, const WindingModel& b) {
  const std::vector<double> frequencies = LogSpacedFrequencies(20.0, 2.0e6, 200);
  double sum = 0.0;
  for (const double frequency : frequencies) {
    sum += std::abs(Decibels(a.Response(frequency)) - Decibels(b.Response(frequency)));
  }
  return sum / static_cast<double>(frequencies.size());
}

TEST(WindingModelTest, IsResistiveDividerAtLowFrequency) {
  const WindingModel model;
  double resistance = 0.0;
  for (const WindingSection& section : model.sections()) resistance += section.resistance;
  // Skin effect factor at 0.01 Hz is 1.001; the inductive part is negligible there.
  const std::complex<double> response = model.Response(0.01);
  EXPECT_NEAR(response.real(), 50.0 / (50.0 + resistance * 1.001), 1e-5);
  EXPECT_NEAR(response.imag(), 0.0, 1e-5);
}

TEST(WindingModelTest, ShowsResonancesAndCapacitiveCouplingAtHighFrequency) {
  const WindingModel model;
  const std::vector<double> frequencies = LogSpacedFrequencies(20.0, 2.0e6, 1000);
  int phaseFlips = 0;
  for (size_t i = 1; i < frequencies.size(); ++i) {
    const bool before = std::arg(model.Response(frequencies[i - 1])) > 0.0;
    const bool after = std::arg(model.Response(frequencies[i])) > 0.0;
    phaseFlips += before != after;
  }
  EXPECT_GE(phaseFlips, 6);
  // Above the resonances the series capacitances pass the signal: phase leads.
  EXPECT_GT(std::arg(model.Response(2.0e6)), 0.0);
  EXPECT_LT(Decibels(model.Response(2.0e6)), -40.0);
}

TEST(WindingModelTest, EveryDeformationChangesTheResponseMoreWhenSevere) {
  const WindingModel nominal;
  for (const Deformation deformation :
       {Deformation::kRadial, Deformation::kAxial, Deformation::kShortedTurns}) {
    SCOPED_TRACE(static_cast<int>(deformation));
    WindingModel slight;
    slight.Deform(deformation, 0.02);
    WindingModel severe;
    severe.Deform(deformation, 0.2);
    const double slightDeviation = MeanDeviation(nominal, slight);
    EXPECT_GT(slightDeviation, 0.001);
    EXPECT_GT(MeanDeviation(nominal, severe), 2.0 * slightDeviation);
  }
}

}  // namespace
}  // namespace orlo::host
