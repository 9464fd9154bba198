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

constexpr char kUsage[] =
    "usage: orlo simulate [--phase SEED] [--deformation KIND --severity PERCENT]\n"
    "                     [--noise DB] [--points N] [-o FILE]\n"
    "\n"
    "Writes the simulated frequency response of a transformer winding (a ladder of\n"
    "coupled R-L sections with series and ground capacitances), measured end to end into\n"
    "50 ohms, from 20 Hz to 2 MHz at log-spaced frequencies, as a CSV sweep file:\n"
    "  frequency_hz,magnitude_db,phase_deg\n"
    "The same options always give the same file.\n"
    "\n"
    "options:\n"
    "  --phase SEED         scatter every section parameter by up to 2 %, drawn from SEED\n"
    "                       (0 to 4294967295), the way the phases of a transformer differ\n"
    "  --deformation KIND   radial, axial or shorted-turns; needs --severity\n"
    "  --severity PERCENT   strength of the deformation, above 0 and below 100\n"
    "  --noise DB           measurement noise: every magnitude moves by up to DB dB and\n"
    "                       its phase by the matching angle\n"
    "  --points N           number of frequencies, 2 to 1000000 (default 1000)\n"
    "  -o FILE              write to FILE instead of the standard output\n";

constexpr double kLowFrequency = 20.0;
constexpr double kHighFrequency = 2.0e6;
constexpr int kMaxPoints = 1'000'000;
constexpr std::uint32_t kNoiseSeedMix = 0x5EED5EEDu;
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

// Answers the options, or the usage error's reason.
std::optional<SimulateOptions> ParseOptions(const std::vector<std::string>& args,
                                            std::string& reason) {
  SimulateOptions options;
  for (size_t index = 0; index < args.size(); ++index) {
    const std::string& option = args[index];
    const bool known = option == "--phase" || option == "--deformation" ||
                       option == "--severity" || option == "--noise" || option == "--points" ||
                       option == "-o";
    if (!known) {
      reason = "unknown argument '" + option + "'";
      return std::nullopt;
    }
    if (index + 1 == args.size()) {
      reason = option + " needs a value";
      return std::nullopt;
    }
    const std::string& value = args[++index];
    const auto invalid = [&](const char* expected) {
      reason = option + " expects " + expected + ", not '" + value + "'";
      return std::nullopt;
    };
    if (option == "--phase") {
      options.phaseSeed = ParseInteger<std::uint32_t>(value);
      if (!options.phaseSeed) return invalid("a seed from 0 to 4294967295");
    } else if (option == "--deformation") {
      options.deformation = ParseDeformation(value);
      if (!options.deformation) return invalid("radial, axial or shorted-turns");
    } else if (option == "--severity") {
      options.severityPercent = ParseNumber(value);
      if (!options.severityPercent || !(*options.severityPercent > 0.0) ||
          !(*options.severityPercent < 100.0)) {
        return invalid("a percentage above 0 and below 100");
      }
    } else if (option == "--noise") {
      const std::optional<double> noise = ParseNumber(value);
      if (!noise || !std::isfinite(*noise) || *noise < 0.0) {
        return invalid("a level in dB, 0 or more");
      }
      options.noiseDecibels = *noise;
    } else if (option == "--points") {
      const std::optional<int> points = ParseInteger<int>(value);
      if (!points || *points < 2 || *points > kMaxPoints) {
        return invalid("a count from 2 to 1000000");
      }
      options.points = *points;
    } else {
      options.output = value;
    }
  }
  if (options.deformation.has_value() != options.severityPercent.has_value()) {
    reason = "--deformation and --severity go together";
    return std::nullopt;
  }
  return options;
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
  std::string reason;
  const std::optional<SimulateOptions> options = ParseOptions(args, reason);
  if (!options) {
    err << "orlo simulate: " << reason << '\n';
    return kExitUsage;
  }
  if (!options->output) {
    WriteResponse(*options, out);
    return kExitOk;
  }
  std::ofstream file(*options->output, std::ios::binary);
  if (file) WriteResponse(*options, file);
  file.close();
  if (!file) {
    err << "orlo simulate: cannot write " << *options->output << ": " << std::strerror(errno)
        << '\n';
    return kExitUnreadable;
  }
  return kExitOk;
}

}  // namespace

extern const Command kSimulateCommand = {
    "simulate", "write the simulated frequency response of a transformer winding", kUsage,
    RunSimulate};

}  // namespace orlo::host
