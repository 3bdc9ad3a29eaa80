// vornami-batch as scripts use it: arguments, output lines and exit codes.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/run_program.h"
#include "tests/support/temp_gallery.h"

namespace fs = std::filesystem;

namespace {

ProgramResult Batch(const std::vector<std::string>& args) {
  return RunProgram("vornami-batch", args);
}

TEST(BatchCli, UsageErrorsRunNothing) {
  TempGallery dir(false);
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"bogus"}, {"show", "bogus"}, {"init", "show"}, {"show", "init"}}) {
    auto r = Batch(args);
    EXPECT_EQ(r.exitCode, 64) << args[0];
    EXPECT_NE(r.err.find("usage:"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
  EXPECT_TRUE(fs::is_empty("."));  // init together with others lays nothing
}

TEST(BatchCli, InitLaysTheGalleryWithoutFilesInTheDataFolders) {
  TempGallery dir(false);
  auto r = Batch({"init"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  for (const char* folder :
       {"Pelvora", "gallery/data", "gallery/thumbnail", "gallery/notes", "gallery/section/pic",
        "gallery/section/title", "gallery/section/action", "gallery/section/information",
        "gallery/section/space", "gallery/menu", "gallery/slideshow", "vornami"})
    EXPECT_TRUE(fs::is_directory(folder)) << folder;
  for (const char* folder : {"Pelvora", "gallery/thumbnail", "gallery/data"})
    EXPECT_TRUE(fs::is_empty(folder)) << folder;
}

TEST(BatchCli, InitNeverOverwritesAFile) {
  TempGallery dir(false);
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  // Every file init laid, changed by the user, survives a second init.
  std::vector<fs::path> laid;
  for (const auto& entry : fs::recursive_directory_iterator("."))
    if (entry.is_regular_file()) laid.push_back(entry.path());
  for (const auto& path : laid) TempGallery::WriteFile(path.string(), "mine");
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  for (const auto& path : laid) EXPECT_EQ(TempGallery::ReadFile(path.string()), "mine") << path;
}

TEST(BatchCli, ShowWithoutPhotosEndsTheDialog) {
  TempGallery dir(false);
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  auto r = Batch({"show"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(
      r.out,
      "error: 撮影データ（jpg形式）がフォルダ「Pelvora」にありません。撮影データをフォルダ「Pe"
      "lvora」内にコピーし、「①ファイル名一括変換」以下を実行してください。\n");
}

TEST(BatchCli, ShowWithAnUnrenamedPhotoLeavesOutTheCounters) {
  TempGallery dir(false);
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  TempGallery::WriteFile("Pelvora/IMG_0001.JPG", "photo");
  auto r = Batch({"theme=旅行\n二行目", "show"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "error: ファイル名が変換されていません。「①ファイル名一括変換」以下を実行してください"
            "。\ntheme: 旅行\\n二行目\ntitle: \nmemo: \n");
}

TEST(BatchCli, ShowWithRenamedPhotosWithoutThumbnails) {
  TempGallery dir(false);
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  TempGallery::WriteFile("Pelvora/2003_08_03_09_05_00.jpg", "photo");
  auto r = Batch({"show"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.rfind("error: サムネイルデータ（jpg形式）がフォルダ「gallery/thumbnail」", 0), 0u)
      << r.out;
}

TEST(BatchCli, ShowPrintsCountersNameAndEdits) {
  TempGallery dir(false);
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  for (const char* name : {"2003_08_03_09_05_00.jpg", "2003_08_03_09_06_00.jpg"}) {
    TempGallery::WriteFile(std::string("Pelvora/") + name, "photo");
    TempGallery::WriteFile(std::string("gallery/thumbnail/Tn_") + name, "thumb");
  }
  TempGallery::WriteFile("gallery/data/note.js", "a\r\nb\r\nc\r\nnote[1]=\"x<br>y\";\r\n");
  auto r = Batch({"show"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "number: No.1\ncount: トータル写真枚数 = 2\nname: 2003_08_03_09_05_00.jpg\ntheme: \n"
            "title: \nmemo: x\\ny\n");
}

}  // namespace
