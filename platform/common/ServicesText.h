// Text conversions shared by the services of ORLOCommon (translation, application-data
// directory): UTF-8 bytes to wide text, independent of the process locale.
#pragma once

#include <string>
#include <string_view>

namespace orlo::services {

// Decodes UTF-8; each byte that does not start a valid sequence (bad lead byte,
// truncated, overlong or surrogate form) becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);

}  // namespace orlo::services
