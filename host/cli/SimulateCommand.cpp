// `orlo simulate`: writes the frequency response of the winding model (WindingModel) as
// a generic delimited sweep file, so that examples and tests have sweeps to work on.
#include "host/cli/Command.h"
#include "host/sweeps/NumberText.h"
#include "host/sweeps/WindingModel.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <numbers>
#include <optional>
#include <ostream>

namespace orlo::host {

namespace {

constexpr char kDescription[] =
    "Writes the simulated frequency response of a transformer winding (a ladder of\n"
    "coupled R-L sections with series and ground capacitances), measured end to end into\n"
    "50 ohms, from 20 Hz to 2 MHz at log-spaced frequencies, as a CSV sweep file:\n"
    "  frequency_hz,magnitude_db,phase_deg\n"
    "The same options always give the same file.\n";

constexpr double kLowFrequency = 20.0;
constexpr double kHighFrequency = 2.0e6;
constexpr int kMaxPoints = 1'000'000;
constexpr std::uint32_t kNoiseSeedMix = 0x5EED5EEDu;
// More noise buries any response; it also keeps every magnitude (at most some ten dB of
// resonance above 0 dB) far inside what a sweep file's single-precision ratio can hold.
constexpr double kMaxNoiseDecibels = 100.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
// A relative change that moves the magnitude by 1 dB turns the phase by this angle.
constexpr double kDegreesPerDecibel = std::numbers::ln10 / 20.0 * kDegreesPerRadian;

struct SimulateOptions {
  std::optional<std::uint32_t> phaseSeed;
  std::optional<Deformation> deformation;
  std::optional<double> severityPercent;
  double noiseDecibels = 0.0;
  int points = 1000;
  std::optional<std::string> output;
};

template <typename Integer>
std::optional<Integer> ParseInteger(const std::string& text) {
  Integer value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<Deformation> ParseDeformation(const std::string& text) {
  if (text == "radial") return Deformation::kRadial;
  if (text == "axial") return Deformation::kAxial;
  if (text == "shorted-turns") return Deformation::kShortedTurns;
  return std::nullopt;
}

std::optional<double> ParseSeverity(const std::string& text) {
  const std::optional<double> percent = ParseNumber(text);
  if (!percent || !(*percent > 0.0) || !(*percent < 100.0)) return std::nullopt;
  return percent;
}

std::optional<double> ParseNoise(const std::string& text) {
  const std::optional<double> decibels = ParseNumber(text);
  if (!decibels || !(*decibels >= 0.0 && *decibels <= kMaxNoiseDecibels)) return std::nullopt;
  return decibels;
}

std::optional<int> ParsePoints(const std::string& text) {
  const std::optional<int> points = ParseInteger<int>(text);
  if (!points || *points < 2 || *points > kMaxPoints) return std::nullopt;
  return points;
}

std::string CheckDeformation(const SimulateOptions& options) {
  if (options.deformation.has_value() == options.severityPercent.has_value()) return {};
  return "--deformation and --severity go together";
}

const CommandSyntax<SimulateOptions>& SimulateSyntax() {
  using O = SimulateOptions;
  static const CommandSyntax<SimulateOptions> syntax = {
      .name = "simulate",
      .summary = "write the simulated frequency response of a transformer winding",
      .description = kDescription,
      .options =
          {
              {"--phase", "SEED",
               "scatter every section parameter by up to 2 %, drawn from SEED (0 to "
               "4294967295), the way the phases of a transformer differ",
               "a seed from 0 to 4294967295", Convert(&O::phaseSeed, ParseInteger<std::uint32_t>)},
              {"--deformation", "KIND", "radial, axial or shorted-turns; needs --severity",
               "radial, axial or shorted-turns", Convert(&O::deformation, ParseDeformation)},
              {"--severity", "PERCENT", "strength of the deformation, above 0 and below 100",
               "a percentage above 0 and below 100", Convert(&O::severityPercent, ParseSeverity)},
              {"--noise", "DB",
               "measurement noise: every magnitude moves by up to DB dB and its phase by the "
               "matching angle (at most 100 dB)",
               "a level in dB from 0 to 100", Convert(&O::noiseDecibels, ParseNoise)},
              {"--points", "N", "number of frequencies, 2 to 1000000 (default 1000)",
               "a count from 2 to 1000000", Convert(&O::points, ParsePoints)},
              {"-o", "FILE", "write to FILE instead of the standard output", "",
               Assign(&O::output)},
          },
      .check = CheckDeformation,
  };
  return syntax;
}

void WriteResponse(const SimulateOptions& options, std::ostream& out) {
  WindingModel model;
  if (options.phaseSeed) model.ScatterParameters(*options.phaseSeed);
  if (options.deformation) model.Deform(*options.deformation, *options.severityPercent / 100.0);
  std::mt19937 noise(options.phaseSeed.value_or(0) ^ kNoiseSeedMix);
  out << "frequency_hz,magnitude_db,phase_deg\n";
  for (const double frequency :
       LogSpacedFrequencies(kLowFrequency, kHighFrequency, options.points)) {
    const std::complex<double> response = model.Response(frequency);
    double decibels = 20.0 * std::log10(std::abs(response));
    double degrees = std::arg(response) * kDegreesPerRadian;
    if (options.noiseDecibels > 0.0) {
      decibels += options.noiseDecibels * UniformSymmetric(noise);
      degrees += options.noiseDecibels * kDegreesPerDecibel * UniformSymmetric(noise);
    }
    out << FormatSignificant(frequency, 10) << ',' << FormatFixed(decibels, 6) << ','
        << FormatFixed(degrees, 4) << '\n';
  }
}

int RunSimulate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  SimulateOptions options;
  if (!SimulateSyntax().Parse(args, options, err)) return kExitUsage;
  if (!options.output) {
    WriteResponse(options, out);
    return kExitOk;
  }
  std::ofstream file(*options.output, std::ios::binary);
  if (file) WriteResponse(options, file);
  file.close();
  if (!file) {
    err << "orlo simulate: cannot write " << *options.output << ": " << std::strerror(errno)
        << '\n';
    return kExitUnreadable;
  }
  return kExitOk;
}

}  // namespace

Command SimulateCommand() { return DeclaredCommand(SimulateSyntax(), RunSimulate); }

}  // namespace orlo::host
