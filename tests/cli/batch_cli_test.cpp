// vornami-batch as scripts use it: arguments, output lines and exit codes.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/encoding.h"
#include "platform/gallery_lock.h"
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
           {"bogus"}, {"show", "bogus"}, {"init", "show"}, {"show", "init"}, {"upgrade", "show"}}) {
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

TEST(BatchCli, UpgradeReplacesPagesWithoutAVersionAndKeepsThemInABackup) {
  TempGallery dir(false);
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  std::vector<std::string> laid;
  for (const auto& entry : fs::recursive_directory_iterator("."))
    if (entry.is_regular_file()) laid.push_back(fs::relative(entry.path()).generic_string());
  for (const auto& path : laid) TempGallery::WriteFile(path, "mine");  // from before versions

  auto r = Batch({"upgrade"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string backup = r.out.substr(r.out.find("vornami-backup/"), 30);
  for (const auto& path : laid) {
    EXPECT_NE(r.out.find("replaced: " + path + "\n"), std::string::npos) << path;
    EXPECT_NE(TempGallery::ReadFile(path), "mine") << path;
    EXPECT_EQ(TempGallery::ReadFile(backup + "/" + path), "mine") << path;
  }
  // Up to date: nothing to replace, no second backup.
  r = Batch({"upgrade"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "info: ページはこの版のものです。置き換えるファイルはありません。\n");
  EXPECT_EQ(std::distance(fs::directory_iterator("vornami-backup"), fs::directory_iterator()), 1);
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

// A finished gallery whose photo 1 lost its thumbnail: start-up names it and
// goes on, and ② can make it again.
TEST(BatchCli, AMissingThumbnailNeverLocksTheUserOut) {
  TempGallery dir(false);
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  for (const char* name :
       {"2003_08_03_09_05_00.jpg", "2003_08_03_09_06_00.jpg", "2003_08_03_09_07_00.jpg"}) {
    TempGallery::WriteFile(std::string("Pelvora/") + name, "photo");
    TempGallery::WriteFile(std::string("gallery/thumbnail/Tn_") + name, "thumb");
  }
  fs::remove("gallery/thumbnail/Tn_2003_08_03_09_05_00.jpg");
  auto r = Batch({"title=残る題", "register", "next", "show", "save"});
  EXPECT_EQ(r.exitCode, 0) << r.out;
  EXPECT_EQ(
      r.out.rfind("error: フォルダ「gallery/thumbnail」のサムネイルとフォルダ「Pelvora」の写真"
                  "が対応していません。サムネイルのない写真（2003_08_03_09_05_00.jpg）。",
                  0),
      0u)
      << r.out;
  EXPECT_NE(r.out.find("number: No.2\ncount: トータル写真枚数 = 2\n"), std::string::npos) << r.out;
  EXPECT_NE(TempGallery::ReadFile("gallery/data/title.js").find("titleName[1]=\""),
            std::string::npos);
}

// Registered texts live in memory until "save": a script that ends without
// saving them is told so and exits 3; typing alone is no change. An action
// whose error left the dialog open (a colour file that cannot be written)
// exits 5: the script must not take the run for a success.
TEST(BatchCli, ExitStatusNamesWhatWasLeftUndone) {
  TempGallery dir(false);
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  TempGallery::WriteFile("Pelvora/2003_08_03_09_05_00.jpg", "photo");
  TempGallery::WriteFile("gallery/thumbnail/Tn_2003_08_03_09_05_00.jpg", "thumb");
  TempGallery::WriteFile("gallery/data/colordata.js", "");
  struct Case {
    std::vector<std::string> args;
    bool coloursReadOnly;
    int exitCode;
  } cases[] = {
      {{"title=題", "register"}, false, 3},
      {{"title=題", "register", "save"}, false, 0},
      {{"title=題"}, false, 0},
      {{"title=題", "register", "save", "theme=旅", "register", "show"}, false, 3},
      {{"bg-color=#112233", "show"}, false, 0},
      {{"bg-color=#112233", "show"}, true, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " " + std::to_string(c.args.size()));
    fs::permissions("gallery/data/colordata.js",
                    c.coloursReadOnly ? fs::perms::owner_read : fs::perms::owner_all);
    auto r = Batch(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.out;
    EXPECT_EQ(r.err.find("保存されていません") != std::string::npos, c.exitCode == 3) << r.err;
    EXPECT_EQ(r.out.find("error: ") != std::string::npos, c.exitCode == 5) << r.out;
  }
}

// Bytes that are no UTF-8 (an overlong "/", a surrogate, a stray byte) are
// named by their values as invalid input, never echoed.
TEST(BatchCli, InvalidUtf8IsNamedNotEchoed) {
  TempGallery dir(false);
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  TempGallery::WriteFile("Pelvora/2003_08_03_09_05_00.jpg", "photo");
  TempGallery::WriteFile("gallery/thumbnail/Tn_2003_08_03_09_05_00.jpg", "thumb");
  const std::pair<std::string, std::string> cases[] = {
      {"\xC0\xAF", "0xC0 0xAF"},
      {"\xED\xA0\x80", "0xED 0xA0 0x80"},
      {"a\xFF", "0xFF"},
  };
  for (const auto& [bytes, hex] : cases) {
    auto r = Batch({"title=" + bytes, "register", "show"});
    EXPECT_EQ(r.exitCode, 5);  // the title was not registered
    EXPECT_EQ(r.out.rfind("error: タイトルに文字として読めないバイト列（" + hex + "）", 0), 0u)
        << r.out;
    EXPECT_EQ(platform::ValidUtf8(r.out), r.out) << hex;
    EXPECT_NE(r.out.find("title: "), std::string::npos);
  }
}

// A path init must make that is taken by the other kind is named; init fails.
TEST(BatchCli, InitNamesAPathTakenByTheWrongKind) {
  struct Case {
    const char* path;
    bool folder;  // what stands there instead
    const char* message;
  } cases[] = {
      {"gallery/data", false, "フォルダを作れません。同じ名前のファイルがあります: ./gallery/data"},
      {"vornami/vornamitop.html", true,
       "ファイルを置けません。同じ名前のフォルダなどがあります: ./vornami/vornamitop.html"},
  };
  for (const auto& c : cases) {
    TempGallery dir(false);
    fs::create_directories(fs::path(c.path).parent_path());
    if (c.folder)
      fs::create_directory(c.path);
    else
      TempGallery::WriteFile(c.path, "x");
    auto r = Batch({"init"});
    EXPECT_NE(r.exitCode, 0) << c.path;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

// One editor per gallery: while another process holds the gallery,
// vornami-batch is refused with exit 4 and a message saying why, and writes
// nothing (an upgrade included); init is no editor. A holder that is killed leaves no lock behind.
TEST(BatchCli, ASecondEditorIsRefusedWhileTheGalleryIsOpenElsewhere) {
  TempGallery dir(false);
  ASSERT_EQ(Batch({"init"}).exitCode, 0);
  TempGallery::WriteFile("Pelvora/2003_08_03_09_05_00.jpg", "photo");
  TempGallery::WriteFile("gallery/thumbnail/Tn_2003_08_03_09_05_00.jpg", "thumb");
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {  // the first editor: takes the gallery and keeps it until killed
    platform::GalleryLock lock;
    const char held = lock.Take(".") == platform::GalleryLock::State::kHeld ? 'y' : 'n';
    if (write(ready[1], &held, 1) != 1) _exit(1);
    for (;;) pause();
  }
  char held = 0;
  ASSERT_EQ(read(ready[0], &held, 1), 1);
  close(ready[0]);
  close(ready[1]);
  EXPECT_EQ(held, 'y');

  auto refused = Batch({"title=残らない", "register", "save", "show"});
  EXPECT_EQ(refused.exitCode, 4);
  EXPECT_EQ(refused.out,
            "error: このギャラリーは別のVornami（編集画面またはvornami-batch）で開かれています。そ"
            "ちらを終了してから、もう一度開いてください。\n");
  EXPECT_FALSE(fs::exists("gallery/data/title.js"));
  // An upgrade writes the gallery: refused too, the older page left as it is.
  TempGallery::WriteFile("vornami/vornamitop.html", "older");
  EXPECT_EQ(Batch({"upgrade"}).exitCode, 4);
  EXPECT_EQ(TempGallery::ReadFile("vornami/vornamitop.html"), "older");
  EXPECT_FALSE(fs::exists("vornami-backup"));
  EXPECT_EQ(Batch({"init"}).exitCode, 0);

  kill(holder, SIGKILL);
  ASSERT_EQ(waitpid(holder, nullptr, 0), holder);
  auto after = Batch({"show"});
  EXPECT_EQ(after.exitCode, 0) << after.out;
  EXPECT_NE(after.out.find("name: 2003_08_03_09_05_00.jpg\n"), std::string::npos) << after.out;
}

}  // namespace
