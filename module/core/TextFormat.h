// Filling the formats of user texts. Formats are translated before they are filled, so the
// placeholders are the translation's; only "%s" (a text) and "%%" (a percent sign) are
// known. Pure functions.
#pragma once

#include <initializer_list>
#include <string>

namespace orlo::module {

// Replaces each "%s" of `format` by the next of `texts` (by nothing once they run out)
// and "%%" by "%"; every other character, a lone "%" included, is kept.
std::wstring FillFormat(const std::wstring& format, std::initializer_list<std::wstring> texts);

// `value` as printf's "%g" writes it in the C locale (6 significant digits, trailing
// zeros dropped, exponent form for exponents below -4 or from 6 on).
std::wstring GeneralNumber(double value);

}  // namespace orlo::module
