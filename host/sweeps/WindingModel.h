// WindingModel: a lumped-element model of one transformer winding, the source of the
// simulated sweeps `orlo simulate` writes.
//
// The winding is a ladder of sections from its line end (node 0) to its far end (node N).
// Section k joins node k-1 to node k: a resistance (rising with the square root of
// frequency, for skin effect) in series with an inductance that is magnetically coupled
// to every other section, more weakly the farther apart along the winding axis they
// are, bridged by the section's series capacitance; node k has the section's
// capacitance to ground. Every capacitance has the same dielectric loss. The response
// is the end-to-end transfer ratio Vout/Vin: node 0 driven, node N loaded by 50 Ω.
// A model is a plain value; every operation is deterministic on every machine.
#pragma once

#include <complex>
#include <cstdint>
#include <random>
#include <vector>

namespace orlo::host {

enum class Deformation { kRadial, kAxial, kShortedTurns };

struct WindingSection {
  double resistance;          // Ω at DC
  double inductance;          // H, self inductance
  double seriesCapacitance;   // F, across the section
  double groundCapacitance;   // F, from the section's far node to ground
  double position;            // along the axis, in nominal section pitches
};

class WindingModel {
 public:
  // The nominal winding of identical, evenly spaced sections.
  WindingModel();

  // Scales every section parameter by its own factor in [0.98, 1.02) drawn from `seed`,
  // as the phases of one transformer differ slightly.
  void ScatterParameters(std::uint32_t seed);

  // Applies a fault of `severity` (0 < severity < 1) to the sections it affects:
  // radial buckling narrows the gap to ground of a group of sections (their ground
  // capacitance grows as 1 / (1 - severity)); axial collapse narrows the gaps between
  // sections of a group (their series capacitance grows the same way and they move
  // closer, coupling more strongly); shorted turns take `severity` of one section's
  // inductance away and add the loss of the circulating current as resistance.
  void Deform(Deformation deformation, double severity);

  // Vout/Vin at `frequency` (Hz, > 0).
  std::complex<double> Response(double frequency) const;

  const std::vector<WindingSection>& sections() const { return sections_; }

 private:
  std::vector<WindingSection> sections_;
};

// `count` (>= 2) frequencies from `low` to `high`, evenly spaced on a log scale.
std::vector<double> LogSpacedFrequencies(double low, double high, int count);

// A number in [-1, 1) from one raw output of `engine`. std::mt19937's raw output is fixed
// by the standard, unlike the standard distributions, so this is the same everywhere.
double UniformSymmetric(std::mt19937& engine);

}  // namespace orlo::host
