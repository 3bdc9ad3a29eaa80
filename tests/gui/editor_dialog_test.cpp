// The Qt dialog driven like a user would: typing, clicking, navigating.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/dialog_controls.h"
#include "gui/qt_dialog.h"
#include "platform/encoding.h"
#include "tests/support/editor_gallery.h"

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

  QPlainTextEdit* Edit(int id) { return dialog->edit(id); }

  // ASCII arrives as key presses; Japanese text as an input method commits it.
  void TypeInto(int id, const char* utf8) {
    QPlainTextEdit* edit = Edit(id);
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
  EXPECT_EQ(Edit(ctl::kTitleEdit)->toPlainText(), QString());
  EXPECT_EQ(Edit(ctl::kMemoEdit)->toPlainText(), QString());
  EXPECT_EQ(Edit(ctl::kThemeEdit)->toPlainText(), Q("旅行"));
  Click(ctl::kBack);
  EXPECT_EQ(dialog->logic().state().numberLabel, "No.2");
  EXPECT_EQ(Edit(ctl::kTitleEdit)->toPlainText(), Q("富士山 \"朝\""));
  EXPECT_EQ(Edit(ctl::kMemoEdit)->toPlainText(), Q("一行目\n二行目"));

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
  EXPECT_EQ(Edit(ctl::kTitleEdit)->toPlainText(), QString());
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

}  // namespace
