#include "module/testanalyzer/TestAnalyzerFactory.h"

#include "module/testanalyzer/TestAnalyzer.h"

IBaseAnalyzer* ORLOCreateTestAnalyzer() { return new CTestAnalyzer(); }
