#pragma once
// Where the dialog starts on Windows: the current folder when it is a gallery;
// otherwise a folder the user chooses (IFileOpenDialog, opened at the last one
// chosen, kept under HKCU\Software\Vornami), where an empty folder may get a
// new gallery laid out as `vornami-batch init` does.
#include <string>

// Makes the start folder the current directory; false when the user cancelled
// the chooser or the new gallery could not be laid out.
bool EnterStartFolder(const std::string& templateDir);
