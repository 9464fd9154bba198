#include "platform/common/DecimalLog.h"

namespace decimal_log {

const std::array<Step, 1 << kTableBits> kSteps = [] {
  std::array<Step, 1 << kTableBits> table{};
  for (size_t i = 0; i < table.size(); ++i) {
    const double middle = 1.0 + (static_cast<double>(i) + 0.5) / static_cast<double>(table.size());
    const double reciprocal = static_cast<float>(1.0 / middle);
    table[i] = {reciprocal, -std::log10(reciprocal)};
  }
  return table;
}();

float LibraryLog10(float x) { return static_cast<float>(std::log10(static_cast<double>(x))); }

}  // namespace decimal_log
