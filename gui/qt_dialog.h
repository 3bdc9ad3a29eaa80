#pragma once
// The main dialog as a Qt window: a thin adapter over CGalleryEditorDlg.
#include <QDialog>
#include <QElapsedTimer>
#include <map>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "app/ui_port.h"

class QProgressDialog;
class QPushButton;

class QtDialog : public QDialog, public UiPort {
  Q_OBJECT

 public:
  explicit QtDialog(QWidget* parent = nullptr);

  // Runs the dialog's initialisation; false when it ended the dialog.
  bool Initialise();
  CGalleryEditorDlg& logic() { return logic_; }
  QPushButton* button(int controlId) const;
  // The memo is a QPlainTextEdit, the theme and the title one-line QLineEdits.
  QWidget* edit(int controlId) const;

  // UiPort
  void ShowMessage(const std::string& utf8, MessageStyle style) override;
  bool Ask(const std::string& utf8) override;
  void ShowAboutBox() override;
  void SetWaitCursor(bool on) override;
  std::string GetEditText(int id) override;
  void SetEditText(int id, const std::string& utf8) override;
  void Invalidate() override;
  void EndDialog() override;
  std::optional<RgbColour> ChooseColour(RgbColour initial) override;
  bool Progress(int done, int total) override;
  void SetProgressStep(const std::string& utf8) override;
  SaveAnswer AskToSave(const std::string& utf8) override;
  bool WaitForPhotos(const std::string& utf8, const std::string& photoFolder) override;

  // Dialog units to pixels: a fixed scale that keeps the painted texts clear of the controls.
  static QRect DluRect(int x, int y, int w, int h);
  static QRect DluRect(const DialogRect& rect);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Esc and the window's close box: closing as "閉じる" does.
  void reject() override;

 private:
  void BuildControls();

  CGalleryEditorDlg logic_;
  std::map<int, QPushButton*> buttons_;
  std::map<int, QWidget*> edits_;
  QWidget* previewAnchor_ = nullptr;
  bool ended_ = false;
  // Shown by a batch step that takes a while; gone when it is done.
  QProgressDialog* progress_ = nullptr;
  QElapsedTimer progressTimer_;
  QString progressStep_;
};
