#pragma once
#include <string>
#include <vector>

namespace platform {

struct FolderFile {
  std::string name;
  bool regular = false;  // a regular file, or a link to one
};

// Every entry directly in the folder that is not a folder itself (a link is
// taken for what it leads to), except "." and "..", in ascending byte order
// of the names. A missing or unreadable folder lists nothing.
std::vector<FolderFile> ListFilesInFolder(const std::string& dir);

}  // namespace platform
