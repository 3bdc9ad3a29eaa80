#pragma once
// --help and --version, which every program answers on standard output.
#include <ostream>
#include <string>
#include <vector>

namespace platform {

enum class InfoRequest { kNone, kHelp, kVersion };

// The first "--help"/"-h" or "--version"/"-V" among the arguments (without the
// program name); kNone when there is neither.
InfoRequest FindInfoRequest(const std::vector<std::string>& args);

// Prints the usage text or "PROGRAM VERSION" for a request other than kNone.
void AnswerInfoRequest(InfoRequest request, const std::string& program, const std::string& usage,
                       std::ostream& out);

}  // namespace platform
