#pragma once
#include <string>
#include <vector>

struct ProgramResult {
  int exitCode = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs a program of build/bin in the current directory with the given
// arguments (no shell involved) and collects its output.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args);
