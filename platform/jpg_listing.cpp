#include "platform/jpg_listing.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/fault_injection.h"

namespace platform {

std::vector<std::string> ListJpg(const std::string& dir) {
  std::vector<std::string> names;
  if (ShouldFail(FileOp::List, dir)) return names;
  DIR* d = opendir(dir.c_str());
  if (!d) return names;
  while (const dirent* entry = readdir(d)) {
    std::string name = entry->d_name;
    if (name.size() < 4 || strcasecmp(name.c_str() + name.size() - 4, ".jpg") != 0) continue;
    struct stat st;
    if (stat((dir + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    names.push_back(std::move(name));
  }
  closedir(d);
  std::sort(names.begin(), names.end());  // std::string compares bytes as unsigned char
  return names;
}

}  // namespace platform
