#include "launcher/top_page_path.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using launcher::DeviceOf;

// No file system is asked by the drive-letter rule.
const DeviceOf kNoDevices = [](const std::string&) { return std::nullopt; };

TEST(DriveLetterRule, NamesTheTopPageAtTheRootOfTheCurrentDrive) {
  struct Case {
    const char* dir;
    int drive;
    const char* page;
  } cases[] = {
      {"E:\\", 5, "E:/vornami/vornamitop.html"},
      {"e:\\gallery", 5, "E:/vornami/vornamitop.html"},
      {"D:\\photos\\2003\\summer\\gallery", 4, "D:/vornami/vornamitop.html"},
      {"a:", 1, "A:/vornami/vornamitop.html"},
      {"z:\\x", 26, "Z:/vornami/vornamitop.html"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(launcher::DriveNumber(c.dir), c.drive) << c.dir;
    EXPECT_EQ(launcher::TopPagePath(c.dir, kNoDevices), c.page) << c.dir;
  }
}

TEST(DriveLetterRule, WithoutADriveLetterTheNumberIsZeroAndTheLetterTheAtSign) {
  EXPECT_EQ(launcher::DriveNumber("\\\\server\\share\\gallery"), 0);
  EXPECT_EQ(launcher::DriveNumber("C"), 0);
  EXPECT_EQ(launcher::DriveNumber(""), 0);
  EXPECT_EQ(launcher::DriveNumber(std::nullopt), 0);
  EXPECT_EQ(launcher::DrivePagePath(0), "@:/vornami/vornamitop.html");
  EXPECT_EQ(launcher::DrivePagePath(3), "C:/vornami/vornamitop.html");
}

// A disc mounted at /media/cd on a root file system of device 1.
DeviceOf FakeMounts() {
  static const std::map<std::string, unsigned long long> kDevices = {
      {"/", 1},
      {"/media", 1},
      {"/media/cd", 2},
      {"/media/cd/gallery", 2},
      {"/media/cd/gallery/section", 2},
      {"/home", 1},
      {"/home/user", 1},
  };
  return [](const std::string& path) -> std::optional<unsigned long long> {
    auto it = kDevices.find(path);
    if (it == kDevices.end()) return std::nullopt;
    return it->second;
  };
}

TEST(MountRootRule, WalksUpToTheMountPointHoldingTheDirectory) {
  struct Case {
    const char* dir;
    const char* root;
  } cases[] = {
      {"/media/cd/gallery/section", "/media/cd"},
      {"/media/cd/gallery/section/", "/media/cd"},
      {"/media/cd//gallery", "/media/cd"},
      {"/media/cd", "/media/cd"},
      {"/home/user", "/"},
      {"/", "/"},
  };
  for (const auto& c : cases) EXPECT_EQ(launcher::MountRoot(c.dir, FakeMounts()), c.root) << c.dir;
}

TEST(TopPagePathOnLinux, IsTheMountPointFollowedByTheFixedTail) {
  EXPECT_EQ(launcher::TopPagePath("/media/cd/gallery/section", FakeMounts()),
            "/media/cd/vornami/vornamitop.html");
  EXPECT_EQ(launcher::TopPagePath("/home/user", FakeMounts()), "/vornami/vornamitop.html");
}

TEST(TopPagePathOnLinux, NothingWithoutACurrentDirectory) {
  EXPECT_EQ(launcher::TopPagePath(std::nullopt, FakeMounts()), std::nullopt);
  EXPECT_EQ(launcher::TopPagePath("relative/dir", FakeMounts()), std::nullopt);
}

TEST(TopPagePathOnLinux, TheRealFileSystemGivesAMountPointAboveTheDirectory) {
  std::string root = launcher::MountRoot("/proc/self", launcher::StatDevice);
  EXPECT_EQ(root, "/proc");
}

}  // namespace
