#include "host/sweeps/WindingModel.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace orlo::host {

namespace {

using Complex = std::complex<double>;
using Matrix = std::vector<std::vector<Complex>>;

constexpr int kSections = 16;
constexpr double kSectionResistance = 0.25;         // Ω
constexpr double kSectionInductance = 0.1e-3;       // H
constexpr double kSeriesCapacitance = 0.8e-9;       // F
constexpr double kGroundCapacitance = 0.12e-9;      // F
constexpr double kCouplingLength = 1.2;             // pitches; neighbours couple by e^(-1/1.2)
constexpr double kSkinFrequency = 10.0e3;           // Hz; resistance doubles here
constexpr double kLossTangent = 0.01;
constexpr double kLoadResistance = 50.0;            // Ω
constexpr double kScatter = 0.02;
constexpr double kShortedTurnLoss = 10.0;           // resistance grows by 1 + 10 * severity

// The deformed group: a quarter of the sections, starting a third of the way along the
// winding; shorted turns lie in its first section.
constexpr int kFirstDeformed = kSections / 3;
constexpr int kDeformedCount = kSections / 4;

// Solves a x = b by Gaussian elimination with partial pivoting; a is square and regular.
std::vector<Complex> Solve(Matrix a, std::vector<Complex> b) {
  const size_t n = b.size();
  for (size_t column = 0; column < n; ++column) {
    size_t pivot = column;
    for (size_t row = column + 1; row < n; ++row) {
      if (std::abs(a[row][column]) > std::abs(a[pivot][column])) pivot = row;
    }
    std::swap(a[column], a[pivot]);
    std::swap(b[column], b[pivot]);
    for (size_t row = column + 1; row < n; ++row) {
      const Complex factor = a[row][column] / a[column][column];
      if (factor == Complex()) continue;
      for (size_t k = column; k < n; ++k) a[row][k] -= factor * a[column][k];
      b[row] -= factor * b[column];
    }
  }
  std::vector<Complex> x(n);
  for (size_t row = n; row-- > 0;) {
    Complex sum = b[row];
    for (size_t k = row + 1; k < n; ++k) sum -= a[row][k] * x[k];
    x[row] = sum / a[row][row];
  }
  return x;
}

}  // namespace

WindingModel::WindingModel() {
  for (int k = 0; k < kSections; ++k) {
    sections_.push_back({kSectionResistance, kSectionInductance, kSeriesCapacitance,
                         kGroundCapacitance, static_cast<double>(k)});
  }
}

void WindingModel::ScatterParameters(std::uint32_t seed) {
  std::mt19937 engine(seed);
  for (WindingSection& section : sections_) {
    for (double* parameter : {&section.resistance, &section.inductance,
                              &section.seriesCapacitance, &section.groundCapacitance}) {
      *parameter *= 1.0 + kScatter * UniformSymmetric(engine);
    }
  }
}

void WindingModel::Deform(Deformation deformation, double severity) {
  const double narrowing = 1.0 / (1.0 - severity);
  switch (deformation) {
    case Deformation::kRadial:
      for (int k = kFirstDeformed; k < kFirstDeformed + kDeformedCount; ++k) {
        sections_[k].groundCapacitance *= narrowing;
      }
      break;
    case Deformation::kAxial:
      // Section k's gap to section k-1 closes; every section above moves down with it.
      for (int k = kFirstDeformed + 1; k < kFirstDeformed + kDeformedCount; ++k) {
        sections_[k].seriesCapacitance *= narrowing;
        for (int above = k; above < kSections; ++above) sections_[above].position -= severity;
      }
      break;
    case Deformation::kShortedTurns:
      sections_[kFirstDeformed].inductance *= 1.0 - severity;
      sections_[kFirstDeformed].resistance *= 1.0 + kShortedTurnLoss * severity;
      break;
  }
}

std::complex<double> WindingModel::Response(double frequency) const {
  // Modified nodal analysis. Unknowns: node voltages V1..VN (index 0..N-1), then the
  // inductive branch currents I1..IN (index N..2N-1), Ik flowing from node k-1 to node k.
  // V0 = 1 V, so Vout/Vin = VN.
  const size_t n = sections_.size();
  const double omega = 2.0 * std::numbers::pi * frequency;
  const double skin = 1.0 + std::sqrt(frequency / kSkinFrequency);
  const auto capacitor = [&](double capacitance) {
    return omega * capacitance * Complex(kLossTangent, 1.0);
  };
  Matrix a(2 * n, std::vector<Complex>(2 * n));
  std::vector<Complex> b(2 * n);
  const auto voltage = [](size_t node) { return node - 1; };  // node >= 1
  const auto current = [n](size_t section) { return n + section; };

  // Kirchhoff's current law at nodes 1..N: the sum of currents leaving is zero.
  for (size_t k = 0; k < n; ++k) {
    const size_t node = k + 1;
    const WindingSection& section = sections_[k];
    a[voltage(node)][current(k)] -= 1.0;
    a[voltage(node)][voltage(node)] += capacitor(section.groundCapacitance);
    // The series capacitance across section k, between node-1 and node.
    const Complex series = capacitor(section.seriesCapacitance);
    a[voltage(node)][voltage(node)] += series;
    if (node == 1) {
      b[voltage(node)] += series;  // V0 = 1
    } else {
      a[voltage(node)][voltage(node - 1)] -= series;
      a[voltage(node - 1)][voltage(node - 1)] += series;
      a[voltage(node - 1)][voltage(node)] -= series;
    }
    if (node > 1) a[voltage(node - 1)][current(k)] += 1.0;
  }
  a[voltage(n)][voltage(n)] += 1.0 / kLoadResistance;

  // Section k: V(k) - V(k+1) = (R_k + jωL_k) I_k + Σ jωM_kj I_j, with
  // M_kj = sqrt(L_k L_j) e^(-|x_k - x_j| / λ), positive definite for distinct positions.
  for (size_t k = 0; k < n; ++k) {
    const size_t row = current(k);
    if (k == 0) {
      b[row] -= 1.0;  // V0 = 1
    } else {
      a[row][voltage(k)] += 1.0;
    }
    a[row][voltage(k + 1)] -= 1.0;
    a[row][current(k)] -= sections_[k].resistance * skin;
    for (size_t j = 0; j < n; ++j) {
      const double distance = std::abs(sections_[k].position - sections_[j].position);
      const double mutual = std::sqrt(sections_[k].inductance * sections_[j].inductance) *
                            std::exp(-distance / kCouplingLength);
      a[row][current(j)] -= Complex(0.0, omega * mutual);
    }
  }
  return Solve(std::move(a), std::move(b))[voltage(n)];
}

std::vector<double> LogSpacedFrequencies(double low, double high, int count) {
  std::vector<double> frequencies(static_cast<size_t>(count));
  const double decades = std::log10(high / low);
  for (int i = 0; i < count; ++i) {
    frequencies[i] = low * std::pow(10.0, decades * i / (count - 1));
  }
  frequencies.front() = low;
  frequencies.back() = high;
  return frequencies;
}

double UniformSymmetric(std::mt19937& engine) {
  // 2^32 raw values map exactly onto [0, 2) in steps of 2^-31.
  return static_cast<double>(engine()) / 2147483648.0 - 1.0;
}

}  // namespace orlo::host
