#pragma once
// What ① finds directly in "Pelvora": photos (*.jpg, *.jpeg, *.jpe), HEIF
// photos, and every other file, which the gallery leaves out and ① names.
// Not counted at all: folders, names starting with ".", and the files
// Windows lays into folders (Thumbs.db, desktop.ini).
#include <string>
#include <vector>

struct RenameListing {
  std::vector<std::string> photos;
  std::vector<std::string> heif;
  std::vector<std::string> others;
};

// Each list in ascending byte order of the names.
RenameListing ListForRename(const std::string& dir);

// *.jpg, *.jpeg and *.jpe, any letter case.
bool IsJpegPhotoName(const std::string& name);
