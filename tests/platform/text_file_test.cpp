#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/fault_injection.h"
#include "tests/support/temp_gallery.h"

namespace {

std::vector<std::string> ReadAllLines(const std::string& path, std::size_t bufferSize) {
  auto file = platform::TextFileReader::Open(path);
  EXPECT_TRUE(file.ok());
  std::vector<std::string> lines;
  std::string line;
  while (file && file->ReadLine(bufferSize, line)) lines.push_back(line);
  return lines;
}

TEST(TextFile, ReadsLinesLikeFgetsInTextMode) {
  TempGallery dir(false);
  struct Case {
    const char* name;
    std::string onDisk;
    std::size_t bufferSize;
    std::vector<std::string> lines;
  } cases[] = {
      {"crlf and lone lf both end lines", "a\r\nb\nc\r\n", 200, {"a\n", "b\n", "c\n"}},
      {"last line without line end", "a\r\nlast", 200, {"a\n", "last"}},
      {"lone cr stays a byte of the line", "a\rb\r\n", 200, {"a\rb\n"}},
      {"long line split at buffer size - 1",
       std::string(250, 'x') + "\r\n",
       200,
       {std::string(199, 'x'), std::string(51, 'x') + "\n"}},
      {"line of exactly 199 bytes and its line end",
       std::string(199, 'y') + "\r\nz",
       200,
       {std::string(199, 'y'), "\n", "z"}},
      {"empty file", "", 200, {}},
  };
  for (const auto& c : cases) {
    TempGallery::WriteFile("f.txt", c.onDisk);
    EXPECT_EQ(ReadAllLines("f.txt", c.bufferSize), c.lines) << c.name;
  }
}

TEST(TextFile, MissingFileOrFolderCannotBeOpened) {
  TempGallery dir(false);
  EXPECT_FALSE(platform::TextFileReader::Open("missing.txt").ok());
  std::filesystem::create_directory("folder.js");
  EXPECT_FALSE(platform::TextFileReader::Open("folder.js").ok());
}

TEST(TextFile, WritesCrLfForEveryLineFeed) {
  TempGallery dir(false);
  ASSERT_TRUE(platform::WriteTextFile("out.js", "one\ntwo\r\nthree"));
  EXPECT_EQ(TempGallery::ReadFile("out.js"), "one\r\ntwo\r\r\nthree");
  // A shorter text truncates the old file.
  ASSERT_TRUE(platform::WriteTextFile("out.js", "x\n"));
  EXPECT_EQ(TempGallery::ReadFile("out.js"), "x\r\n");
}

TEST(TextFile, TextModeTurnsEachLineFeedIntoCrLf) {
  using namespace std::string_literals;
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"no line end", "no line end"},
      {"\n", "\r\n"},
      {"\n\nx\n\n", "\r\n\r\nx\r\n\r\n"},
      {"a\r\nb\rc\n", "a\r\r\nb\rc\r\n"},
      {"zero\0byte\n\0"s, "zero\0byte\r\n\0"s},
      {std::string(5000, 'p') + "\n" + std::string(3, 'q'),
       std::string(5000, 'p') + "\r\n" + std::string(3, 'q')},
  };
  for (const auto& [text, onDisk] : cases) EXPECT_EQ(platform::ToCrLf(text), onDisk) << text;
}

TEST(TextFile, ReplaceKeepsTheOldFileWhenTheWriteFails) {
  TempGallery dir(false);
  ASSERT_TRUE(platform::ReplaceTextFile("data.js", "old\n"));
  platform::SetFaultHook(
      [](platform::FileOp op, std::string_view) { return op == platform::FileOp::Write; });
  EXPECT_FALSE(platform::ReplaceTextFile("data.js", "new and longer\n"));
  platform::SetFaultHook(nullptr);
  EXPECT_EQ(TempGallery::ReadFile("data.js"), "old\r\n");
  // No temporary file is left behind.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(".")) ++files;
  EXPECT_EQ(files, 1);
}

TEST(TextFile, ReplaceKeepsTheOldFileWhenTheRenameFails) {
  TempGallery dir(false);
  ASSERT_TRUE(platform::ReplaceTextFile("data.js", "old\n"));
  platform::SetFaultHook(
      [](platform::FileOp op, std::string_view) { return op == platform::FileOp::Rename; });
  EXPECT_FALSE(platform::ReplaceTextFile("data.js", "new\n"));
  platform::SetFaultHook(nullptr);
  EXPECT_EQ(TempGallery::ReadFile("data.js"), "old\r\n");
  ASSERT_TRUE(platform::ReplaceTextFile("data.js", "new\n"));
  EXPECT_EQ(TempGallery::ReadFile("data.js"), "new\r\n");
}

TEST(TextFile, ReplaceFailsWhenTheFolderIsMissing) {
  TempGallery dir(false);
  EXPECT_FALSE(platform::ReplaceTextFile("no/such/folder/data.js", "x\n"));
}

}  // namespace
