#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "app/dialog_controls.h"
#include "platform/fault_injection.h"
#include "tests/support/editor_gallery.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

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

// Closing, or a step that stops and ends the dialog, asks before texts typed
// or registered and not saved are lost; only 保存しない loses them.
TEST(AnnotationSave, ClosingAsksAboutUnsavedTexts) {
  using Answer = UiPort::SaveAnswer;
  enum class Before { kNothing, kTyped, kRegistered, kSaved, kRefused };
  struct Case {
    const char* name;
    Before before;
    Answer answer;
    bool byStoppedStep;  // ④ stopping for lack of photos ends the dialog instead of 閉じる
    bool asked, ended;
    const char* savedTitle;  // in "title.js" afterwards; nullptr: no file
  };
  const Case cases[] = {
      {"nothing typed", Before::kNothing, Answer::kCancel, false, false, true, nullptr},
      {"typed, save", Before::kTyped, Answer::kSave, false, true, true, "富士山"},
      {"typed, discard", Before::kTyped, Answer::kDiscard, false, true, true, nullptr},
      {"typed, cancel", Before::kTyped, Answer::kCancel, false, true, false, nullptr},
      {"registered, save", Before::kRegistered, Answer::kSave, false, true, true, "富士山"},
      {"registered, discard", Before::kRegistered, Answer::kDiscard, false, true, true, nullptr},
      {"registered, cancel", Before::kRegistered, Answer::kCancel, false, true, false, nullptr},
      {"saved", Before::kSaved, Answer::kCancel, false, false, true, "富士山"},
      {"a refused text is not saved", Before::kRefused, Answer::kSave, false, true, false, nullptr},
      {"a stopped step asks too", Before::kRegistered, Answer::kSave, true, true, true, "富士山"},
  };
  for (const Case& c : cases) {
    EditorGallery g(2);
    if (c.before != Before::kNothing)
      Type(g, "旅行", c.before == Before::kRefused ? "山😀" : "富士山", "");
    if (c.before == Before::kRegistered || c.before == Before::kSaved) g.dlg.OnRegister();
    if (c.before == Before::kSaved) g.dlg.OnSaveData();
    g.ui.messages.clear();
    g.ui.saveAnswer = c.answer;
    if (c.byStoppedStep) {
      fs::remove_all("Pelvora");
      ASSERT_TRUE(g.dlg.Click(ctl::kData));
    } else {
      ASSERT_TRUE(g.dlg.Click(ctl::kClose));
    }
    EXPECT_EQ(g.ui.questions, c.asked ? std::vector<std::string>{"変更を保存しますか？"}
                                      : std::vector<std::string>{})
        << c.name;
    EXPECT_EQ(g.ui.ended, c.ended) << c.name;
    EXPECT_EQ(g.dlg.ended(), c.ended) << c.name;
    if (!c.savedTitle) {
      EXPECT_FALSE(TempGallery::Exists(paths::kTitleFile)) << c.name;
    } else {
      EXPECT_NE(File(paths::kTitleFile).find("titleName[1]=\""s + c.savedTitle + "\";"),
                std::string::npos)
          << c.name;
      EXPECT_NE(File(paths::kSubjectFile).find("旅行"), std::string::npos) << c.name;
    }
    // Kept open, the typing is still there.
    if (!c.ended) {
      EXPECT_EQ(g.Edit(ctl::kThemeEdit), "旅行") << c.name;
    }
    if (c.before == Before::kRefused) {
      EXPECT_EQ(g.ui.messages.size(), 1u) << c.name;
    }
  }
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

// Whether node parses every file as a script (Shift-JIS, as the pages load them).
bool ParseAsJavaScript(const std::vector<std::string>& files, std::string& output) {
  TempGallery::WriteFile("parse.js", R"(
const fs = require('fs'), vm = require('vm');
for (const file of process.argv.slice(2))
  new vm.Script(new TextDecoder('shift_jis').decode(fs.readFileSync(file)), {filename: file});
)");
  std::string command = "node parse.js";
  for (const auto& file : files) command += " " + file;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return false;
  char buffer[4096];
  while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
  return pclose(pipe) == 0;
}

// A save that fails midway (a full disk, a file the user may not write, the
// program killed between writing a file and renaming it): the photos keep
// their bytes, every data file is its old or its new version and parses, and
// the next start-up leaves no temporary file.
TEST(AnnotationSave, FailuresMidwayLeaveOldOrNewFilesThatParse) {
  if (std::system("node --version > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "node is not installed; the JavaScript check is skipped";
  enum class Fault { kDiskFull, kReadOnly, kKilled };
  const char* const kFiles[] = {paths::kSubjectFile, paths::kTitleFile, paths::kMemoFile};
  for (Fault fault : {Fault::kDiskFull, Fault::kReadOnly, Fault::kKilled}) {
    SCOPED_TRACE(static_cast<int>(fault));
    EditorGallery g(3);
    std::vector<std::string> photos;
    for (int n = 1; n <= 3; ++n) photos.push_back(TempGallery::ReadFile("Pelvora/" + PhotoName(n)));
    Type(g, "旧テーマ", "旧\"題\"", "旧メモ");
    g.dlg.OnRegister();
    g.dlg.OnSaveData();
    std::vector<std::string> oldFiles;
    for (const char* f : kFiles) oldFiles.push_back(TempGallery::ReadFile(f));
    Type(g, "新テーマ", "新\\題", "新\r\nメモ");
    g.dlg.OnRegister();
    g.ui.messages.clear();

    if (fault == Fault::kKilled) {
      // Killed after the memo file's temporary is written and flushed, before its rename.
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
          if (op == platform::FileOp::Rename && path == paths::kMemoFile) _exit(9);
          return 0;
        });
        g.dlg.OnSaveData();
        _exit(0);
      }
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9);
      EXPECT_TRUE(TempGallery::Exists(std::string(paths::kMemoFile) + ".tmp.vornami"));
    } else {
      const bool full = fault == Fault::kDiskFull;
      platform::SetFaultHook([full](platform::FileOp op, std::string_view path) {
        if (full && op == platform::FileOp::Write &&
            path.find("title.js") != std::string_view::npos)
          return ENOSPC;
        if (!full && op == platform::FileOp::Open && path == paths::kTitleFile) return EACCES;
        return 0;
      });
      g.dlg.OnSaveData();
      platform::SetFaultHook(nullptr);
      ASSERT_EQ(g.ui.messages.size(), 1u);
      EXPECT_EQ(g.ui.messages[0].style, UiPort::MessageStyle::kError);
      EXPECT_NE(g.ui.messages[0].utf8.find(full ? "書き込めませんでした: gallery/data/title.js"
                                                : "「gallery/data/title.js」は書き込みが禁止"),
                std::string::npos)
          << g.ui.messages[0].utf8;
    }
    std::vector<std::string> afterFault;
    for (const char* f : kFiles) afterFault.push_back(TempGallery::ReadFile(f));
    std::string output;
    EXPECT_TRUE(ParseAsJavaScript({kFiles[0], kFiles[1], kFiles[2]}, output)) << output;

    RecordingUi ui;
    CGalleryEditorDlg restarted(ui);
    restarted.OnInitDialog();
    EXPECT_TRUE(ui.messages.empty());
    for (const auto& entry : fs::directory_iterator("gallery/data"))
      EXPECT_EQ(entry.path().string().find(".tmp."), std::string::npos) << entry.path();

    g.dlg.OnSaveData();  // the registered texts are still there
    for (int i = 0; i < 3; ++i) {
      const std::string now = TempGallery::ReadFile(kFiles[i]);
      EXPECT_TRUE(afterFault[i] == oldFiles[i] || afterFault[i] == now) << kFiles[i];
      EXPECT_NE(now, oldFiles[i]) << kFiles[i];
    }
    for (int n = 1; n <= 3; ++n)
      EXPECT_EQ(TempGallery::ReadFile("Pelvora/" + PhotoName(n)), photos[n - 1]);
  }
}

// A file the user may not write is refused by name; nothing is replaced and
// its permission bits stay.
TEST(AnnotationSave, ReadOnlyDataFileIsRefusedAndKeptAsItIs) {
  EditorGallery g(1);
  g.dlg.OnSaveData();
  ASSERT_EQ(chmod(paths::kMemoFile, 0444), 0);
  const std::string memo = TempGallery::ReadFile(paths::kMemoFile);
  Type(g, "テーマ", "題", "メモ");
  g.dlg.OnRegister();
  g.ui.messages.clear();
  g.dlg.OnSaveData();
  ASSERT_EQ(g.ui.messages.size(), 1u);
  EXPECT_EQ(g.ui.messages[0].utf8,
            "ファイル「gallery/data/note.js」は書き込みが禁止されているため、書き込みませんでした。"
            "ファイルの書き込みを許可してから、もう一度実行してください。");
  EXPECT_EQ(TempGallery::ReadFile(paths::kMemoFile), memo);
  struct stat st;
  ASSERT_EQ(stat(paths::kMemoFile, &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444u);
  EXPECT_FALSE(g.dlg.ended());
}

// Damaged files (a 10 MB line, a zero byte, CR-only line ends, a file for
// fewer photos) are saved as scripts that parse, with the other lines kept.
TEST(AnnotationSave, DamagedFilesAreSavedAsScriptsThatParse) {
  if (std::system("node --version > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "node is not installed; the JavaScript check is skipped";
  EditorGallery g(3, false);
  const std::string header = "/* a */\r\n/* b */\r\n";
  TempGallery::WriteFile(paths::kTitleFile, header + "titleName = new Array();\r\ntitleName[1]=\"" +
                                                std::string(10u << 20, 'x') +
                                                "\";\r\ntitleName[2]=\"kept\";\r\n");
  TempGallery::WriteFile(
      paths::kMemoFile, header + "note = new Array();\r\nnote[1]=\"a\0b\";\r\nnote[2]=\"m\";\r\n"s);
  TempGallery::WriteFile(paths::kSubjectFile, "/* a */\r/* b */\rvar subjectName=\"t\";\r");
  g.dlg.OnInitDialog();
  EXPECT_EQ(g.ui.messages.size(), 3u);
  g.dlg.OnSaveData();
  std::string output;
  EXPECT_TRUE(ParseAsJavaScript({paths::kSubjectFile, paths::kTitleFile, paths::kMemoFile}, output))
      << output;
  EXPECT_NE(File(paths::kTitleFile).find(OnDisk("titleName[2]=\"kept\";\ntitleName[3]=\"\";\n")),
            std::string::npos);
  EXPECT_NE(File(paths::kMemoFile).find(OnDisk("note[1]=\"\";\nnote[2]=\"m\";\n")),
            std::string::npos);
}

}  // namespace
