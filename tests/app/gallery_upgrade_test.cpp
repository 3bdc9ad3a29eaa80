// Upgrading a gallery laid out by the previous release: every fixed page and
// shared script replaced by this version's, each first backed up at its
// relative path; photos, data files, ⑤'s pages and the user's own files untouched.
#include "app/gallery_upgrade.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/encoding.h"
#include "platform/text_file.h"
#include "tests/support/temp_gallery.h"
#include "texts/version_texts.h"

namespace fs = std::filesystem;

namespace {

const fs::path kTemplate = fs::path(VORNAMI_BIN_DIR) / "gallery_template";
// The previous release's fixed pages as its sources kept them (UTF-8, LF).
const fs::path kPrevious = fs::path(VORNAMI_SOURCE_DIR) / "tests/data/previous_fixed_pages";

using Tree = std::map<std::string, std::string>;

Tree Files(const fs::path& root) {
  Tree tree;
  for (const auto& e : fs::recursive_directory_iterator(root))
    if (e.is_regular_file())
      tree[fs::relative(e.path(), root).generic_string()] =
          TempGallery::ReadFile(e.path().string());
  return tree;
}

void Write(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  TempGallery::WriteFile(path, bytes);
}

// The previous release's gallery: its fixed pages as it shipped them
// (Shift-JIS, CR LF), photos, data files, ⑤'s pages and a file of the user's.
void LayOutPreviousGallery() {
  for (const auto& [path, utf8] : Files(kPrevious))
    Write(path, platform::ToCrLf(*platform::Utf8ToSjis(utf8)));
  TempGallery::WriteFile("Pelvora/2003_08_03_09_05_00.jpg", std::string("\xFF\xD8 photo"));
  TempGallery::WriteFile("gallery/thumbnail/Tn_2003_08_03_09_05_00.jpg", std::string("thumb"));
  TempGallery::WriteFile("gallery/data/title.js", std::string("titleName[1] = \"t\";\r\n"));
  TempGallery::WriteFile("gallery/section/sec1top.html", std::string("<!-- sec1top.html -->\r\n"));
  Write("gallery/menu/mine.html", std::string("the user's own page\r\n"));
}

TEST(GalleryUpgrade, APreviousReleasesGalleryIsUpgradedAndNothingElseChanges) {
  TempGallery gallery;
  LayOutPreviousGallery();
  const Tree before = Files(".");
  const Tree shipped = Files(kTemplate);
  ASSERT_EQ(shipped.size(), Files(kPrevious).size());
  ASSERT_TRUE(HasOlderFixedPages(kTemplate.string(), "."));

  auto done = UpgradeFixedPages(kTemplate.string(), "20261210-153000");
  ASSERT_TRUE(done) << done.error();
  EXPECT_EQ(done->backupDir, "vornami-backup/20261210-153000");
  std::vector<std::string> all;
  for (const auto& [path, bytes] : shipped) all.push_back(path);
  EXPECT_EQ(done->replaced, all);

  const Tree after = Files(".");
  const std::string backup = done->backupDir + "/";
  for (const auto& [path, bytes] : after) {
    SCOPED_TRACE(path);
    if (path.starts_with(backup)) {
      EXPECT_EQ(bytes, before.at(path.substr(backup.size())));  // the old file, byte for byte
    } else if (shipped.count(path)) {
      EXPECT_EQ(bytes, shipped.at(path));
      EXPECT_EQ(FixedPageVersion(bytes), txt::kProgramVersion);
    } else {
      EXPECT_EQ(bytes, before.at(path));
    }
  }
  EXPECT_EQ(after.size(), before.size() + shipped.size());

  // Once upgraded, a second run has nothing to do and makes no folder.
  EXPECT_FALSE(HasOlderFixedPages(kTemplate.string(), "."));
  auto again = UpgradeFixedPages(kTemplate.string(), "20261210-153000");
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->replaced.empty());
  EXPECT_EQ(Files("."), after);
}

TEST(GalleryUpgrade, OnlyOlderOrUnversionedPagesAreReplaced) {
  // [what the gallery's menu carries, whether it is replaced]
  const std::string program = txt::kProgramVersion;
  struct Case {
    std::string marker;
    bool replaced;
  } cases[] = {
      {"", true},
      {"<!-- vornami-version: 0.9 -->", true},
      {"<!-- vornami-version: 7.99 -->", true},
      {"<!-- vornami-version: " + program + " -->", false},
      {"<!-- vornami-version: " + program + ".0 -->", false},
      {"<!-- vornami-version: 99.0 -->", false},
      {"<!-- vornami-version: -->", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.marker);
    TempGallery gallery;
    for (const auto& [path, bytes] : Files(kTemplate)) Write(path, bytes);
    TempGallery::WriteFile("gallery/menu/menu.html", "<!DOCTYPE html>\r\n" + c.marker + "\r\n");
    EXPECT_EQ(HasOlderFixedPages(kTemplate.string(), "."), c.replaced);
    auto done = UpgradeFixedPages(kTemplate.string(), "20261210-153000");
    ASSERT_TRUE(done);
    EXPECT_EQ(done->replaced, c.replaced ? std::vector<std::string>{"gallery/menu/menu.html"}
                                         : std::vector<std::string>{});
    EXPECT_EQ(TempGallery::Exists("vornami-backup/20261210-153000/gallery/menu/menu.html"),
              c.replaced);
  }
}

}  // namespace
