// AccessToken: the secret that `orlo serve` hands out in its first address and asks of
// every request.
//
// MakeAccessToken reads 32 bytes from the kernel's random source (getrandom) and writes
// them as 64 lowercase hex digits; it throws std::runtime_error when the source fails.
// SameToken compares in time that depends on the lengths only, so a guess learns nothing
// from how long the refusal took.
#pragma once

#include <string>
#include <string_view>

namespace orlo::host {

std::string MakeAccessToken();
bool SameToken(std::string_view given, std::string_view token);

}  // namespace orlo::host
