// orlo: runs the ORLOAnalyzer plug-in on sweep files from the command line.
#include "host/cli/Command.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return orlo::host::RunCommandLine(args, std::cout, std::cerr);
}
