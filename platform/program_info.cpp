#include "platform/program_info.h"

#include "texts/version_texts.h"

namespace platform {

InfoRequest FindInfoRequest(const std::vector<std::string>& args) {
  for (const auto& arg : args) {
    if (arg == "--help" || arg == "-h") return InfoRequest::kHelp;
    if (arg == "--version" || arg == "-V") return InfoRequest::kVersion;
  }
  return InfoRequest::kNone;
}

void AnswerInfoRequest(InfoRequest request, const std::string& program, const std::string& usage,
                       std::ostream& out) {
  if (request == InfoRequest::kHelp) out << usage;
  if (request == InfoRequest::kVersion) out << program << " " << txt::kProgramVersion << "\n";
}

}  // namespace platform
