// How band values are written as text, the same way in the settings file, the settings
// dialog and the band editor. Pure functions over the host's formatters.
#pragma once

#include <string>

// The host's shortest exact text of a number: ORLOFormatValue(value, a 50-character
// buffer, 50, -1, -1, 0, 1, '.'). strToFloat reads it back to exactly `value`.
std::wstring BandNumberText(double value);

// A band edge in Hz as "%g %sHz" of the edge scaled with ScaleWithPrefix: 150000 gives
// "150 kHz", 1000000 "1 MHz", 500 "500 Hz".
std::wstring BandFrequencyText(double hertz);
