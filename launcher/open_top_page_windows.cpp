#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <optional>
#include <string>

#include "launcher/open_top_page.h"
#include "launcher/top_page_path.h"
#include "platform/wide_text.h"

namespace launcher {

// Asks the shell to open the page with the user's browser. 0 when the shell
// took the page, -1 otherwise: the shell starts no process of ours to wait for.
pid_t StartOpener(const std::string& page) {
  const std::wstring wide = platform::Wide(page);
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32 ? 0 : -1;
}

pid_t OpenTopPage() {
  std::wstring dir(MAX_PATH, L'\0');
  DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data());
  if (n > dir.size()) {
    dir.resize(n);
    n = GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data());
  }
  std::optional<std::string> current;
  if (n > 0 && n < dir.size()) current = platform::Narrow(std::wstring_view(dir.data(), n));
  std::optional<std::string> page =
      TopPagePath(current ? std::optional<std::string_view>(*current) : std::nullopt, StatDevice);
  if (!page) return -1;
  return StartOpener(*page);
}

}  // namespace launcher
