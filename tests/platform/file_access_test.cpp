// Raw reads and writes, renames and the listing of photos.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/fault_injection.h"
#include "platform/file_rename.h"
#include "platform/jpg_listing.h"
#include "platform/raw_file.h"
#include "tests/support/temp_gallery.h"

namespace fs = std::filesystem;

namespace {

TEST(RenameNoReplace, NeverReplacesAnExistingFile) {
  TempGallery dir(false);
  TempGallery::WriteFile("a.jpg", "photo a");
  TempGallery::WriteFile("b.jpg", "photo b");
  EXPECT_FALSE(platform::RenameNoReplace("a.jpg", "b.jpg"));
  EXPECT_EQ(TempGallery::ReadFile("a.jpg"), "photo a");
  EXPECT_EQ(TempGallery::ReadFile("b.jpg"), "photo b");
}

TEST(RenameNoReplace, RenamesToAFreeName) {
  TempGallery dir(false);
  TempGallery::WriteFile("a.jpg", "photo a");
  EXPECT_TRUE(platform::RenameNoReplace("a.jpg", "c.jpg"));
  EXPECT_FALSE(TempGallery::Exists("a.jpg"));
  EXPECT_EQ(TempGallery::ReadFile("c.jpg"), "photo a");
}

TEST(RenameNoReplace, SameNameSucceedsAndChangesNothing) {
  TempGallery dir(false);
  TempGallery::WriteFile("a.jpg", "photo a");
  EXPECT_TRUE(platform::RenameNoReplace("a.jpg", "a.jpg"));
  EXPECT_EQ(TempGallery::ReadFile("a.jpg"), "photo a");
}

TEST(RenameNoReplace, MissingSourceOrFolderFails) {
  TempGallery dir(false);
  EXPECT_FALSE(platform::RenameNoReplace("missing.jpg", "x.jpg"));
  EXPECT_FALSE(platform::RenameNoReplace("missing.jpg", "missing.jpg"));
  TempGallery::WriteFile("a.jpg", "photo a");
  EXPECT_FALSE(platform::RenameNoReplace("a.jpg", "no/such/dir/a.jpg"));
  EXPECT_EQ(TempGallery::ReadFile("a.jpg"), "photo a");
}

TEST(RenameNoReplace, FaultSeamMakesItFail) {
  TempGallery dir(false);
  TempGallery::WriteFile("a.jpg", "photo a");
  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    return op == platform::FileOp::Rename && path == "a.jpg";
  });
  EXPECT_FALSE(platform::RenameNoReplace("a.jpg", "c.jpg"));
  platform::SetFaultHook(nullptr);
  EXPECT_TRUE(TempGallery::Exists("a.jpg"));
}

TEST(RawFile, ReadsAtMostTheRequestedHead) {
  TempGallery dir(false);
  TempGallery::WriteFile("p.jpg", std::string(100, 'x'));
  auto head = platform::ReadHead("p.jpg", 64);
  ASSERT_TRUE(head);
  EXPECT_EQ(head->size(), 64u);
  head = platform::ReadHead("p.jpg", 65536);
  ASSERT_TRUE(head);
  EXPECT_EQ(head->size(), 100u);
}

TEST(RawFile, ReadsAHeadIntoABufferAndLeavesTheRestAlone) {
  TempGallery dir(false);
  TempGallery::WriteFile("p.jpg", std::string(100, 'x'));
  TempGallery::WriteFile("e.jpg", std::string());
  std::vector<std::uint8_t> buffer(64, 0xAA);
  EXPECT_EQ(platform::ReadHeadInto("p.jpg", buffer), 64u);
  EXPECT_EQ(buffer, std::vector<std::uint8_t>(64, 'x'));

  buffer.assign(200, 0xAA);
  EXPECT_EQ(platform::ReadHeadInto("p.jpg", buffer), 100u);
  EXPECT_EQ(std::count(buffer.begin(), buffer.begin() + 100, 'x'), 100);
  EXPECT_EQ(std::count(buffer.begin() + 100, buffer.end(), 0xAA), 100);

  EXPECT_EQ(platform::ReadHeadInto("e.jpg", buffer), 0u);
}

TEST(RawFile, OnlyRegularFilesCanBeOpened) {
  TempGallery dir(false);
  fs::create_directory("folder.jpg");
  ASSERT_EQ(mkfifo("pipe.jpg", 0644), 0);
  EXPECT_FALSE(platform::ReadHead("folder.jpg", 10));
  EXPECT_FALSE(platform::ReadHead("pipe.jpg", 10));  // must not block either
  EXPECT_FALSE(platform::ReadHead("missing.jpg", 10));
  std::vector<std::uint8_t> buffer(10);
  EXPECT_FALSE(platform::ReadHeadInto("folder.jpg", buffer));
  EXPECT_FALSE(platform::ReadHeadInto("pipe.jpg", buffer));
  EXPECT_FALSE(platform::ReadHeadInto("missing.jpg", buffer));
}

TEST(RawFile, WriteCreatesOrTruncates) {
  TempGallery dir(false);
  const std::uint8_t longer[] = {1, 2, 3, 4, 5, 6};
  const std::uint8_t shorter[] = {9, 8};
  ASSERT_TRUE(platform::WriteRaw("t.jpg", longer, sizeof longer));
  ASSERT_TRUE(platform::WriteRaw("t.jpg", shorter, sizeof shorter));
  EXPECT_EQ(TempGallery::ReadFile("t.jpg"), std::string("\x09\x08"));
  EXPECT_FALSE(platform::WriteRaw("no/dir/t.jpg", shorter, sizeof shorter));
}

TEST(RawFile, FaultSeamFailsOpenAndWrite) {
  TempGallery dir(false);
  TempGallery::WriteFile("p.jpg", "abc");
  platform::SetFaultHook(
      [](platform::FileOp op, std::string_view) { return op == platform::FileOp::Open; });
  EXPECT_FALSE(platform::ReadHead("p.jpg", 10));
  platform::SetFaultHook(
      [](platform::FileOp op, std::string_view) { return op == platform::FileOp::Read; });
  std::vector<std::uint8_t> buffer(10);
  EXPECT_FALSE(platform::ReadHeadInto("p.jpg", buffer));
  EXPECT_FALSE(platform::ReadHead("p.jpg", 10));
  platform::SetFaultHook(
      [](platform::FileOp op, std::string_view) { return op == platform::FileOp::Write; });
  const std::uint8_t b[] = {1};
  EXPECT_FALSE(platform::WriteRaw("q.jpg", b, 1));
}

// Thumbnails and pages: never through a link or into a file with other names.
TEST(RawFile, OwnFileWriteReplacesLinksAndNamesItsFailures) {
  TempGallery dir(false);
  const std::uint8_t bytes[] = {'n', 'e', 'w'};
  TempGallery::WriteFile("photo.jpg", "photo");
  fs::create_symlink("photo.jpg", "link.jpg");
  fs::create_hard_link("photo.jpg", "second.jpg");
  fs::create_symlink("nowhere", "dangling.jpg");
  for (const char* path : {"link.jpg", "second.jpg", "dangling.jpg", "plain.jpg"}) {
    EXPECT_EQ(platform::WriteOwnFile(path, bytes, 3), platform::Written::kFile) << path;
    EXPECT_FALSE(fs::is_symlink(path)) << path;
    EXPECT_EQ(TempGallery::ReadFile(path), "new") << path;
  }
  EXPECT_EQ(TempGallery::ReadFile("photo.jpg"), "photo");
  TempGallery::WriteFile("long.jpg", "a longer old text");
  EXPECT_EQ(platform::WriteOwnFile("long.jpg", bytes, 3), platform::Written::kFile);
  EXPECT_EQ(TempGallery::ReadFile("long.jpg"), "new");

  EXPECT_EQ(platform::WriteOwnFile("no/folder/t.jpg", bytes, 3), platform::Written::kNoFolder);
  fs::create_directory("folder.jpg");
  EXPECT_EQ(platform::WriteOwnFile("folder.jpg", bytes, 3).error(), "folder.jpg");
  platform::SetFaultHook([](platform::FileOp op, std::string_view) {
    return op == platform::FileOp::Write ? ENOSPC : 0;
  });
  EXPECT_EQ(platform::WriteOwnFile("full.jpg", bytes, 3).error(), "full.jpg");
  platform::SetFaultHook(nullptr);
  EXPECT_FALSE(TempGallery::Exists("full.jpg"));  // nothing half-written stays
}

TEST(JpgListing, ListsRegularJpgFilesInByteOrderIgnoringCase) {
  TempGallery dir(false);
  fs::create_directory("P");
  // Created out of order; the listing must not depend on the directory's order.
  for (const char* name : {"b.jpg", "A.JPG", "a.jpg", "c.Jpg", "x.jpeg", "y.png", "jpg", "Z.jpg",
                           "\xe3\x81\x82.jpg", ".jpg"})
    TempGallery::WriteFile(std::string("P/") + name, "x");
  fs::create_directory("P/folder.jpg");
  fs::create_symlink("b.jpg", "P/link.jpg");        // a link to a photo is a photo
  fs::create_symlink("nowhere", "P/dangling.jpg");  // a dangling link is not
  const std::vector<std::string> expected = {".jpg",  "A.JPG", "Z.jpg",    "a.jpg",
                                             "b.jpg", "c.Jpg", "link.jpg", "\xe3\x81\x82.jpg"};
  EXPECT_EQ(platform::ListJpg("P"), expected);
}

TEST(JpgListing, MissingFolderListsNothing) {
  TempGallery dir(false);
  EXPECT_TRUE(platform::ListJpg("none").empty());
}

}  // namespace
