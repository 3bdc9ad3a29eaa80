// --help and --version of the command-line programs: answered on standard
// output with exit 0, whatever else the command line holds.
#include <gtest/gtest.h>

#include "tests/support/run_program.h"
#include "tests/support/temp_gallery.h"
#include "texts/version_texts.h"

namespace {

struct InfoCase {
  const char* program;
  std::vector<std::string> args;
  const char* expectedStart;  // "" for the version line
};

TEST(ProgramInfo, HelpAndVersionGoToStandardOutputWithExitZero) {
  TempGallery dir(false);
  const InfoCase cases[] = {
      {"vornami-batch", {"--help"}, "usage: vornami-batch init\n"},
      {"vornami-batch", {"show", "-h"}, "usage: vornami-batch init\n"},
      {"vornami-batch", {"--version"}, ""},
      {"vornami-decode", {"--help"}, "usage: vornami-decode FILE OUT.ppm\n"},
      {"vornami-decode", {"a.jpg", "--version"}, ""},
      {"launcher", {"--help"}, "usage: launcher\n"},
      {"launcher", {"-V"}, ""},
  };
  for (const auto& c : cases) {
    auto r = RunProgram(c.program, c.args);
    EXPECT_EQ(r.exitCode, 0) << c.program << " " << c.args[0];
    EXPECT_EQ(r.err, "") << c.program;
    if (*c.expectedStart) {
      EXPECT_EQ(r.out.rfind(c.expectedStart, 0), 0u) << c.program << ": " << r.out;
      EXPECT_NE(r.out.find("--version"), std::string::npos) << c.program;
    } else {
      EXPECT_EQ(r.out, std::string(c.program) + " " + txt::kProgramVersion + "\n");
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty("."));  // nothing ran besides the answer
}

TEST(ProgramInfo, UsageErrorsStayWhatTheyWere) {
  TempGallery dir(false);
  auto batch = RunProgram("vornami-batch", {"--helpme"});
  EXPECT_EQ(batch.exitCode, 64);
  EXPECT_EQ(batch.out, "");
  auto decode = RunProgram("vornami-decode", {"only-one"});
  EXPECT_EQ(decode.exitCode, 2);
  EXPECT_EQ(decode.out, "");
}

}  // namespace
