#pragma once
// lcdkonfig-cli's entry point, apart from the process: main() calls it with the real
// environment, the tests with theirs. Returns the exit code.
#include "cli_environment.h"

#include <string>
#include <vector>

// `args` without the program name.
int RunCli(const std::vector<std::string>& args, CliEnvironment& env);
