#include <unistd.h>

#include "cli/console.h"

std::vector<std::string> ConsoleArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

bool ErrorsGoToTerminal() { return isatty(STDERR_FILENO); }
