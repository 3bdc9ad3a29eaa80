#include "gui/qt_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QUrl>

#include "app/dialog_controls.h"
#include "gui/app_icon.h"
#include "gui/qt_dib_painter.h"
#include "platform/encoding.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"
#include "texts/kept_texts.h"
#include "texts/version_texts.h"

namespace {

QString Q(const char* sjis) { return QString::fromStdString(platform::SjisToUtf8(sjis)); }

// Edits deliver line breaks as CR LF; Qt holds them as "\n".
std::string ToCrLf(const QString& text) {
  std::string out;
  for (char c : text.toStdString()) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

QString FromCrLf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
  return QString::fromStdString(out);
}

}  // namespace

QRect QtDialog::DluRect(int x, int y, int w, int h) {
  // Horizontal units of 7/4 and vertical of 12/8 pixels: the base units of a
  // 9-point Japanese font at 96 dpi.
  auto px = [](int v) { return v * 7 / 4; };
  auto py = [](int v) { return v * 12 / 8; };
  return QRect(px(x), py(y), px(w), py(h));
}

QRect QtDialog::DluRect(const DialogRect& rect) {
  return DluRect(rect.x, rect.y, rect.width, rect.height);
}

QtDialog::QtDialog(QWidget* parent) : QDialog(parent), logic_(*this) {
  setWindowTitle(Q(txt::kResourceCaption));
  setWindowIcon(AppIcon());
  QFont dialogFont("IPAPGothic", 9);
  setFont(dialogFont);
  setFixedSize(DluRect(0, 0, 343, 343).size());
  BuildControls();
}

void QtDialog::BuildControls() {
  // Buttons first, then the texts, edits and preview anchor: the tab order.
  for (const DialogControl& item : DialogControls()) {
    if (!item.IsButton()) continue;
    auto* button = new QPushButton(Q(item.label), this);
    button->setGeometry(DluRect(item.rect));
    button->setAutoDefault(false);
    button->setObjectName(QString("button%1").arg(item.id));
    if (item.kind == DialogControl::Kind::kDefaultButton) button->setDefault(true);
    connect(button, &QPushButton::clicked, this, [this, id = item.id] { logic_.Click(id); });
    buttons_[item.id] = button;
  }
  for (const DialogStatic& item : DialogStatics()) {
    auto* label = new QLabel(Q(item.text), this);
    label->move(DluRect(item.x, item.y, 0, 0).topLeft());
    label->adjustSize();
  }
  for (const DialogControl& item : DialogControls()) {
    if (item.kind != DialogControl::Kind::kEdit) continue;
    QWidget* edit = nullptr;
    if (item.id == ctl::kMemoEdit) {
      auto* memo = new QPlainTextEdit(this);
      memo->setTabChangesFocus(true);
      memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      edit = memo;
    } else {
      // The theme and the title hold one line: Enter there clicks the
      // default button, "登録・更新", instead of breaking the line.
      edit = new QLineEdit(this);
    }
    edit->setGeometry(DluRect(item.rect));
    edit->setObjectName(QString("edit%1").arg(item.id));
    edits_[item.id] = edit;
  }
  previewAnchor_ = new QWidget(this);
  previewAnchor_->setGeometry(DluRect(FindDialogControl(ctl::kPreview)->rect));
  previewAnchor_->setObjectName(QString("preview%1").arg(ctl::kPreview));
  previewAnchor_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

bool QtDialog::Initialise() {
  bool result = logic_.OnInitDialog();
  if (!ended_) setWindowTitle(Q(txt::kCaption));
  return result && !ended_;
}

QPushButton* QtDialog::button(int controlId) const {
  auto it = buttons_.find(controlId);
  return it == buttons_.end() ? nullptr : it->second;
}

QWidget* QtDialog::edit(int controlId) const {
  auto it = edits_.find(controlId);
  return it == edits_.end() ? nullptr : it->second;
}

void QtDialog::ShowMessage(const std::string& utf8, MessageStyle style) {
  QMessageBox box(style == MessageStyle::kError ? QMessageBox::Warning : QMessageBox::NoIcon,
                  Q(txt::kCaption), QString::fromStdString(utf8), QMessageBox::Ok, this);
  box.exec();
}

bool QtDialog::Ask(const std::string& utf8) {
  // Qt's own はい / いいえ (its Japanese translation); いいえ is the default.
  return QMessageBox::question(this, Q(txt::kCaption), QString::fromStdString(utf8),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void QtDialog::ShowAboutBox() {
  QDialog about(this);
  about.setWindowTitle(Q(txt::kAboutCaption));
  about.setFont(font());
  about.setFixedSize(DluRect(0, 0, 235, 55).size());
  auto* icon = new QLabel(&about);
  icon->setPixmap(AppIcon().pixmap(32, 32));
  icon->setGeometry(DluRect(11, 17, 0, 0).topLeft().x(), DluRect(11, 17, 0, 0).topLeft().y(), 32,
                    32);
  auto* text = new QLabel(Q(txt::kAboutText), &about);
  text->setGeometry(DluRect(40, 10, 119, 8));
  auto* ok = new QPushButton("OK", &about);
  ok->setGeometry(DluRect(178, 7, 50, 14));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, &about, &QDialog::accept);
  about.exec();
}

void QtDialog::SetWaitCursor(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
    // The step is over, however it ended.
    delete progress_;
    progress_ = nullptr;
  }
}

std::string QtDialog::GetEditText(int id) {
  if (auto* line = qobject_cast<QLineEdit*>(edit(id))) return line->text().toStdString();
  auto* memo = qobject_cast<QPlainTextEdit*>(edit(id));
  return memo ? ToCrLf(memo->toPlainText()) : std::string();
}

void QtDialog::SetEditText(int id, const std::string& utf8) {
  if (auto* line = qobject_cast<QLineEdit*>(edit(id))) {
    line->setText(QString::fromStdString(utf8));
    line->setCursorPosition(0);
  } else if (auto* memo = qobject_cast<QPlainTextEdit*>(edit(id))) {
    memo->setPlainText(FromCrLf(utf8));
  }
}

void QtDialog::Invalidate() { update(); }

void QtDialog::EndDialog() {
  ended_ = true;
  done(QDialog::Accepted);
}

std::optional<RgbColour> QtDialog::ChooseColour(RgbColour initial) {
  QColor chosen = QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), this);
  if (!chosen.isValid()) return std::nullopt;
  return RgbColour{static_cast<std::uint8_t>(chosen.red()),
                   static_cast<std::uint8_t>(chosen.green()),
                   static_cast<std::uint8_t>(chosen.blue())};
}

bool QtDialog::Progress(int done, int total) {
  if (done >= total) {
    delete progress_;
    progress_ = nullptr;
    return true;
  }
  if (!progress_) {
    progress_ = new QProgressDialog(this);
    progress_->setWindowTitle(Q(txt::kCaption));
    progress_->setCancelButtonText(Q(txt::kStopStep));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(500);  // quick steps show no dialog at all
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progressTimer_.start();
  } else if (progressTimer_.elapsed() < 40) {
    return !progress_->wasCanceled();  // at most 25 updates a second
  }
  progressTimer_.restart();
  progress_->setMaximum(total);
  const QString count = Q(txt::kProgressPhotos).arg(done).arg(total);
  progress_->setLabelText(progressStep_.isEmpty() ? count : progressStep_ + "\n" + count);
  progress_->setValue(done);  // a modal progress dialog processes events here
  QApplication::processEvents();
  return !progress_->wasCanceled();
}

void QtDialog::SetProgressStep(const std::string& utf8) {
  progressStep_ = QString::fromStdString(utf8);
}

UiPort::SaveAnswer QtDialog::AskToSave(const std::string& utf8) {
  QMessageBox box(QMessageBox::Question, Q(txt::kCaption), QString::fromStdString(utf8),
                  QMessageBox::NoButton, this);
  QPushButton* save = box.addButton(Q(txt::kAnswerSave), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(Q(txt::kAnswerDiscard), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(Q(txt::kAnswerCancel), QMessageBox::RejectRole);
  // Enter and Esc keep the dialog open: only a deliberate click ends it.
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return SaveAnswer::kSave;
  if (box.clickedButton() == discard) return SaveAnswer::kDiscard;
  return SaveAnswer::kCancel;
}

bool QtDialog::WaitForPhotos(const std::string& utf8, const std::string& photoFolder) {
  QMessageBox box(QMessageBox::Information, Q(txt::kCaption), QString::fromStdString(utf8),
                  QMessageBox::NoButton, this);
  QPushButton* open = box.addButton(Q(txt::kOpenPhotoFolder), QMessageBox::ActionRole);
  QPushButton* reload = box.addButton(Q(txt::kReload), QMessageBox::AcceptRole);
  QPushButton* quit = box.addButton(Q(txt::kQuit), QMessageBox::RejectRole);
  box.setDefaultButton(reload);
  box.setEscapeButton(quit);
  // Opening the folder leaves the box up until the user comes back.
  for (box.exec(); box.clickedButton() == open; box.exec()) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(photoFolder)));
    box.setDefaultButton(reload);
  }
  return box.clickedButton() == reload;
}

void QtDialog::reject() {
  if (!ended_) logic_.OnCancel();
}

void QtDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.setFont(font());
  const int ascent = painter.fontMetrics().ascent();
  for (const auto& text : logic_.PaintTexts()) {
    painter.setPen(QColor(text.colour.red, text.colour.green, text.colour.blue));
    painter.drawText(text.x, text.y + ascent, QString::fromStdString(text.utf8));
  }
  // The thumbnail, unscaled, with its top-left corner at the preview control's.
  QtDibPainter previewControl(painter, previewAnchor_->geometry().topLeft());
  logic_.PaintPreview(previewControl);
}

// Linux window managers offer no per-application system menu: the About entry
// sits in the window's context menu and on F1.
void QtDialog::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* about = menu.addAction(Q(txt::kAboutMenuEntry));
  if (menu.exec(event->globalPos()) == about) logic_.OnSysCommand(16);
}

void QtDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    logic_.OnSysCommand(16);
    return;
  }
  QDialog::keyPressEvent(event);
}
