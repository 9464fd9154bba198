// UnitPrefix: scaling of a value to a metric prefix for display, as in "%g %sHz".
//
// Pure function; no state.
#pragma once

#include <string>

// Divides `value` in place by 1000, 1e6, 1e9 or 1e12 and returns "k", "M", "G" or "T" when
// it lies in [1000, 1e6), [1e6, 1e9), [1e9, 1e12) or [1e12, 1e15); leaves [0, 1000) alone
// with the empty prefix. Anything else (negative, 1e15 and above, NaN) stays unchanged and
// gives "?".
std::wstring ScaleWithPrefix(double& value);
