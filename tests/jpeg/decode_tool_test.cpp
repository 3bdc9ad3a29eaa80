// vornami-decode FILE OUT.ppm: the decoder's picture as a binary PPM, or exit
// status 1 with the failing result code.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/jpeg/decode_helpers.h"
#include "tests/jpeg/reference_files.h"
#include "tests/support/temp_gallery.h"

namespace {

using namespace jpegtest;

struct ToolRun {
  int exitCode = -1;
  std::string output;
};

ToolRun RunTool(const std::string& arguments) {
  std::string command =
      std::string(VORNAMI_BIN_DIR) + "/vornami-decode " + arguments + " > tool.out 2>&1";
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, TempGallery::ReadFile("tool.out")};
}

TEST(DecodeTool, WritesTheDecodersPictureAsP6) {
  TempGallery dir(false);
  ByteVector jpeg = Fixture("s422_37x23.jpg");
  TempGallery::WriteFile("in.jpg", jpeg);
  ToolRun run = RunTool("in.jpg out.ppm");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  ByteVector ppm = ReadBinaryFile("out.ppm");
  const std::string header = "P6\n37 23\n255\n";
  ASSERT_GE(ppm.size(), header.size());
  EXPECT_EQ(std::string(ppm.begin(), ppm.begin() + header.size()), header);
  ASSERT_EQ(ppm.size(), header.size() + 37 * 23 * 3);
  Decoded d = DecodeJpeg(jpeg);
  ASSERT_TRUE(d.ok());
  for (int i = 0; i < 37 * 23; ++i) {
    ASSERT_EQ(ppm[header.size() + 3 * i], d.red[i]);
    ASSERT_EQ(ppm[header.size() + 3 * i + 1], d.green[i]);
    ASSERT_EQ(ppm[header.size() + 3 * i + 2], d.blue[i]);
  }
}

TEST(DecodeTool, MatchesDjpegForEverySampleThumbnail) {
  SKIP_WITHOUT_SAMPLES();
  if (DjpegPath().empty()) GTEST_SKIP() << "djpeg is not installed (libjpeg-turbo-progs)";
  TempGallery dir(false);
  for (const auto& t : SampleThumbnails()) {
    TempGallery::WriteFile("in.jpg", t.jpeg);
    ToolRun run = RunTool("in.jpg out.ppm");
    ASSERT_EQ(run.exitCode, 0) << t.photo << ": " << run.output;
    auto ours = ReadPnm(ReadBinaryFile("out.ppm"));
    auto reference = DecodeWithDjpeg(t.jpeg);
    ASSERT_TRUE(ours && reference) << t.photo;
    ASSERT_EQ(ours->width, reference->width) << t.photo;
    ASSERT_EQ(ours->height, reference->height) << t.photo;
    int largest = 0;
    for (std::size_t i = 0; i < ours->rgb.size(); ++i)
      largest = std::max(largest, std::abs(ours->rgb[i] - reference->rgb[i]));
    // The largest of the per-sample maxima pinned in the djpeg comparison.
    EXPECT_LE(largest, 20) << t.photo;
  }
}

TEST(DecodeTool, FailuresExitWithStatus1AndTheResultCode) {
  TempGallery dir(false);
  TempGallery::WriteFile("progressive.jpg", Fixture("progressive_32x32.jpg"));
  ToolRun load = RunTool("progressive.jpg out.ppm");
  EXPECT_EQ(load.exitCode, 1);
  EXPECT_NE(load.output.find("-2"), std::string::npos) << load.output;
  EXPECT_FALSE(TempGallery::Exists("out.ppm"));

  ByteVector truncated = Fixture("s420_160x120.jpg");
  truncated.resize(truncated.size() / 2);
  TempGallery::WriteFile("truncated.jpg", truncated);
  ToolRun decode = RunTool("truncated.jpg out.ppm");
  EXPECT_EQ(decode.exitCode, 1);
  EXPECT_NE(decode.output.find("Decode -1"), std::string::npos) << decode.output;
  EXPECT_FALSE(TempGallery::Exists("out.ppm"));

  EXPECT_EQ(RunTool("missing.jpg out.ppm").exitCode, 1);
  EXPECT_EQ(RunTool("only-one-argument").exitCode, 2);
}

}  // namespace
