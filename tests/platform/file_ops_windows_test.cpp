// The file operations of the Windows build, with Windows' own means: the
// read-only attribute, hard links, names in UTF-16. Wine 8 cannot make
// symbolic links or junctions (CreateSymbolicLinkW reports success and makes
// nothing), so the rule for them is tested through JudgeExistingEntry alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/executable_dir.h"
#include "platform/fault_injection.h"
#include "platform/file_rename.h"
#include "platform/gallery_lock.h"
#include "platform/jpg_listing.h"
#include "platform/own_file.h"
#include "platform/raw_file.h"
#include "platform/text_file.h"
#include "platform/wide_text.h"
#include "tests/support/temp_gallery.h"

namespace {

void Write(const std::string& utf8Path, std::string_view bytes) {
  ASSERT_EQ(platform::WriteOwnFile(utf8Path, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size()),
            platform::Written::kFile)
      << utf8Path;
}

std::string Read(const std::string& utf8Path) {
  auto bytes = platform::ReadHead(utf8Path, 1 << 20);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
}

DWORD Attributes(const std::string& utf8Path) {
  return GetFileAttributesW(platform::WidePath(utf8Path).c_str());
}

TEST(WindowsFileOps, JudgesTheEntryAtThePath) {
  using platform::ExistingEntry;
  const struct {
    DWORD attributes;
    DWORD links;
    ExistingEntry expected;
  } rows[] = {
      {FILE_ATTRIBUTE_NORMAL, 1, ExistingEntry::kWriteInPlace},
      {FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, 1, ExistingEntry::kWriteInPlace},
      {FILE_ATTRIBUTE_ARCHIVE, 2, ExistingEntry::kReplace},        // a hard link to a photo
      {FILE_ATTRIBUTE_REPARSE_POINT, 1, ExistingEntry::kReplace},  // a file symbolic link
      {FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY, 1,
       ExistingEntry::kReplace},  // a junction or folder link: removed, never followed
      {FILE_ATTRIBUTE_DIRECTORY, 1, ExistingEntry::kRefuse},
      {FILE_ATTRIBUTE_DEVICE, 1, ExistingEntry::kRefuse},
  };
  for (const auto& row : rows)
    EXPECT_EQ(platform::JudgeExistingEntry(row.attributes, row.links), row.expected)
        << std::hex << row.attributes << " links " << row.links;
}

TEST(WindowsFileOps, RenamesNeverReplaceAndKeepUtf8Names) {
  TempGallery dir(false);
  Write("写真.JPG", "photo");
  Write("taken.jpg", "other");
  EXPECT_FALSE(platform::RenameNoReplace("写真.JPG", "taken.jpg"));
  EXPECT_EQ(errno, EEXIST);  // a name taken, told from other refusals
  EXPECT_EQ(Read("写真.JPG"), "photo");
  EXPECT_EQ(Read("taken.jpg"), "other");
  EXPECT_TRUE(platform::RenameNoReplace("写真.JPG", "写真.JPG"));
  EXPECT_FALSE(platform::RenameNoReplace("missing.jpg", "missing.jpg"));
  EXPECT_FALSE(platform::RenameNoReplace("missing.jpg", "new.jpg"));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_TRUE(platform::RenameNoReplace("写真.JPG", "2020_01_02_03_04_05.jpg"));
  EXPECT_EQ(Read("2020_01_02_03_04_05.jpg"), "photo");
  EXPECT_EQ(Attributes("写真.JPG"), INVALID_FILE_ATTRIBUTES);
}

TEST(WindowsFileOps, ListsJpgInAnyLetterCaseByUtf8Bytes) {
  TempGallery dir(false);
  for (const char* name : {"b.JPG", "a.jpg", "c.Jpg", "写真.jpG", "Ｚ.jpg", "d.jpeg", "e.jpg.txt"})
    Write(name, "x");
  std::filesystem::create_directory("folder.jpg");
  EXPECT_EQ(platform::ListJpg("."),
            (std::vector<std::string>{"a.jpg", "b.JPG", "c.Jpg", "写真.jpG", "Ｚ.jpg"}));
  EXPECT_TRUE(platform::ListJpg("no-such-folder").empty());
}

TEST(WindowsFileOps, ReplaceIsAtomicAndHonoursTheReadOnlyAttribute) {
  TempGallery dir(false);
  TempGallery::WriteFile("note.js", "old\r\n");
  ASSERT_TRUE(platform::ReplaceTextFile("note.js", "new\n"));
  EXPECT_EQ(Read("note.js"), "new\r\n");

  // A cut before the move leaves the old file whole and no temporary.
  platform::SetFaultHook([](platform::FileOp op, std::string_view) {
    return op == platform::FileOp::Rename ? EIO : 0;
  });
  EXPECT_FALSE(platform::ReplaceTextFile("note.js", "lost\n"));
  platform::SetFaultHook(nullptr);
  EXPECT_EQ(Read("note.js"), "new\r\n");
  EXPECT_EQ(Attributes("note.js.tmp.vornami"), INVALID_FILE_ATTRIBUTES);

  ASSERT_TRUE(SetFileAttributesW(L"note.js", FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(platform::IsWriteProtected("note.js"));
  EXPECT_FALSE(platform::ReplaceTextFile("note.js", "refused\n"));
  EXPECT_EQ(Read("note.js"), "new\r\n");
  EXPECT_TRUE(Attributes("note.js") & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Attributes("note.js.tmp.vornami"), INVALID_FILE_ATTRIBUTES);
  SetFileAttributesW(L"note.js", FILE_ATTRIBUTE_NORMAL);
  EXPECT_FALSE(platform::IsWriteProtected("note.js"));
}

TEST(WindowsFileOps, OwnFilesNeverWriteIntoAFileWithOtherNames) {
  TempGallery dir(false);
  Write("photo.jpg", "the photo");
  if (!CreateHardLinkW(L"Tn_photo.jpg", L"photo.jpg", nullptr)) GTEST_SKIP() << "no hard links";
  Write("Tn_photo.jpg", "thumbnail");
  EXPECT_EQ(Read("photo.jpg"), "the photo");
  EXPECT_EQ(Read("Tn_photo.jpg"), "thumbnail");
  // A plain file is written in place, a missing folder said as such.
  Write("Tn_photo.jpg", "new");
  EXPECT_EQ(Read("Tn_photo.jpg"), "new");
  std::filesystem::create_directory("folder");
  EXPECT_FALSE(platform::WriteOwnFile("folder", nullptr, 0));
  EXPECT_EQ(platform::WriteOwnFile("none/x.jpg", nullptr, 0), platform::Written::kNoFolder);
  EXPECT_FALSE(platform::IsRegularFile("folder"));
  EXPECT_FALSE(platform::ReadHead("folder", 10));
}

// The lock is a hidden file nobody else may open while it is held, gone with
// its holder; a second holder is refused as on Linux, even in one process.
TEST(WindowsFileOps, TheGalleryLockIsAFileOpenedByOneHolderAndGoneWithIt) {
  using State = platform::GalleryLock::State;
  TempGallery dir(false);
  {
    platform::GalleryLock first, second;
    EXPECT_EQ(first.Take("."), State::kHeld);
    EXPECT_EQ(second.Take("."), State::kHeldElsewhere);
    const DWORD lockFile = Attributes("vornami.lock");
    EXPECT_TRUE(lockFile != INVALID_FILE_ATTRIBUTES && (lockFile & FILE_ATTRIBUTE_HIDDEN));
    HANDLE other = CreateFileW(L"vornami.lock", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
    platform::GalleryLock moved = std::move(first);
    EXPECT_EQ(second.Take("."), State::kHeldElsewhere);
  }
  EXPECT_EQ(Attributes("vornami.lock"), INVALID_FILE_ATTRIBUTES);
  platform::GalleryLock again;
  EXPECT_EQ(again.Take("."), State::kHeld);
  EXPECT_EQ(platform::GalleryLock().Take("no-such-folder"), State::kUnavailable);
}

TEST(WindowsFileOps, ExecutableDirIsTheProgramsFolderInUtf8) {
  const std::string dir = platform::ExecutableDir();
  EXPECT_EQ(dir.find('\\'), std::string::npos) << dir;
  EXPECT_TRUE(
      std::filesystem::exists(std::filesystem::path(platform::Wide(dir)) / "platform_tests.exe"))
      << dir;
}

}  // namespace
