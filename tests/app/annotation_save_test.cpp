#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "app/dialog_controls.h"
#include "platform/fault_injection.h"
#include "tests/support/editor_gallery.h"

namespace {

namespace fs = std::filesystem;

void Type(EditorGallery& g, const std::string& theme, const std::string& title,
          const std::string& memo) {
  g.ui.edits[ctl::kThemeEdit] = theme;
  g.ui.edits[ctl::kTitleEdit] = title;
  g.ui.edits[ctl::kMemoEdit] = memo;
}

std::string File(const char* path) { return Utf8(TempGallery::ReadFile(path)); }

TEST(AnnotationSave, WritesTheTablesAsCrLfLines) {
  EditorGallery g(3);
  g.dlg.OnNext();
  Type(g, "旅行", "富士山 \"朝\"", "一行目\r\n二行目");
  g.dlg.OnRegister();
  ASSERT_TRUE(g.dlg.Click(ctl::kSave));

  EXPECT_EQ(File(paths::kSubjectFile),
            OnDisk("/* ファイル「subject.js」 */\n/* グループタイトル */\n"
                   "var subjectName=\"旅行\";\n"));
  EXPECT_EQ(
      File(paths::kTitleFile),
      OnDisk("/* ファイル「title.js」 */\n/* タイトル */\ntitleName = new Array();\n"
             "titleName[1]=\"\";\ntitleName[2]=\"富士山 \\\"朝\\\"\";\ntitleName[3]=\"\";\n"));
  EXPECT_EQ(File(paths::kMemoFile),
            OnDisk("/* ファイル「note.js」 */\n/* メモ */\nnote = new Array();\n"
                   "note[1]=\"\";\nnote[2]=\"一行目<br>二行目\";\nnote[3]=\"\";\n"));
  EXPECT_FALSE(TempGallery::Exists(paths::kColourFile));  // colours are written by their buttons
  ASSERT_EQ(g.ui.messages.size(), 1u);
  EXPECT_EQ(g.ui.messages[0].utf8, "新規にデータを保存しました。");
  EXPECT_EQ(g.ui.messages[0].style, UiPort::MessageStyle::kNote);
  EXPECT_EQ(g.ui.waitCursorLog, (std::vector<bool>{true, false}));
}

// Register, save, and a fresh start shows the three memo lines again.
TEST(AnnotationSave, MemoOfThreeLinesSurvivesARestart) {
  EditorGallery g(12);
  for (int i = 0; i < 10; ++i) g.dlg.OnNext();
  ASSERT_EQ(g.state().currentPhoto, 11);
  Type(g, "テーマ", "表題", "一\r\n二\r\n三");
  g.dlg.OnRegister();
  g.dlg.OnSaveData();
  EXPECT_NE(File(paths::kMemoFile).find(OnDisk("note[11]=\"一<br>二<br>三\";\n")),
            std::string::npos);

  RecordingUi ui;
  CGalleryEditorDlg restarted(ui);
  restarted.OnInitDialog();
  EXPECT_EQ(ui.edits[ctl::kThemeEdit], "テーマ");
  restarted.OnLast();
  restarted.OnBack();
  EXPECT_EQ(ui.edits[ctl::kTitleEdit], "表題");
  EXPECT_EQ(ui.edits[ctl::kMemoEdit], "一\r\n二\r\n三");
  EXPECT_TRUE(ui.messages.empty());
}

// A line break typed into a title or the theme stays until the save joins the parts.
TEST(AnnotationSave, JoinsLineBreaksOfTitleAndTheme) {
  EditorGallery g(2);
  Type(g, "旅\r\n行", "上\r\n下", "");
  g.dlg.OnRegister();
  g.dlg.OnNext();
  g.dlg.OnFirst();
  EXPECT_EQ(g.Edit(ctl::kTitleEdit), "上\r\n下");

  g.dlg.OnSaveData();
  EXPECT_EQ(Utf8(g.state().tables.title[3]), "titleName[1]=\"上下\";\n");
  EXPECT_EQ(Utf8(g.state().tables.subject[2]), "var subjectName=\"旅行\";\n");
  EXPECT_NE(File(paths::kTitleFile).find(OnDisk("titleName[1]=\"上下\";\n")), std::string::npos);
  EXPECT_NE(File(paths::kSubjectFile).find(OnDisk("var subjectName=\"旅行\";\n")),
            std::string::npos);
  g.dlg.OnNext();
  g.dlg.OnFirst();
  EXPECT_EQ(g.Edit(ctl::kTitleEdit), "上下");
}

TEST(AnnotationSave, ClosingWithoutSavingLeavesTheFiles) {
  EditorGallery g(2, false);
  TempGallery::WriteFile(paths::kTitleFile, "old title file\r\n");
  g.dlg.OnInitDialog();
  Type(g, "旅行", "富士山", "メモ");
  g.dlg.OnRegister();
  ASSERT_TRUE(g.dlg.Click(ctl::kClose));
  EXPECT_TRUE(g.dlg.ended());
  EXPECT_EQ(TempGallery::ReadFile(paths::kTitleFile), "old title file\r\n");
  EXPECT_FALSE(TempGallery::Exists(paths::kSubjectFile));
  EXPECT_FALSE(TempGallery::Exists(paths::kMemoFile));
}

// The saved scripts must parse: a quote or backslash left raw would end the
// string early and lose every title in the browser.
TEST(AnnotationSave, SavedScriptsParseAsJavaScript) {
  if (std::system("node --version > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "node is not installed; the JavaScript check is skipped";
  EditorGallery g(3);
  const std::string titles[] = {"富士山 \"朝\"", "C:\\写真\\", "表ソ能\\\""};
  const std::string memo = "\"引用\"\r\n\\終わり\\";
  for (int n = 1; n <= 3; ++n) {
    Type(g, "旅\"行\\", titles[n - 1], n == 2 ? memo : "");
    g.dlg.OnRegister();
    g.dlg.OnNext();
  }
  g.dlg.OnSaveData();

  TempGallery::WriteFile("check.js", R"(
const fs = require('fs'), vm = require('vm');
const context = vm.createContext({});
for (const file of process.argv.slice(2))
  vm.runInContext(new TextDecoder('shift_jis').decode(fs.readFileSync(file)), context);
const hex = (s) => Buffer.from(s, 'utf8').toString('hex');
const r = vm.runInContext('[subjectName, titleName[1], titleName[2], titleName[3], note[2]]', context);
console.log(r.map(hex).join(' '));
)");
  std::string command = "node check.js " + std::string(paths::kSubjectFile) + " " +
                        paths::kTitleFile + " " + paths::kMemoFile + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[4096];
  while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
  ASSERT_EQ(pclose(pipe), 0) << output;

  auto hex = [](const std::string& s) {
    std::string out;
    char byte[3];
    for (unsigned char c : s) {
      std::snprintf(byte, sizeof byte, "%02x", c);
      out += byte;
    }
    return out;
  };
  EXPECT_EQ(output, hex("旅\"行\\") + " " + hex(titles[0]) + " " + hex(titles[1]) + " " +
                        hex(titles[2]) + " " + hex("\"引用\"<br>\\終わり\\") + "\n");
}

// A write that fails names the file, keeps the old file whole and leaves the dialog open.
TEST(AnnotationSave, FailedWriteKeepsTheOldFile) {
  for (platform::FileOp op : {platform::FileOp::Write, platform::FileOp::Rename}) {
    SCOPED_TRACE(op == platform::FileOp::Write ? "write fails" : "rename fails");
    EditorGallery g(2, false);
    const std::string oldTitles = OnDisk("h1\nh2\nh3\ntitleName[1]=\"old\";\ntitleName[2]=\"\";\n");
    const std::string oldMemos = "old memos\r\n";
    TempGallery::WriteFile(paths::kTitleFile, oldTitles);
    TempGallery::WriteFile(paths::kMemoFile, oldMemos);
    g.dlg.OnInitDialog();
    Type(g, "テーマ", "新しい題", "新しいメモ");
    g.dlg.OnRegister();
    platform::SetFaultHook([op](platform::FileOp what, std::string_view path) {
      return what == op && path.find("title.js") != std::string_view::npos;
    });
    g.dlg.OnSaveData();
    platform::SetFaultHook(nullptr);

    ASSERT_EQ(g.ui.messages.size(), 1u);
    EXPECT_EQ(g.ui.messages[0].style, UiPort::MessageStyle::kError);
    EXPECT_NE(g.ui.messages[0].utf8.find("gallery/data/title.js"), std::string::npos)
        << g.ui.messages[0].utf8;
    EXPECT_FALSE(g.dlg.ended());
    EXPECT_EQ(g.ui.waitCursorLog, (std::vector<bool>{true, false}));
    EXPECT_EQ(TempGallery::ReadFile(paths::kTitleFile), oldTitles);
    // The save stops at the failing file: the memo file is not written either.
    EXPECT_EQ(TempGallery::ReadFile(paths::kMemoFile), oldMemos);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator("gallery/data"))
      left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"note.js", "subject.js", "title.js"}));

    // Once the disk is writable again the registered texts are still there to save.
    g.dlg.OnSaveData();
    EXPECT_NE(File(paths::kTitleFile).find("新しい題"), std::string::npos);
  }
}

TEST(AnnotationSave, MissingDataFolderIsReported) {
  EditorGallery g(1);
  fs::remove_all("gallery/data");
  g.dlg.OnSaveData();
  ASSERT_EQ(g.ui.messages.size(), 1u);
  EXPECT_EQ(g.ui.messages[0].style, UiPort::MessageStyle::kError);
  EXPECT_NE(g.ui.messages[0].utf8.find("gallery/data/subject.js"), std::string::npos);
  EXPECT_FALSE(g.dlg.ended());
}

// A start-up that stopped early loaded no tables; saving them would wipe the
// gallery's theme, titles and memos.
TEST(AnnotationSave, NothingLoadedNothingWritten) {
  TempGallery gallery;
  TempGallery::WriteFile(std::string(paths::kPhotoDir) + "/IMG_0001.jpg", TinyJpeg());
  TempGallery::WriteFile(paths::kTitleFile, "titles\r\n");
  RecordingUi ui;
  CGalleryEditorDlg dlg(ui);
  dlg.OnInitDialog();
  ASSERT_EQ(dlg.state().abortFlag, 1);
  ui.messages.clear();
  ASSERT_TRUE(dlg.Click(ctl::kSave));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].style, UiPort::MessageStyle::kError);
  EXPECT_EQ(TempGallery::ReadFile(paths::kTitleFile), "titles\r\n");
  EXPECT_FALSE(TempGallery::Exists(paths::kSubjectFile));
  EXPECT_FALSE(dlg.ended());
}

}  // namespace
