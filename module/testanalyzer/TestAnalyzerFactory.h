// The one function the module's shared library exports: it makes a test analyzer for a host
// that does not link against the module's classes.
//
// The analyzer manager constructs a test analyzer at start-up but does not register it. A
// host that wants one finds ORLOCreateTestAnalyzer by name (dlsym with
// kTestAnalyzerFactoryName), calls it and registers the result with
// "ANALYZER_RegisterAnalyzer"; from then on the manager owns it like every registered
// analyzer and destroys it once when the module is unloaded. An analyzer that is never
// registered is the caller's to Destroy.
#pragma once

#include "module/core/AnalyzerInterfaces.h"

extern "C" {

using ORLOTestAnalyzerFactory = IBaseAnalyzer* (*)();

// A new test analyzer, as its IBaseAnalyzer part; never null.
__attribute__((visibility("default"))) IBaseAnalyzer* ORLOCreateTestAnalyzer();

}

inline constexpr char kTestAnalyzerFactoryName[] = "ORLOCreateTestAnalyzer";
