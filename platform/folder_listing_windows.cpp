#include <windows.h>

#include <algorithm>

#include "platform/fault_injection.h"
#include "platform/folder_listing.h"
#include "platform/wide_text.h"

namespace platform {

std::vector<FolderFile> ListFilesInFolder(const std::string& dir) {
  std::vector<FolderFile> names;
  if (ShouldFail(FileOp::List, dir)) return names;
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileExW(WidePath(dir + "/*").c_str(), FindExInfoBasic, &entry,
                                 FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    // A junction or folder link counts as the folder it leads to.
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    names.push_back({Narrow(entry.cFileName), !(entry.dwFileAttributes & FILE_ATTRIBUTE_DEVICE)});
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end(),
            [](const FolderFile& a, const FolderFile& b) { return a.name < b.name; });
  return names;
}

}  // namespace platform
