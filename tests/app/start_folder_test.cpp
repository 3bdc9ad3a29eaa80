// Where the dialog starts and where the gallery template is found.
#include "app/start_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/gallery_template_dir.h"
#include "tests/support/temp_gallery.h"

namespace fs = std::filesystem;

namespace {

TEST(StartFolder, ClassifiesGalleriesEmptyFoldersAndTheRest) {
  TempGallery dir(false);
  fs::create_directories("gallery/Pelvora");
  fs::create_directories("empty");
  fs::create_directories("photos-elsewhere/gallery");
  fs::create_directories("hidden");
  fs::create_directories("file-named-Pelvora");
  TempGallery::WriteFile("hidden/.keep", "");
  TempGallery::WriteFile("file-named-Pelvora/Pelvora", "not a folder");
  struct Case {
    const char* dir;
    StartFolderKind expected;
  };
  const Case cases[] = {
      {"gallery", StartFolderKind::kGallery},          {"empty", StartFolderKind::kEmpty},
      {"photos-elsewhere", StartFolderKind::kOther},   {"hidden", StartFolderKind::kOther},
      {"file-named-Pelvora", StartFolderKind::kOther}, {"missing", StartFolderKind::kOther},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyStartFolder(c.dir), c.expected) << c.dir;
}

TEST(GalleryTemplateDir, BesideTheProgramFirstThenTheInstalledShareFolder) {
  TempGallery dir(false);
  const std::string root = fs::current_path().string();
  fs::create_directories("build/bin/gallery_template");
  fs::create_directories("usr/bin");
  fs::create_directories("usr/share/vornami/gallery_template");
  fs::create_directories("bare/bin");
  EXPECT_EQ(GalleryTemplateDirFor(root + "/build/bin"), root + "/build/bin/gallery_template");
  EXPECT_EQ(GalleryTemplateDirFor(root + "/usr/bin"),
            root + "/usr/bin/../share/vornami/gallery_template");
  // Neither there: the build layout is named, so the error message points at it.
  EXPECT_EQ(GalleryTemplateDirFor(root + "/bare/bin"), root + "/bare/bin/gallery_template");
}

}  // namespace
