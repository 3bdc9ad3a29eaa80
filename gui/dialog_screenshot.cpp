// Saves a picture of the main dialog as it starts in the current folder
// (for the screenshots under docs/). Usage: vornami-dialog-screenshot OUT.png
#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "gui/qt_dialog.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vornami-dialog-screenshot OUT.png\n");
    return 64;
  }
  QApplication app(argc, argv);
  QtDialog dialog;
  if (!dialog.Initialise()) return 1;
  dialog.show();
  app.processEvents();
  return dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
