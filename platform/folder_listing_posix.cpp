#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "platform/fault_injection.h"
#include "platform/folder_listing.h"

namespace platform {

std::vector<FolderFile> ListFilesInFolder(const std::string& dir) {
  std::vector<FolderFile> names;
  if (ShouldFail(FileOp::List, dir)) return names;
  DIR* d = opendir(dir.c_str());
  if (!d) return names;
  while (const dirent* entry = readdir(d)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    bool folder = entry->d_type == DT_DIR, regular = entry->d_type == DT_REG;
    if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
      struct stat st;
      const bool found = fstatat(dirfd(d), entry->d_name, &st, 0) == 0;
      folder = found && S_ISDIR(st.st_mode);
      regular = found && S_ISREG(st.st_mode);
    }
    if (!folder) names.push_back({entry->d_name, regular});
  }
  closedir(d);
  std::sort(names.begin(), names.end(),
            [](const FolderFile& a, const FolderFile& b) { return a.name < b.name; });
  return names;
}

}  // namespace platform
