#pragma once
// What vornami-batch needs from the console it runs in.
#include <string>
#include <vector>

// The arguments after the program's name, as UTF-8. On Windows they are read
// from GetCommandLineW, so Japanese names typed in any shell arrive whole, and
// the console is set to show UTF-8.
std::vector<std::string> ConsoleArguments(int argc, char** argv);

// Whether standard error is a terminal a person watches.
bool ErrorsGoToTerminal();
