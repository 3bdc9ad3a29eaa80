// Vornami: the gallery editor dialog, working in the gallery folder: the
// current folder, or the one the user chooses when started elsewhere (from
// the desktop's menu, say).
#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <iostream>
#include <string>
#include <vector>

#include "app/gallery_template_dir.h"
#include "gui/qt_dialog.h"
#include "gui/qt_translations.h"
#include "gui/start_folder.h"
#include "platform/encoding.h"
#include "platform/gallery_lock.h"
#include "platform/program_info.h"
#include "texts/app_texts.h"

namespace {

constexpr char kUsage[] =
    "usage: vornami [--help | --version]\n"
    "The gallery editor dialog. Started in a folder that holds Pelvora/, it works\n"
    "there; started elsewhere (from the desktop's menu, say), it first asks for the\n"
    "gallery folder, remembering the last one, and offers to lay out a new gallery\n"
    "in an empty folder as 'vornami-batch init' does, then waits for the photos\n"
    "to be copied into its Pelvora/ folder.\n"
    "--help prints this text, --version the program's version.\n";

}  // namespace

int main(int argc, char** argv) {
  auto request = platform::FindInfoRequest(std::vector<std::string>(argv + 1, argv + argc));
  if (request != platform::InfoRequest::kNone) {
    platform::AnswerInfoRequest(request, "vornami", kUsage, std::cout);
    return 0;
  }
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Vornami");
  QApplication::setApplicationName("vornami");
  QApplication::setDesktopFileName("org.example.Vornami");
  InstallQtTranslations(app);
  QSettings settings;
  if (!EnterStartFolder(DesktopStartFolderPrompts(), settings,
                        QString::fromStdString(GalleryTemplateDir()))) {
    return 0;
  }
  // One editor per gallery, for the whole run.
  platform::GalleryLock lock;
  if (lock.Take(".") == platform::GalleryLock::State::kHeldElsewhere) {
    QMessageBox::warning(nullptr, QString::fromStdString(platform::SjisToUtf8(txt::kCaption)),
                         QString::fromStdString(platform::SjisToUtf8(txt::kGalleryOpenElsewhere)));
    return 0;
  }
  QtDialog dialog;
  if (!dialog.Initialise()) return 0;
  dialog.exec();
  return 0;
}
