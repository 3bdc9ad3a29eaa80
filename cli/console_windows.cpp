#include <windows.h>
// After windows.h, which it needs.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "cli/console.h"
#include "platform/wide_text.h"

std::vector<std::string> ConsoleArguments(int, char**) {
  SetConsoleOutputCP(CP_UTF8);
  // The same bytes as on Linux: lines end in LF, which every console shows.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  for (int i = 1; i < count; ++i) args.push_back(platform::Narrow(wide[i]));
  LocalFree(wide);
  return args;
}

bool ErrorsGoToTerminal() {
  DWORD mode;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}
