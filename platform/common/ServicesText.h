// Transitional: the UTF-8 decoding of Utf8.h under its former name, for code not yet
// switched to orlo::Utf8ToWide (the command-line parsing). Remove once nothing includes it.
#pragma once

#include "platform/common/Utf8.h"

namespace orlo::services {

using orlo::Utf8ToWide;

}  // namespace orlo::services
