#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
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

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Each failure of a replace (open, write, flush, rename; a full disk or no
// permission) keeps the old file whole and leaves no temporary file.
TEST(TextFile, ReplaceFailuresKeepTheOldFileAndLeaveNoTemporary) {
  struct Case {
    platform::FileOp op;
    int error;
  } cases[] = {
      {platform::FileOp::Open, EACCES},
      {platform::FileOp::Write, ENOSPC},
      {platform::FileOp::Sync, EIO},
      {platform::FileOp::Rename, ENOSPC},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.op));
    TempGallery dir(false);
    ASSERT_TRUE(platform::ReplaceTextFile("data.js", "old\n"));
    platform::SetFaultHook([&c](platform::FileOp op, std::string_view path) {
      return op == c.op && path.find(".tmp.vornami") != std::string_view::npos ? c.error : 0;
    });
    if (c.op == platform::FileOp::Rename)  // the rename is asked about its target
      platform::SetFaultHook(
          [&c](platform::FileOp op, std::string_view) { return op == c.op ? c.error : 0; });
    platform::Status result = platform::ReplaceTextFile("data.js", "new\n");
    platform::SetFaultHook(nullptr);
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error(), "data.js");
    EXPECT_FALSE(platform::IsWriteProtected("data.js"));
    EXPECT_EQ(TempGallery::ReadFile("data.js"), "old\r\n");
    EXPECT_EQ(FilesIn("."), std::vector<std::string>{"data.js"});
  }
}

// A replaced file keeps its permission bits; one without write permission is
// refused untouched, even for the superuser.
TEST(TextFile, ReplaceKeepsPermissionBitsAndRefusesAReadOnlyFile) {
  TempGallery dir(false);
  TempGallery::WriteFile("shared.js", "old\r\n");
  ASSERT_EQ(chmod("shared.js", 0664), 0);
  ASSERT_TRUE(platform::ReplaceTextFile("shared.js", "new\n"));
  struct stat st;
  ASSERT_EQ(stat("shared.js", &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0664u);

  TempGallery::WriteFile("locked.js", "old\r\n");
  ASSERT_EQ(chmod("locked.js", 0444), 0);
  EXPECT_TRUE(platform::IsWriteProtected("locked.js"));
  EXPECT_FALSE(platform::ReplaceTextFile("locked.js", "new\n"));
  EXPECT_EQ(TempGallery::ReadFile("locked.js"), "old\r\n");
  ASSERT_EQ(stat("locked.js", &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);

  // The seam stands for a user without the right to write.
  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    return op == platform::FileOp::Open && path == "shared.js" ? EACCES : 0;
  });
  EXPECT_TRUE(platform::IsWriteProtected("shared.js"));
  EXPECT_FALSE(platform::ReplaceTextFile("shared.js", "newer\n"));
  platform::SetFaultHook(nullptr);
  EXPECT_EQ(TempGallery::ReadFile("shared.js"), "new\r\n");
}

TEST(TextFile, ReplaceRemovesAnOldTemporaryAndReplacesALinkNotItsTarget) {
  TempGallery dir(false);
  TempGallery::WriteFile("photo.jpg", "photo");
  std::filesystem::create_symlink("photo.jpg", "data.js");
  std::filesystem::create_symlink("photo.jpg", "data.js.tmp.vornami");
  ASSERT_TRUE(platform::ReplaceTextFile("data.js", "x\n"));
  EXPECT_EQ(TempGallery::ReadFile("photo.jpg"), "photo");
  EXPECT_FALSE(std::filesystem::is_symlink("data.js"));
  EXPECT_EQ(TempGallery::ReadFile("data.js"), "x\r\n");
  EXPECT_EQ(FilesIn("."), (std::vector<std::string>{"data.js", "photo.jpg"}));
}

TEST(TextFile, RemovesLeftoverTemporariesOnly) {
  TempGallery dir(false);
  for (const char* name : {"title.js.tmp.vornami", "note.js.tmp.vornami", "title.js",
                           ".tmp.vornami", "title.js.tmp.vornami.bak"})
    TempGallery::WriteFile(name, "x");
  platform::RemoveLeftoverTemporaries(".");
  EXPECT_EQ(FilesIn("."),
            (std::vector<std::string>{".tmp.vornami", "title.js", "title.js.tmp.vornami.bak"}));
  platform::RemoveLeftoverTemporaries("missing");  // a missing folder is no error
}

TEST(TextFile, ReadsWholeLinesHoweverLong) {
  auto file = platform::TextFileReader::FromBytes(std::string(300000, 'x') + "\r\nend");
  std::string line;
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, std::string(300000, 'x') + "\n");
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ(line, "end");
  EXPECT_FALSE(file.ReadLine(line));
}

}  // namespace
