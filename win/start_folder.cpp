#include "win/start_folder.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shobjidl.h>

#include <optional>

#include "app/gallery_layout.h"
#include "app/start_folder.h"
#include "platform/encoding.h"
#include "platform/wide_text.h"
#include "texts/app_texts.h"
#include "texts/start_folder_texts.h"

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Vornami";
constexpr wchar_t kLastFolderValue[] = L"lastFolder";

std::wstring W(const char* sjis) { return platform::Wide(platform::SjisToUtf8(sjis)); }

std::wstring LastFolder() {
  wchar_t buffer[32768];
  DWORD size = sizeof buffer;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kLastFolderValue, RRF_RT_REG_SZ, nullptr,
                   buffer, &size) != ERROR_SUCCESS)
    return {};
  return buffer;
}

void KeepLastFolder(const std::wstring& folder) {
  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(key, kLastFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                 static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

template <class T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p) p->Release();
  }
};

// The folder chooser, opened at startDir when there is one; nothing when cancelled.
std::optional<std::wstring> ChooseFolder(const std::wstring& startDir) {
  Released<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(&dialog.p))))
    return std::nullopt;
  FILEOPENDIALOGOPTIONS options = 0;
  dialog.p->GetOptions(&options);
  dialog.p->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog.p->SetTitle(W(txt::kChooseFolderCaption).c_str());
  Released<IShellItem> start;
  if (!startDir.empty() &&
      SUCCEEDED(SHCreateItemFromParsingName(startDir.c_str(), nullptr, IID_PPV_ARGS(&start.p))))
    dialog.p->SetFolder(start.p);
  if (dialog.p->Show(nullptr) != S_OK) return std::nullopt;
  Released<IShellItem> chosen;
  if (FAILED(dialog.p->GetResult(&chosen.p))) return std::nullopt;
  wchar_t* path = nullptr;
  if (FAILED(chosen.p->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::nullopt;
  std::wstring folder = path;
  CoTaskMemFree(path);
  return folder;
}

}  // namespace

bool EnterStartFolder(const std::string& templateDir) {
  if (ClassifyStartFolder(".") == StartFolderKind::kGallery) return true;
  const std::optional<std::wstring> folder = ChooseFolder(LastFolder());
  if (!folder) return false;
  KeepLastFolder(*folder);
  const std::string path = platform::Narrow(*folder);
  if (ClassifyStartFolder(path) == StartFolderKind::kEmpty) {
    const std::wstring question =
        W(txt::kOfferNewGalleryPrefix) + *folder + W(txt::kOfferNewGallerySuffix);
    if (MessageBoxW(nullptr, question.c_str(), W(txt::kCaption).c_str(),
                    MB_YESNO | MB_ICONQUESTION) == IDYES) {
      auto laidOut = LayOutGallery(templateDir, path);
      if (!laidOut) {
        const std::wstring message = W(txt::kCannotLayOutPrefix) + platform::Wide(laidOut.error());
        MessageBoxW(nullptr, message.c_str(), W(txt::kCaption).c_str(), MB_OK | MB_ICONWARNING);
        return false;
      }
    }
  }
  return SetCurrentDirectoryW(folder->c_str()) != 0;
}
