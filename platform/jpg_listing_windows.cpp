#include <windows.h>

#include <algorithm>

#include "platform/fault_injection.h"
#include "platform/jpg_listing.h"
#include "platform/wide_text.h"

namespace platform {
namespace {

bool EndsInJpg(std::wstring_view name) {
  if (name.size() < 4) return false;
  std::wstring_view tail = name.substr(name.size() - 4);
  const wchar_t* jpg = L".jpg";
  for (std::size_t i = 0; i < 4; ++i) {
    wchar_t c = tail[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != jpg[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> ListJpg(const std::string& dir) {
  std::vector<std::string> names;
  if (ShouldFail(FileOp::List, dir)) return names;
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileExW(WidePath(dir + "/*").c_str(), FindExInfoBasic, &entry,
                                 FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    // A folder or a device is no photo; a file link is (opening it follows it).
    if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) continue;
    if (EndsInJpg(entry.cFileName)) names.push_back(Narrow(entry.cFileName));
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end());  // std::string compares bytes as unsigned char
  return names;
}

}  // namespace platform
