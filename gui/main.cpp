// Vornami: the gallery editor dialog, working in the current folder.
#include <QApplication>

#include "gui/qt_dialog.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QtDialog dialog;
  if (!dialog.Initialise()) return 0;
  dialog.exec();
  return 0;
}
