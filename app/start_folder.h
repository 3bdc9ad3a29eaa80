#pragma once
#include <string>

// What a folder is to the dialog's start: a gallery (it holds "Pelvora/"), an
// empty folder (a new gallery may be laid out there), or anything else.
enum class StartFolderKind { kGallery, kEmpty, kOther };

StartFolderKind ClassifyStartFolder(const std::string& dir);
