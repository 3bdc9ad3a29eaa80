// Button ④: "other.js" and "filename.js" written, titles and memos renumbered by name.
#include "site/data_scripts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "platform/encoding.h"
#include "platform/fault_injection.h"
#include "platform/text_file.h"
#include "tests/support/exif_builder.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"

namespace fs = std::filesystem;

namespace {

constexpr char kOther[] = "gallery/data/other.js";
constexpr char kFileName[] = "gallery/data/filename.js";
constexpr char kNote[] = "gallery/data/note.js";
constexpr char kTitle[] = "gallery/data/title.js";
constexpr char kDone[] = "HTMLデータ作成を完了しました。";
constexpr char kNotRenamed[] =
    "ファイル名が変換されていません。「①ファイル名一括変換」以下を実行してください。";
constexpr char kNoExif[] = "Mirtasque撮影情報がないファイルがあります。終了してよろしいですか。";

// UTF-8 with "\n" line ends -> Shift-JIS with CR LF, as the files hold it.
std::string OnDisk(const std::string& utf8) {
  auto r = platform::Utf8ToSjis(utf8);
  EXPECT_TRUE(r);
  std::string out;
  for (char c : *r) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string Other(int maisu, const std::string& first, const std::string& last,
                  const std::string& model) {
  return OnDisk("/* ファイル「other.js」 */\n/* 写真枚数 */\nvar maisu=" + std::to_string(maisu) +
                ";\n/* 最初の写真の撮影年月日 */\nvar topsatsueiDate=\"" + first +
                "\";\n/* 最後の写真の撮影年月日 */\nvar lastsatsueiDate=\"" + last +
                "\";\n/* カメラ種類 */\nvar modelName=\"" + model + "\";\n");
}

void WritePhoto(const std::string& name, const std::string& date, const std::string& model,
                fixture::Order order = fixture::Order::kLittle) {
  fixture::ExifJpeg jpeg(order);
  if (!model.empty()) jpeg.ifd0.push_back(fixture::Ascii(0x0110, model));
  if (!date.empty()) jpeg.exif.push_back(fixture::Ascii(0x9003, date));
  ASSERT_TRUE(jpeg.Write("Pelvora/" + name));
}

// The dialog after a start-up that listed these photos and counted `count`
// thumbnails (all photos when count is -1).
struct DataRun {
  RecordingUi ui;
  CGalleryEditorDlg dlg{ui};
  DataRun(const std::vector<std::string>& names, int count = -1) {
    SharedState& s = dlg.state();
    for (std::size_t i = 0; i < names.size(); ++i) s.photoList[i + 1] = names[i];
    s.listedPhotos = static_cast<int>(names.size());
    s.photoCount = count < 0 ? static_cast<int>(names.size()) : count;
  }
  void Data() { ASSERT_TRUE(dlg.Click(ctl::kData)); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& m : ui.messages) out.push_back(m.utf8);
    return out;
  }
};

const std::vector<std::string> kThree = {"2003_08_03_09_05_00.jpg", "2003_08_04_10_00_00.jpg",
                                         "2003_09_01_18_30_12.jpg"};

void WriteThree() {
  WritePhoto(kThree[0], "2003:08:03 09:05:00", "Canon EOS 40D");
  WritePhoto(kThree[1], "2003:08:04 10:00:00", "Other Model");
  WritePhoto(kThree[2], "2003:09:01 18:30:12", "");
}

TEST(DataScripts, ThreePhotosGiveTheFourFilesByteForByte) {
  TempGallery gallery;
  WriteThree();
  DataRun run(kThree);
  run.Data();

  EXPECT_EQ(run.Messages(), std::vector<std::string>{kDone});
  EXPECT_EQ(run.ui.messages[0].style, UiPort::MessageStyle::kNote);
  EXPECT_FALSE(run.ui.ended);
  EXPECT_EQ(run.dlg.state().abortFlag, 0);
  EXPECT_EQ(run.ui.waitCursorLog, (std::vector<bool>{true, false}));

  EXPECT_EQ(TempGallery::ReadFile(kOther), Other(3, "2003.08.03", "2003.09.01", "Canon EOS 40D"));
  EXPECT_EQ(TempGallery::ReadFile(kFileName),
            OnDisk("/* ファイル「filename.js」 */\n/* ファイル名 */\nfileName = new Array();\n"
                   "fileName[1] = \"2003_08_03_09_05_00.jpg\";\n"
                   "fileName[2] = \"2003_08_04_10_00_00.jpg\";\n"
                   "fileName[3] = \"2003_09_01_18_30_12.jpg\";\n"));
  EXPECT_EQ(TempGallery::ReadFile(kNote),
            OnDisk("/* ファイル「note.js」 */\n/* メモ */\nnote = new Array();\n"
                   "note[1]=\"\";\nnote[2]=\"\";\nnote[3]=\"\";\n"));
  EXPECT_EQ(TempGallery::ReadFile(kTitle),
            OnDisk("/* ファイル「title.js」 */\n/* タイトル */\ntitleName = new Array();\n"
                   "titleName[1]=\"\";\ntitleName[2]=\"\";\ntitleName[3]=\"\";\n"));
}

TEST(DataScripts, TwoRunsAreByteIdentical) {
  TempGallery gallery;
  WriteThree();
  std::vector<std::string> first;
  for (int run = 0; run < 2; ++run) {
    DataRun r(kThree);
    r.Data();
    std::vector<std::string> files;
    for (const char* f : {kOther, kFileName, kNote, kTitle})
      files.push_back(TempGallery::ReadFile(f));
    if (run == 0) {
      first = files;
    } else {
      EXPECT_EQ(files, first);
    }
  }
  // Nothing left behind beside the four files and the colours.
  int count = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator("gallery/data")) ++count;
  EXPECT_EQ(count, 5);
}

TEST(DataScripts, OnePhotoIsFirstAndLast) {
  TempGallery gallery;
  WritePhoto("2010_01_02_03_04_05.jpg", "2010:01:02 03:04:05", "PowerShot S40",
             fixture::Order::kBig);
  DataRun run({"2010_01_02_03_04_05.jpg"});
  run.Data();
  EXPECT_EQ(TempGallery::ReadFile(kOther), Other(1, "2010.01.02", "2010.01.02", "PowerShot S40"));
}

TEST(DataScripts, MissingTagsLeaveEmptyValues) {
  TempGallery gallery;
  WritePhoto("a_photo_without_tags.jpg", "", "");
  DataRun run({"a_photo_without_tags.jpg"});
  run.Data();
  EXPECT_EQ(run.Messages(), std::vector<std::string>{kDone});
  EXPECT_EQ(TempGallery::ReadFile(kOther), Other(1, "", "", ""));
}

TEST(DataScripts, PhotoNumbersAtDigitBoundaries) {
  TempGallery gallery;
  std::vector<std::string> names;
  for (int i = 1; i <= 100; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "2003_08_03_09_%02d_%02d.jpg", i / 60, i % 60);
    names.push_back(name);
  }
  WritePhoto(names.front(), "2003:08:03 09:00:01", "Model M");
  WritePhoto(names.back(), "2003:08:04 09:01:40", "Model M");
  for (int i = 1; i < 99; ++i) TempGallery::WriteFile("Pelvora/" + names[i], "not read");
  DataRun run(names);
  run.Data();
  ASSERT_EQ(run.Messages(), std::vector<std::string>{kDone});

  std::string files = TempGallery::ReadFile(kFileName);
  std::string notes = TempGallery::ReadFile(kNote);
  std::string titles = TempGallery::ReadFile(kTitle);
  for (int n : {9, 10, 99, 100}) {
    std::string no = std::to_string(n);
    EXPECT_NE(files.find("\r\nfileName[" + no + "] = \"" + names[n - 1] + "\";\r\n"),
              std::string::npos)
        << n;
    EXPECT_NE(notes.find("\r\nnote[" + no + "]=\"\";\r\n"), std::string::npos) << n;
    EXPECT_NE(titles.find("\r\ntitleName[" + no + "]=\"\";\r\n"), std::string::npos) << n;
  }
  EXPECT_EQ(files.find("[101]"), std::string::npos);
  EXPECT_TRUE(titles.ends_with("titleName[100]=\"\";\r\n"));
  EXPECT_EQ(TempGallery::ReadFile(kOther), Other(100, "2003.08.03", "2003.08.04", "Model M"));
}

TEST(DataScripts, PhotoCountZeroGivesHeaderLinesOnly) {
  TempGallery gallery;
  WriteThree();
  DataRun run(kThree, 0);
  run.Data();
  EXPECT_EQ(run.Messages(), std::vector<std::string>{kDone});
  EXPECT_EQ(TempGallery::ReadFile(kFileName),
            OnDisk("/* ファイル「filename.js」 */\n/* ファイル名 */\nfileName = new Array();\n"));
  EXPECT_EQ(TempGallery::ReadFile(kTitle),
            OnDisk("/* ファイル「title.js」 */\n/* タイトル */\ntitleName = new Array();\n"));
  EXPECT_EQ(TempGallery::ReadFile(kNote),
            OnDisk("/* ファイル「note.js」 */\n/* メモ */\nnote = new Array();\n"));
  // maisu still counts the folder.
  EXPECT_EQ(TempGallery::ReadFile(kOther), Other(3, "2003.08.03", "2003.09.01", "Canon EOS 40D"));
}

TEST(DataScripts, FolderCountFollowsTheFolderWhileEntriesFollowThePhotoCount) {
  // Five photos listed, three thumbnails counted: maisu and the last photo
  // come from the folder, the entries from the photo count.
  TempGallery gallery;
  WriteThree();
  WritePhoto("2004_01_01_00_00_00.jpg", "2004:01:01 00:00:00", "");
  WritePhoto("2005_02_03_00_00_00.jpg", "2005:02:03 00:00:00", "");
  DataRun run(
      {kThree[0], kThree[1], kThree[2], "2004_01_01_00_00_00.jpg", "2005_02_03_00_00_00.jpg"}, 3);
  run.Data();
  EXPECT_EQ(TempGallery::ReadFile(kOther), Other(5, "2003.08.03", "2005.02.03", "Canon EOS 40D"));
  EXPECT_EQ(TempGallery::ReadFile(kFileName).find("fileName[4]"), std::string::npos);
}

// Files as an earlier run left them; a stopped run must not touch them.
void WriteOldFiles() {
  for (const char* f : {kOther, kFileName, kNote, kTitle}) TempGallery::WriteFile(f, "old");
}
void ExpectOldFiles() {
  for (const char* f : {kOther, kFileName, kNote, kTitle})
    EXPECT_EQ(TempGallery::ReadFile(f), "old") << f;
}

TEST(DataScripts, AFolderCountBeyondThePhotoListStopsTheRun) {
  TempGallery gallery;
  WriteThree();
  WritePhoto("2004_01_01_00_00_00.jpg", "2004:01:01 00:00:00", "");  // added after start-up
  WriteOldFiles();
  DataRun run(kThree);
  run.Data();
  EXPECT_EQ(run.Messages(), std::vector<std::string>{kNotRenamed});
  EXPECT_EQ(run.ui.messages[0].style, UiPort::MessageStyle::kError);
  EXPECT_EQ(run.dlg.state().abortFlag, 1);
  EXPECT_TRUE(run.ui.ended);
  ExpectOldFiles();
}

TEST(DataScripts, AllPhotosRemovedAfterStartUpStopsTheRun) {
  TempGallery gallery;
  WriteOldFiles();
  DataRun run(kThree);
  run.Data();
  EXPECT_EQ(run.Messages(), std::vector<std::string>{kNotRenamed});
  EXPECT_TRUE(run.ui.ended);
  ExpectOldFiles();
}

TEST(DataScripts, AFirstPhotoWithoutApp1WritesNoFile) {
  TempGallery gallery;
  WriteThree();
  TempGallery::WriteFile("Pelvora/" + kThree[0], std::string("\xFF\xD8\xFF\xD9", 4));
  DataRun run(kThree);
  run.Data();
  EXPECT_EQ(run.Messages(),
            std::vector<std::string>{std::string(kNoExif) + "（" + kThree[0] + "）"});
  EXPECT_EQ(run.ui.messages[0].style, UiPort::MessageStyle::kError);
  EXPECT_EQ(run.dlg.state().abortFlag, 1);
  EXPECT_TRUE(run.ui.ended);
  for (const char* f : {kOther, kFileName, kNote, kTitle, "gallery/data/colordata.js"})
    EXPECT_FALSE(TempGallery::Exists(f));
}

TEST(DataScripts, ALastPhotoWithItsApp1BeyondByte49StopsTheRunToo) {
  TempGallery gallery;
  WriteThree();
  fixture::ExifJpeg late;
  late.app1Position = 50;
  late.exif.push_back(fixture::Ascii(0x9003, "2003:09:01 18:30:12"));
  ASSERT_TRUE(late.Write("Pelvora/" + kThree[2]));
  WriteOldFiles();
  DataRun run(kThree);
  run.Data();
  EXPECT_EQ(run.Messages(),
            std::vector<std::string>{std::string(kNoExif) + "（" + kThree[2] + "）"});
  ExpectOldFiles();
}

TEST(DataScripts, TextsSavedBeforeAnyFileNamesStayInFilesAndTables) {
  TempGallery gallery;
  WriteThree();
  for (const auto& name : kThree) TempGallery::WriteFile("gallery/thumbnail/Tn_" + name, "thumb");
  const std::string titles = OnDisk(
      "/* ファイル「title.js」 */\n/* タイトル */\ntitleName = new Array();\n"
      "titleName[1]=\"朝\";\ntitleName[2]=\"昼\";\ntitleName[3]=\"夜\";\n");
  TempGallery::WriteFile(kTitle, titles);
  TempGallery::WriteFile(kNote,
                         OnDisk("/* ファイル「note.js」 */\n/* メモ */\nnote = new Array();\n"
                                "note[1]=\"海<br>山\";\nnote[2]=\"x\";\nnote[3]=\"y\";\n"));
  TempGallery::WriteFile("gallery/data/subject.js",
                         OnDisk("/* ファイル「subject.js」 */\n/* グループタイトル */\n"
                                "var subjectName=\"夏\";\n"));
  RecordingUi ui;
  CGalleryEditorDlg dlg(ui);
  ASSERT_TRUE(dlg.OnInitDialog());
  ASSERT_EQ(ui.edits[ctl::kTitleEdit], "朝");
  std::string subjectBefore = TempGallery::ReadFile("gallery/data/subject.js");

  ASSERT_TRUE(dlg.Click(ctl::kData));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].utf8, std::string(kDone) + "写真3枚のタイトル・メモを引き継ぎました。");

  // "filename.js" never named them: each stays at its number.
  const DataTables& t = dlg.state().tables;
  EXPECT_EQ(t.title[3], "titleName[1]=\"" + *platform::Utf8ToSjis("朝") + "\";\n");
  EXPECT_EQ(t.memo[5], "note[3]=\"y\";\n");
  EXPECT_EQ(t.title[2], "titleName = new Array();\n");
  EXPECT_EQ(TempGallery::ReadFile(kTitle), titles);
  EXPECT_NE(TempGallery::ReadFile(kNote).find(OnDisk("海")), std::string::npos);
  // The theme stays, and the edits keep what they showed.
  EXPECT_EQ(TempGallery::ReadFile("gallery/data/subject.js"), subjectBefore);
  EXPECT_EQ(ui.edits[ctl::kTitleEdit], "朝");
  EXPECT_FALSE(fs::exists("vornami-backup"));
}

// The data files as an earlier ④ and saves left them: the photos it named,
// their titles and memos, and the top photo.
std::string AnnotationFile(bool titles, const std::vector<std::string>& values) {
  std::string text = titles
                         ? "/* ファイル「title.js」 */\n/* タイトル */\ntitleName = new Array();\n"
                         : "/* ファイル「note.js」 */\n/* メモ */\nnote = new Array();\n";
  for (std::size_t i = 0; i < values.size(); ++i)
    text +=
        (titles ? "titleName[" : "note[") + std::to_string(i + 1) + "]=\"" + values[i] + "\";\n";
  return OnDisk(text);
}
std::string TopPhotoFile(int k) {
  return OnDisk(
      "/* ファイル「gallerytoppic.js」 */\n/* galleryトップ写真ファイルナンバー */\nvar k = " +
      std::to_string(k) + ";\n");
}
std::string DatedName(int id) { return "2003_08_0" + std::to_string(id) + "_09_00_00.jpg"; }

TEST(DataScripts, TextsAndTheTopPhotoFollowTheirPhotosByName) {
  struct Case {
    const char* name;
    std::vector<int> before;  // photos the earlier "filename.js" named; none: no such file
    std::vector<std::string> titles, memos;  // as saved, by earlier number
    int topBefore;                           // 0: no top photo chosen
    std::vector<int> after;                  // photos listed now
    std::vector<std::string> expectedTitles, expectedMemos;
    int expectedTop;
    int kept, dropped;
  };
  const Case cases[] = {
      {"a photo added after the others",
       {1, 2, 3},
       {"朝", "", "夜"},
       {"", "昼<br>下", "x"},
       2,
       {1, 2, 3, 4},
       {"朝", "", "夜", ""},
       {"", "昼<br>下", "x", ""},
       2,
       3,
       0},
      {"a photo ① renamed between earlier ones",
       {1, 3, 5},
       {"a", "c", "e"},
       {"", "", "m"},
       3,
       {1, 2, 3, 4, 5},
       {"a", "", "c", "", "e"},
       {"", "", "", "", "m"},
       5,
       3,
       0},
      {"a removed photo's texts go to the backup",
       {1, 2, 3},
       {"a", "b", ""},
       {"", "", "\\\"c"},
       2,
       {1, 3},
       {"a", ""},
       {"", "\\\"c"},
       1,
       2,
       1},
      {"the top photo moves down, no texts",
       {1, 2, 3},
       {"", "", ""},
       {"", "", ""},
       3,
       {2, 3},
       {"", ""},
       {"", ""},
       2,
       0,
       0},
      {"texts saved before ④ ran stay at their numbers",
       {},
       {"a", "b"},
       {"", "m"},
       0,
       {1, 2, 3},
       {"a", "b", ""},
       {"", "m", ""},
       0,
       2,
       0},
      {"a gallery without texts", {1, 2}, {"", ""}, {"", ""}, 0, {1}, {""}, {""}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    TempGallery gallery;
    std::vector<std::string> before, after;
    for (int id : c.before) before.push_back(DatedName(id));
    for (int id : c.after) after.push_back(DatedName(id));
    for (int id : c.after)
      WritePhoto(DatedName(id), "2003:08:0" + std::to_string(id) + " 09:00:00", "M");
    std::map<std::string, std::string> old;
    if (!before.empty()) {
      before.insert(before.begin(), "");
      old[kFileName] = platform::ToCrLf(site::FileNameScriptText(
          before, static_cast<int>(before.size()) - 1, static_cast<int>(before.size()) - 1));
    }
    old[kTitle] = AnnotationFile(true, c.titles);
    old[kNote] = AnnotationFile(false, c.memos);
    if (c.topBefore) old["gallery/data/gallerytoppic.js"] = TopPhotoFile(c.topBefore);
    for (const auto& [path, text] : old) TempGallery::WriteFile(path, text);

    DataRun run(after);
    run.Data();
    EXPECT_EQ(TempGallery::ReadFile(kTitle), AnnotationFile(true, c.expectedTitles)) << c.name;
    EXPECT_EQ(TempGallery::ReadFile(kNote), AnnotationFile(false, c.expectedMemos)) << c.name;
    EXPECT_EQ(
        platform::ToCrLf(TitleFileText(run.dlg.state().tables, static_cast<int>(after.size()))),
        AnnotationFile(true, c.expectedTitles))
        << c.name;
    if (c.expectedTop) {
      EXPECT_EQ(TempGallery::ReadFile("gallery/data/gallerytoppic.js"), TopPhotoFile(c.expectedTop))
          << c.name;
    } else {
      EXPECT_FALSE(TempGallery::Exists("gallery/data/gallerytoppic.js")) << c.name;
    }

    // The backup holds the files as they were, at their relative paths.
    std::vector<fs::path> backups;
    if (fs::exists("vornami-backup"))
      for (const auto& e : fs::directory_iterator("vornami-backup")) backups.push_back(e.path());
    ASSERT_EQ(backups.size(), c.dropped ? 1u : 0u) << c.name;
    std::string note = kDone;
    if (c.kept) note += "写真" + std::to_string(c.kept) + "枚のタイトル・メモを引き継ぎました。";
    if (c.dropped) {
      const std::string folder = backups[0].generic_string() + "/";
      EXPECT_EQ(backups[0].filename().string().size(), 15u) << folder;  // 20261210-153000
      for (const auto& [path, text] : old) EXPECT_EQ(TempGallery::ReadFile(folder + path), text);
      EXPECT_FALSE(TempGallery::Exists(folder + kOther)) << "there was none";
      note += "なくなった写真" + std::to_string(c.dropped) +
              "枚のタイトル・メモは、元のデータファイルごと「" + folder + "」に保存しました。";
    }
    EXPECT_EQ(run.Messages(), std::vector<std::string>{note}) << c.name;
  }
}

TEST(DataScripts, NoTextIsDroppedWithoutABackup) {
  TempGallery gallery;
  WriteThree();
  const std::vector<std::string> before = {"", kThree[0], "2003_08_03_12_00_00.jpg"};
  TempGallery::WriteFile(kFileName, platform::ToCrLf(site::FileNameScriptText(before, 2, 2)));
  const std::string titles = AnnotationFile(true, {"", "gone"});
  TempGallery::WriteFile(kTitle, titles);
  TempGallery::WriteFile("vornami-backup", "a file where the folder belongs");
  DataRun run(kThree);
  run.Data();
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_EQ(run.ui.messages[0].utf8.rfind("タイトル・メモのバックアップを作成できないため", 0), 0u)
      << run.ui.messages[0].utf8;
  EXPECT_TRUE(run.ui.ended);
  EXPECT_EQ(TempGallery::ReadFile(kTitle), titles);
  EXPECT_FALSE(TempGallery::Exists(kOther));

  // Two backups in the same second never share a folder.
  fs::remove("vornami-backup");
  for (int i = 0; i < 2; ++i) {
    TempGallery::WriteFile(kFileName, platform::ToCrLf(site::FileNameScriptText(before, 2, 2)));
    TempGallery::WriteFile(kTitle, titles);
    DataRun again(kThree);
    again.Data();
  }
  int folders = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator("vornami-backup")) ++folders;
  EXPECT_EQ(folders, 2);
}

// A text registered and not saved follows its photo when ② starts the
// dialog again on a new photo and ④ renumbers; the files get only what was saved.
TEST(DataScripts, RegisteredUnsavedTextsFollowTheirPhotoUnsaved) {
  TempGallery gallery;
  const std::vector<std::string> before = {"", DatedName(2), DatedName(4), DatedName(6)};
  for (int id : {2, 4, 6}) {
    WritePhoto(DatedName(id), "2003:08:0" + std::to_string(id) + " 09:00:00", "M");
    TempGallery::WriteFile("gallery/thumbnail/Tn_" + DatedName(id), "thumb");
  }
  TempGallery::WriteFile(kFileName, platform::ToCrLf(site::FileNameScriptText(before, 3, 3)));
  TempGallery::WriteFile(kTitle, AnnotationFile(true, {"a", "b", "c"}));
  RecordingUi ui;
  CGalleryEditorDlg dlg(ui);
  ASSERT_TRUE(dlg.OnInitDialog());
  dlg.OnLast();
  ui.edits[ctl::kTitleEdit] = "c2";
  dlg.OnRegister();

  WritePhoto(DatedName(5), "2003:08:05 09:00:00", "M");  // copied in, then ② ran
  TempGallery::WriteFile("gallery/thumbnail/Tn_" + DatedName(5), "thumb");
  ASSERT_TRUE(dlg.OnInitDialog());
  EXPECT_EQ(dlg.state().tables.title[6], "titleName[4]=\"c2\";\n");
  ASSERT_TRUE(dlg.Click(ctl::kData));
  EXPECT_EQ(TempGallery::ReadFile(kTitle), AnnotationFile(true, {"a", "b", "", "c"}));
  EXPECT_EQ(platform::ToCrLf(TitleFileText(dlg.state().tables, 4)),
            AnnotationFile(true, {"a", "b", "", "c2"}));
  EXPECT_TRUE(dlg.HasUnsavedTexts());
  ui.saveAnswer = UiPort::SaveAnswer::kSave;
  ASSERT_TRUE(dlg.Click(ctl::kClose));
  EXPECT_TRUE(ui.ended);
  EXPECT_EQ(TempGallery::ReadFile(kTitle), AnnotationFile(true, {"a", "b", "", "c2"}));
}

TEST(DataScripts, AGalleryWithoutColoursGetsTheDefaultColours) {
  TempGallery gallery;
  WriteThree();
  DataRun run(kThree);  // a start-up that stopped before loading the tables
  run.Data();
  EXPECT_EQ(
      TempGallery::ReadFile("gallery/data/colordata.js"),
      OnDisk("/* ファイル「colordata.js」 */\n/* 背景色 */\nvar bgColor=\"#000040\";\n"
             "/* トップ画面「Tavisque」の文字色 */\nvar vrntitleColor=\"#ff0000\";\n"
             "/* 項目名「サブジェクト・タイトル・撮影年月日」の文字色 */\n"
             "var itemColor=\"#ffff00\";\n/* データの文字色 */\nvar dataColor=\"#ffffff\";\n"));
}

TEST(DataScripts, SavedColoursAreNeverTouched) {
  TempGallery gallery;
  WriteThree();
  TempGallery::WriteFile("gallery/data/colordata.js", "var bgColor=\"#123456\";");
  DataRun run(kThree);
  FillDefaultColours(run.dlg.state().tables);
  run.Data();
  EXPECT_EQ(TempGallery::ReadFile("gallery/data/colordata.js"), "var bgColor=\"#123456\";");
}

TEST(DataScripts, TablesStayAsTheyWereWhenTheRunStops) {
  TempGallery gallery;
  DataRun run(kThree);
  run.dlg.state().tables.title[3] = "titleName[1]=\"kept\";\n";
  run.dlg.state().tables.memo[5] = "note[3]=\"kept\";\n";
  run.Data();  // no photos: the run stops
  EXPECT_EQ(run.dlg.state().tables.title[3], "titleName[1]=\"kept\";\n");
  EXPECT_EQ(run.dlg.state().tables.memo[5], "note[3]=\"kept\";\n");
}

TEST(DataScripts, AnUnwritableFileIsNamedAndTheOthersStayAsTheyWere) {
  TempGallery gallery;
  WriteThree();
  WriteOldFiles();
  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    return op == platform::FileOp::Write && path.starts_with("gallery/data/filename.js");
  });
  DataRun run(kThree);
  run.Data();
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_EQ(run.ui.messages[0].style, UiPort::MessageStyle::kError);
  EXPECT_NE(run.ui.messages[0].utf8.find("gallery/data/filename.js"), std::string::npos);
  EXPECT_EQ(run.dlg.state().abortFlag, 1);
  EXPECT_TRUE(run.ui.ended);
  // other.js went through; filename.js is not truncated; note.js and title.js were not reached.
  EXPECT_EQ(TempGallery::ReadFile(kOther), Other(3, "2003.08.03", "2003.09.01", "Canon EOS 40D"));
  for (const char* f : {kFileName, kNote, kTitle}) EXPECT_EQ(TempGallery::ReadFile(f), "old") << f;
  int count = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator("gallery/data")) ++count;
  EXPECT_EQ(count, 4);  // no temporary file left behind
}

TEST(DataScripts, AMissingDataFolderIsNamed) {
  TempGallery gallery;
  WriteThree();
  fs::remove_all("gallery/data");
  DataRun run(kThree);
  run.Data();
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_NE(run.ui.messages[0].utf8.find("gallery/data/other.js"), std::string::npos);
  EXPECT_TRUE(run.ui.ended);
}

TEST(DataScripts, QuotesAndBackslashesCannotEndAScriptString) {
  site::GallerySummary s{2, "2003.08.03", "20\"3.\\8.03", "Evil\";alert(1);//"};
  std::string text = site::OtherScriptText(s);
  EXPECT_NE(text.find("var modelName=\"Evil\\\";alert(1);//\";\n"), std::string::npos);
  EXPECT_NE(text.find("var lastsatsueiDate=\"20\\\"3.\\\\8.03\";\n"), std::string::npos);

  std::vector<std::string> list = {"", "a\"b.jpg", "c\\d.jpg"};
  std::string names = site::FileNameScriptText(list, 2, 2);
  EXPECT_NE(names.find("fileName[1] = \"a\\\"b.jpg\";\n"), std::string::npos);
  EXPECT_NE(names.find("fileName[2] = \"c\\\\d.jpg\";\n"), std::string::npos);
}

TEST(DataScripts, NamesBeyondTheListingAreEmpty) {
  // More thumbnails than photos: entries past the names listed last have no photo.
  std::vector<std::string> list(1001);
  list[1] = "a.jpg";
  list[2] = "stale.jpg";
  std::string names = site::FileNameScriptText(list, 3, 1);
  EXPECT_NE(names.find("fileName[1] = \"a.jpg\";\n"), std::string::npos);
  EXPECT_NE(names.find("fileName[2] = \"\";\n"), std::string::npos);
  EXPECT_NE(names.find("fileName[3] = \"\";\n"), std::string::npos);
}

TEST(DataScripts, RealPhotosGiveTheirModelsAndDates) {
  SKIP_WITHOUT_SAMPLES();
  TempGallery gallery;
  const std::string first = "2001_01_01_00_00_00.jpg", last = "2002_01_01_00_00_00.jpg";
  fs::copy_file(SamplesDir() + "/Canon_40D.jpg", "Pelvora/" + first);
  fs::copy_file(SamplesDir() + "/Fujifilm_FinePix6900ZOOM.jpg", "Pelvora/" + last);
  DataRun run({first, last});
  run.Data();
  ASSERT_EQ(run.Messages(), std::vector<std::string>{kDone});
  EXPECT_EQ(TempGallery::ReadFile(kOther), Other(2, "2008.05.30", "2001.02.19", "Canon EOS 40D"));
}

}  // namespace
