// The Qt dialog driven like a user would: typing, clicking, navigating.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/dialog_controls.h"
#include "gui/qt_dialog.h"
#include "gui/start_folder.h"
#include "platform/encoding.h"
#include "tests/support/editor_gallery.h"

namespace fs = std::filesystem;

namespace {

void EnsureApplication() {
  if (QApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "gui_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// Message boxes are recorded instead of waiting for a click.
class RecordingDialog : public QtDialog {
 public:
  void ShowMessage(const std::string& utf8, MessageStyle) override { messages.push_back(utf8); }
  std::vector<std::string> messages;
};

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// Once the event loop runs, the message box then open gets checked and the
// button labelled `label` clicked; with no label, no box may be open (one is
// cancelled, so the test cannot hang).
void AnswerBox(const char* label, std::function<void(QMessageBox&)> check = {}) {
  QTimer::singleShot(0, [label, check] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!label || !box) {
      if (box) ADD_FAILURE() << "unexpected box: " << box->text().toStdString();
      if (label) ADD_FAILURE() << "no message box is open for " << label;
      if (box) box->reject();
      return;
    }
    if (check) check(*box);
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == Q(label)) {
        button->click();
        return;
      }
    }
    ADD_FAILURE() << "no button " << label;
    box->reject();
  });
}

class EditorDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    AddPhotos(3);
    dialog = std::make_unique<RecordingDialog>();
    ASSERT_TRUE(dialog->Initialise());
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  }

  void Click(int id) {
    QPushButton* button = dialog->button(id);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << id;
    QTest::mouseClick(button, Qt::LeftButton);
  }

  QWidget* Edit(int id) { return dialog->edit(id); }
  QString Shown(int id) {
    if (auto* line = qobject_cast<QLineEdit*>(Edit(id))) return line->text();
    return qobject_cast<QPlainTextEdit*>(Edit(id))->toPlainText();
  }

  // ASCII arrives as key presses; Japanese text as an input method commits it.
  void TypeInto(int id, const char* utf8) {
    QWidget* edit = Edit(id);
    edit->setFocus();
    const QString text = Q(utf8);
    for (qsizetype i = 0; i < text.size(); ++i) {
      if (text[i].unicode() < 0x80) {
        QTest::keyClicks(edit, QString(text[i]));
        continue;
      }
      qsizetype length = text[i].isHighSurrogate() ? 2 : 1;
      QInputMethodEvent commit;
      commit.setCommitString(text.mid(i, length));
      QApplication::sendEvent(edit, &commit);
      i += length - 1;
    }
  }

  TempGallery gallery;
  std::unique_ptr<RecordingDialog> dialog;
};

TEST_F(EditorDialog, TypeRegisterSaveAndComeBack) {
  Click(ctl::kNext);
  EXPECT_EQ(dialog->logic().state().currentPhoto, 2);

  TypeInto(ctl::kThemeEdit, "旅行");
  TypeInto(ctl::kTitleEdit, "富士山 \"朝\"");
  TypeInto(ctl::kMemoEdit, "一行目");
  QTest::keyClick(Edit(ctl::kMemoEdit), Qt::Key_Return);
  TypeInto(ctl::kMemoEdit, "二行目");
  Click(ctl::kRegister);
  Click(ctl::kSave);
  EXPECT_EQ(dialog->messages, (std::vector<std::string>{"新規にデータを保存しました。"}));

  Click(ctl::kNext);
  EXPECT_EQ(dialog->logic().state().currentPhoto, 3);
  EXPECT_EQ(Shown(ctl::kTitleEdit), QString());
  EXPECT_EQ(Shown(ctl::kMemoEdit), QString());
  EXPECT_EQ(Shown(ctl::kThemeEdit), Q("旅行"));
  Click(ctl::kBack);
  EXPECT_EQ(dialog->logic().state().numberLabel, "No.2");
  EXPECT_EQ(Shown(ctl::kTitleEdit), Q("富士山 \"朝\""));
  EXPECT_EQ(Shown(ctl::kMemoEdit), Q("一行目\n二行目"));

  const std::string titles = Utf8(TempGallery::ReadFile(paths::kTitleFile));
  const std::string memos = Utf8(TempGallery::ReadFile(paths::kMemoFile));
  const std::string subject = Utf8(TempGallery::ReadFile(paths::kSubjectFile));
  EXPECT_NE(titles.find("titleName[2]=\"富士山 \\\"朝\\\"\";\r\n"), std::string::npos) << titles;
  EXPECT_NE(memos.find("note[2]=\"一行目<br>二行目\";\r\n"), std::string::npos) << memos;
  EXPECT_NE(subject.find("var subjectName=\"旅行\";\r\n"), std::string::npos) << subject;
  EXPECT_FALSE(dialog->isHidden());
}

// Every button of the control table is on the dialog, labelled and placed as
// the table says; the batch steps under the labels the user knows.
TEST_F(EditorDialog, EveryButtonIsOnTheDialog) {
  int buttons = 0;
  for (const DialogControl& control : DialogControls()) {
    QPushButton* button = dialog->button(control.id);
    // Clicked controls have a label and a handler; edits and the preview neither.
    const bool clicked =
        control.kind != DialogControl::Kind::kEdit && control.kind != DialogControl::Kind::kPreview;
    EXPECT_EQ(control.handler != nullptr, clicked) << control.id;
    EXPECT_EQ(control.label != nullptr, clicked) << control.id;
    if (!control.IsButton()) {
      EXPECT_EQ(button, nullptr) << control.id;
      continue;
    }
    ASSERT_NE(button, nullptr) << control.id;
    EXPECT_EQ(button->text().toStdString(), platform::SjisToUtf8(control.label)) << control.id;
    EXPECT_EQ(button->geometry(), QtDialog::DluRect(control.rect)) << control.id;
    ++buttons;
  }
  EXPECT_EQ(buttons, 20);
  const std::pair<int, const char*> kSteps[] = {
      {ctl::kRename, "ファイル名一括変換"}, {ctl::kThumbnails, "サムネイル一括作成"},
      {ctl::kInfo, "撮影情報作成"},         {ctl::kData, "HTMLデータ作成"},
      {ctl::kPages, "HTMLファイル作成"},
  };
  for (const auto& [id, label] : kSteps) EXPECT_EQ(dialog->button(id)->text(), Q(label));
}

// Unsaved typing is dropped by navigation; a refused text leaves the dialog open.
TEST_F(EditorDialog, RefusedTextKeepsTheDialogOpen) {
  TypeInto(ctl::kTitleEdit, "山😀");
  Click(ctl::kRegister);
  ASSERT_EQ(dialog->messages.size(), 1u);
  EXPECT_NE(dialog->messages[0].find("😀"), std::string::npos);
  EXPECT_TRUE(dialog->isVisible());
  Click(ctl::kLast);
  Click(ctl::kFirst);
  EXPECT_EQ(Shown(ctl::kTitleEdit), QString());
}

// The colour picker is Qt's own, opened with the colour last accepted at that button.
TEST_F(EditorDialog, ColourDialogIsSeededAndItsChoiceWritten) {
  std::vector<QColor> seeds;
  auto answer = [&seeds](QColor colour) {
    QTimer::singleShot(0, [&seeds, colour] {
      QWidget* modal = QApplication::activeModalWidget();
      auto* picker = qobject_cast<QColorDialog*>(modal);
      if (!picker) {
        ADD_FAILURE() << "no colour dialog is open";
        if (modal) modal->close();
        return;
      }
      seeds.push_back(picker->currentColor());
      picker->setCurrentColor(colour);
      picker->accept();
    });
  };
  answer(QColor(1, 2, 3));
  Click(ctl::kBgColor);
  answer(QColor(255, 255, 255));
  Click(ctl::kBgColor);
  ASSERT_EQ(seeds.size(), 2u);
  EXPECT_EQ(seeds[0], QColor(0, 0, 0));
  EXPECT_EQ(seeds[1], QColor(1, 2, 3));
  const std::string colours = TempGallery::ReadFile(paths::kColourFile);
  EXPECT_NE(colours.find("var bgColor=\"#ffffff\";\r\n"), std::string::npos) << colours;
  EXPECT_EQ(dialog->messages.size(), 2u);
}

// 閉じる, Esc and the close box ask the same question about unsaved texts,
// through the real box; none of the dialog's closing buttons is its default.
TEST_F(EditorDialog, ClosingAsksBeforeUnsavedTextsAreLost) {
  enum class Close { kButton, kEscape, kCloseBox };
  enum class Before { kTyped, kRegistered, kSaved };
  struct Case {
    const char* name;
    Close close;
    Before before;
    const char* answer;  // the button clicked; nullptr: no question may come
    bool closed;
    bool saved;
  };
  const Case cases[] = {
      {"typed, 閉じる, 保存", Close::kButton, Before::kTyped, "保存", true, true},
      {"registered, Esc, キャンセル", Close::kEscape, Before::kRegistered, "キャンセル", false,
       false},
      {"registered, close box, 保存しない", Close::kCloseBox, Before::kRegistered, "保存しない",
       true, false},
      {"saved, 閉じる", Close::kButton, Before::kSaved, nullptr, true, true},
  };
  EXPECT_TRUE(dialog->button(ctl::kRegister)->isDefault());
  EXPECT_FALSE(dialog->button(ctl::kClose)->isDefault());
  for (const Case& c : cases) {
    SetUp();  // a fresh dialog on the same photos
    fs::remove(paths::kTitleFile);
    TypeInto(ctl::kTitleEdit, "山");
    if (c.before != Before::kTyped) Click(ctl::kRegister);
    if (c.before == Before::kSaved) Click(ctl::kSave);
    AnswerBox(c.answer, [](QMessageBox& box) {
      EXPECT_EQ(box.text(), Q("変更を保存しますか？"));
      EXPECT_EQ(box.defaultButton()->text(), Q("キャンセル"));
    });
    switch (c.close) {
      case Close::kButton:
        Click(ctl::kClose);
        break;
      case Close::kEscape:
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        break;
      case Close::kCloseBox:
        dialog->close();
        break;
    }
    QApplication::processEvents();
    EXPECT_EQ(dialog->isHidden(), c.closed) << c.name;
    EXPECT_EQ(TempGallery::Exists(paths::kTitleFile), c.saved) << c.name;
    if (c.saved) {
      EXPECT_NE(Utf8(TempGallery::ReadFile(paths::kTitleFile)).find("titleName[1]=\"山\";"),
                std::string::npos)
          << c.name;
    }
  }
}

// The title holds one line: Enter registers what is typed, as 登録・更新.
TEST_F(EditorDialog, EnterInTheTitleRegisters) {
  TypeInto(ctl::kTitleEdit, "富士山");
  QTest::keyClick(Edit(ctl::kTitleEdit), Qt::Key_Return);
  EXPECT_EQ(dialog->logic().state().tables.title[3], Sjis("titleName[1]=\"富士山\";\n"));
  EXPECT_EQ(Shown(ctl::kTitleEdit), Q("富士山"));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(dialog->messages.empty());
}

// A newcomer's first run: an empty folder gets a gallery, the dialog waits
// while the photos are copied, then shows them once ① and ② ran.
TEST(FirstRun, EmptyFolderLaidOutPhotosCopiedEditorShowsThem) {
  SKIP_WITHOUT_SAMPLES();
  EnsureApplication();
  TempGallery dir(false);
  const fs::path root = fs::current_path();
  fs::create_directories("new");
  QSettings settings((root / "settings.ini").c_str(), QSettings::IniFormat);
  StartFolderPrompts prompts{
      [&root](const QString&) { return QString::fromStdString((root / "new").string()); },
      [](const QString&) { return true; },
      [](const QString& message) { ADD_FAILURE() << message.toStdString(); }};
  ASSERT_TRUE(EnterStartFolder(prompts, settings, QString(VORNAMI_BIN_DIR) + "/gallery_template"));
  ASSERT_TRUE(fs::is_directory(root / "new/Pelvora"));

  // 再読み込み before the copy asks again; after it, the start-up goes on.
  const std::string photoFolder = fs::canonical(root / "new/Pelvora").string();
  auto expectFolder = [photoFolder](QMessageBox& box) {
    EXPECT_TRUE(box.text().contains(QString::fromStdString(photoFolder)))
        << box.text().toStdString();
    EXPECT_EQ(box.buttons().size(), 3);
  };
  AnswerBox("再読み込み", [&](QMessageBox& box) {
    expectFolder(box);
    QTimer::singleShot(0, [&] {
      fs::copy_file(SamplesDir() + "/Canon_40D.jpg", root / "new/Pelvora/IMG_0001.JPG");
      fs::copy_file(SamplesDir() + "/Fujifilm_FinePix6900ZOOM.jpg",
                    root / "new/Pelvora/DSCF0002.jpg");
      AnswerBox("再読み込み", expectFolder);
    });
  });
  RecordingDialog dialog;
  ASSERT_TRUE(dialog.Initialise());
  EXPECT_EQ(dialog.messages,
            std::vector<std::string>{
                "ファイル名が変換されていません。「①ファイル名一括変換」以下を実行してください。"});
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QTest::mouseClick(dialog.button(ctl::kRename), Qt::LeftButton);
  QTest::mouseClick(dialog.button(ctl::kThumbnails), Qt::LeftButton);
  EXPECT_EQ(dialog.logic().state().countLabel, Sjis("トータル写真枚数 = 2"));
  EXPECT_EQ(dialog.logic().state().currentPhotoName.rfind("2001_02_19_", 0), 0u)
      << dialog.logic().state().currentPhotoName;
  EXPECT_EQ(dialog.logic().state().abortFlag, 0);
}

}  // namespace
