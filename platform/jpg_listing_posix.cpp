#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "platform/fault_injection.h"
#include "platform/jpg_listing.h"

namespace platform {
namespace {

bool EndsInJpg(const char* name) {
  const std::size_t size = std::strlen(name);
  return size >= 4 && strcasecmp(name + size - 4, ".jpg") == 0;
}

// The entry's type as the folder gives it; only links (a link to a photo is a
// photo) and file systems that do not say need a look at the file itself.
bool IsRegular(DIR* d, const dirent* entry) {
  if (entry->d_type == DT_REG) return true;
  if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return false;
  struct stat st;
  return fstatat(dirfd(d), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::vector<std::string> ListJpg(const std::string& dir) {
  std::vector<std::string> names;
  if (ShouldFail(FileOp::List, dir)) return names;
  DIR* d = opendir(dir.c_str());
  if (!d) return names;
  while (const dirent* entry = readdir(d)) {
    if (EndsInJpg(entry->d_name) && IsRegular(d, entry)) names.emplace_back(entry->d_name);
  }
  closedir(d);
  std::sort(names.begin(), names.end());  // std::string compares bytes as unsigned char
  return names;
}

}  // namespace platform
