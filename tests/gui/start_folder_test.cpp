// The dialog started outside a gallery: choosing the folder, remembering it,
// laying out a new gallery in an empty one.
#include "gui/start_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <filesystem>

#include "tests/support/temp_gallery.h"

namespace fs = std::filesystem;

namespace {

const QString kTemplate = QString(VORNAMI_BIN_DIR) + "/gallery_template";

// Prompts that answer from the test and record what they were asked.
struct ScriptedPrompts {
  QString answer;  // the folder chosen; empty for cancel
  bool acceptNewGallery = true;
  QStringList chooserStarts, offers, errors;

  StartFolderPrompts Prompts() {
    return {[this](const QString& start) {
              chooserStarts << start;
              return answer;
            },
            [this](const QString& dir) {
              offers << dir;
              return acceptNewGallery;
            },
            [this](const QString& message) { errors << message; }};
  }
};

TEST(StartFolder, ChoosesLaysOutAndEntersTheFolder) {
  struct Case {
    const char* name;
    bool currentIsGallery;
    const char* chosen;  // relative to the scratch root; nullptr for cancel
    bool accept;
    bool expectedResult;
    const char* expectedCurrent;  // relative to the scratch root
    bool expectOffer, expectLaidOut;
  };
  const Case cases[] = {
      {"a gallery is entered as it is", true, nullptr, true, true, "", false, false},
      {"cancel ends the program", false, nullptr, true, false, "", false, false},
      {"an empty folder gets a new gallery", false, "empty", true, true, "empty", true, true},
      {"declining leaves it empty", false, "empty", false, true, "empty", true, false},
      {"a full folder is entered without offer", false, "other", true, true, "other", false, false},
  };
  for (const auto& c : cases) {
    TempGallery dir(false);
    const fs::path root = fs::current_path();
    if (c.currentIsGallery) fs::create_directories("Pelvora");
    fs::create_directories("empty");
    fs::create_directories("other");
    TempGallery::WriteFile("other/notes.txt", "mine");
    QSettings settings((root / "settings.ini").c_str(), QSettings::IniFormat);
    ScriptedPrompts prompts;
    prompts.acceptNewGallery = c.accept;
    if (c.chosen) prompts.answer = QString::fromStdString((root / c.chosen).string());

    EXPECT_EQ(EnterStartFolder(prompts.Prompts(), settings, kTemplate), c.expectedResult) << c.name;
    EXPECT_EQ(fs::current_path(), fs::canonical(root / c.expectedCurrent)) << c.name;
    EXPECT_EQ(prompts.chooserStarts.size(), c.currentIsGallery ? 0 : 1) << c.name;
    EXPECT_EQ(prompts.offers.size(), c.expectOffer ? 1 : 0) << c.name;
    EXPECT_EQ(fs::is_directory(root / "empty/Pelvora"), c.expectLaidOut) << c.name;
    EXPECT_EQ(fs::exists(root / "empty/vornami/vornamitop.html"), c.expectLaidOut) << c.name;
    EXPECT_TRUE(prompts.errors.isEmpty()) << c.name;
  }
}

TEST(StartFolder, OffersTheLastFolderChosenFirst) {
  TempGallery dir(false);
  const fs::path root = fs::current_path();
  fs::create_directories("first");
  TempGallery::WriteFile("first/notes.txt", "mine");
  QSettings settings((root / "settings.ini").c_str(), QSettings::IniFormat);
  ScriptedPrompts prompts;
  prompts.answer = QString::fromStdString((root / "first").string());
  ASSERT_TRUE(EnterStartFolder(prompts.Prompts(), settings, kTemplate));
  fs::current_path(root);
  prompts.answer.clear();
  EXPECT_FALSE(EnterStartFolder(prompts.Prompts(), settings, kTemplate));
  ASSERT_EQ(prompts.chooserStarts.size(), 2);
  EXPECT_EQ(prompts.chooserStarts[0], QDir::homePath());
  EXPECT_EQ(prompts.chooserStarts[1], QString::fromStdString((root / "first").string()));
}

TEST(StartFolder, AGalleryThatCannotBeLaidOutIsReported) {
  TempGallery dir(false);
  const fs::path root = fs::current_path();
  fs::create_directories("empty");
  QSettings settings((root / "settings.ini").c_str(), QSettings::IniFormat);
  ScriptedPrompts prompts;
  prompts.answer = QString::fromStdString((root / "empty").string());
  EXPECT_FALSE(EnterStartFolder(prompts.Prompts(), settings,
                                QString::fromStdString((root / "no-template").string())));
  ASSERT_EQ(prompts.errors.size(), 1);
  EXPECT_TRUE(prompts.errors[0].contains("no-template")) << prompts.errors[0].toStdString();
  EXPECT_EQ(fs::current_path(), root);
}

}  // namespace
