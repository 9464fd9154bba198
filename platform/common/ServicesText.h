// Text conversions shared by the services of ORLOCommon (translation, application-data
// directory) and the libraries beside it (ORLOXML): UTF-8 bytes to wide text and back,
// independent of the process locale.
#pragma once

#include <string>
#include <string_view>

namespace orlo::services {

// Decodes UTF-8; each byte that does not start a valid sequence (bad lead byte,
// truncated, overlong or surrogate form) becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);

// Encodes wide text as UTF-8; a character that is no Unicode scalar value (a surrogate,
// or above U+10FFFF) becomes U+FFFD.
std::string WideToUtf8(std::wstring_view wide);

}  // namespace orlo::services
