#include "gui/start_folder.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <string>

#include "app/gallery_layout.h"
#include "app/start_folder.h"
#include "platform/encoding.h"
#include "texts/app_texts.h"
#include "texts/start_folder_texts.h"

namespace {

constexpr char kLastFolderKey[] = "lastFolder";

QString Q(const char* sjis) { return QString::fromStdString(platform::SjisToUtf8(sjis)); }

}  // namespace

StartFolderPrompts DesktopStartFolderPrompts() {
  return {
      [](const QString& startDir) {
        // Qt's own chooser, in Japanese under any locale; a desktop's may not be.
        return QFileDialog::getExistingDirectory(
            nullptr, Q(txt::kChooseFolderCaption), startDir,
            QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
      },
      [](const QString& dir) {
        QString text = Q(txt::kOfferNewGalleryPrefix) + QDir::toNativeSeparators(dir) +
                       Q(txt::kOfferNewGallerySuffix);
        return QMessageBox::question(nullptr, Q(txt::kCaption), text) == QMessageBox::Yes;
      },
      [](const QString& message) { QMessageBox::warning(nullptr, Q(txt::kCaption), message); },
  };
}

bool EnterStartFolder(const StartFolderPrompts& prompts, QSettings& settings,
                      const QString& templateDir) {
  if (ClassifyStartFolder(".") == StartFolderKind::kGallery) return true;
  QString dir = prompts.chooseFolder(settings.value(kLastFolderKey, QDir::homePath()).toString());
  if (dir.isEmpty()) return false;
  settings.setValue(kLastFolderKey, dir);
  const std::string path = dir.toStdString();
  if (ClassifyStartFolder(path) == StartFolderKind::kEmpty && prompts.offerNewGallery(dir)) {
    auto laidOut = LayOutGallery(templateDir.toStdString(), path);
    if (!laidOut) {
      prompts.showError(Q(txt::kCannotLayOutPrefix) + QString::fromStdString(laidOut.error()));
      return false;
    }
  }
  return QDir::setCurrent(dir);
}
