#include "platform/program_info.h"

#include <gtest/gtest.h>

#include <sstream>

#include "texts/version_texts.h"

namespace {

using platform::InfoRequest;

TEST(ProgramInfo, FindsTheFirstRequestAmongExactArguments) {
  struct Case {
    std::vector<std::string> args;
    InfoRequest expected;
  };
  const Case cases[] = {
      {{}, InfoRequest::kNone},
      {{"show"}, InfoRequest::kNone},
      {{"--helpme", "title=--help", "-help", "--Version"}, InfoRequest::kNone},
      {{"--help"}, InfoRequest::kHelp},
      {{"show", "-h"}, InfoRequest::kHelp},
      {{"--version"}, InfoRequest::kVersion},
      {{"-V", "--help"}, InfoRequest::kVersion},
      {{"--help", "--version"}, InfoRequest::kHelp},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::FindInfoRequest(c.args), c.expected);
}

TEST(ProgramInfo, AnswersWithTheUsageOrTheVersionLine) {
  std::ostringstream help, version, none;
  platform::AnswerInfoRequest(InfoRequest::kHelp, "tool", "usage: tool\n", help);
  platform::AnswerInfoRequest(InfoRequest::kVersion, "tool", "usage: tool\n", version);
  platform::AnswerInfoRequest(InfoRequest::kNone, "tool", "usage: tool\n", none);
  EXPECT_EQ(help.str(), "usage: tool\n");
  EXPECT_EQ(version.str(), std::string("tool ") + txt::kProgramVersion + "\n");
  EXPECT_EQ(none.str(), "");
}

}  // namespace
