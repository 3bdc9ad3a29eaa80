#pragma once
// Where the dialog starts: the current folder when it is a gallery; otherwise
// a folder the user chooses (the last one chosen is offered first), where an
// empty folder may get a new gallery laid out as `vornami-batch init` does.
#include <QString>
#include <functional>

class QSettings;

struct StartFolderPrompts {
  // The folder chooser, opened at startDir; empty when cancelled.
  std::function<QString(const QString& startDir)> chooseFolder;
  // Asks whether to lay out a new gallery in the empty folder dir.
  std::function<bool(const QString& dir)> offerNewGallery;
  std::function<void(const QString& message)> showError;
};

// The prompts as dialogs of the desktop.
StartFolderPrompts DesktopStartFolderPrompts();

// Makes the start folder the current directory; false when the user cancelled
// the chooser or the new gallery could not be laid out. settings keeps the
// last folder chosen.
bool EnterStartFolder(const StartFolderPrompts& prompts, QSettings& settings,
                      const QString& templateDir);
