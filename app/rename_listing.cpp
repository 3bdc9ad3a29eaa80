#include "app/rename_listing.h"

#include <strings.h>

#include "app/heif_conversion.h"
#include "platform/folder_listing.h"

namespace {

bool EndsWith(const std::string& name, const char* suffix, std::size_t size) {
  return name.size() >= size && strcasecmp(name.c_str() + name.size() - size, suffix) == 0;
}

bool Unnoticed(const std::string& name) {
  return name.empty() || name[0] == '.' || strcasecmp(name.c_str(), "Thumbs.db") == 0 ||
         strcasecmp(name.c_str(), "desktop.ini") == 0;
}

}  // namespace

bool IsJpegPhotoName(const std::string& name) {
  return EndsWith(name, ".jpg", 4) || EndsWith(name, ".jpeg", 5) || EndsWith(name, ".jpe", 4);
}

RenameListing ListForRename(const std::string& dir) {
  RenameListing listing;
  for (platform::FolderFile& file : platform::ListFilesInFolder(dir)) {
    std::string& name = file.name;
    if (Unnoticed(name)) continue;
    if (file.regular && IsJpegPhotoName(name))
      listing.photos.push_back(std::move(name));
    else if (file.regular && IsHeifName(name))
      listing.heif.push_back(std::move(name));
    else
      listing.others.push_back(std::move(name));
  }
  return listing;
}
