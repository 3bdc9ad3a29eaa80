#include "app/gallery_layout.h"

#include <filesystem>
#include <system_error>

#include "platform/encoding.h"
#include "platform/native_path.h"
#include "site/gallery_paths.h"
#include "texts/app_texts.h"

namespace fs = std::filesystem;

namespace {

// A path init must make that is taken by an entry of the other kind: named,
// and init stops (a folder of that name cannot be made, nor a file laid).
platform::Status TakenByOtherKind(const fs::path& path, bool wantFolder) {
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (!fs::exists(st) || (wantFolder ? fs::is_directory(st) : fs::is_regular_file(st))) return {};
  return platform::Fail(
      platform::SjisToUtf8(wantFolder ? txt::kInitNotAFolder : txt::kInitNotAFile) +
      platform::Utf8Path(path));
}

}  // namespace

platform::Status LayOutGallery(const std::string& templateDirText,
                               const std::string& targetDirText) {
  const fs::path templateDir = platform::NativePath(templateDirText);
  const fs::path targetDir = platform::NativePath(targetDirText);
  std::error_code ec;
  for (const char* folder : paths::kGalleryFolders) {
    if (auto free = TakenByOtherKind(targetDir / folder, true); !free) return free;
    fs::create_directories(targetDir / folder, ec);
    if (ec) return platform::Fail(std::string(folder) + ": " + ec.message());
  }
  if (!fs::is_directory(templateDir))
    return platform::Fail(templateDirText + ": the gallery template is missing");
  for (auto it = fs::recursive_directory_iterator(templateDir, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->path().filename().native().front() == '.') continue;  // no dot files
    fs::path relative = fs::relative(it->path(), templateDir, ec);
    if (ec) break;
    fs::path target = targetDir / relative;
    if (auto free = TakenByOtherKind(target, it->is_directory()); !free) return free;
    if (it->is_directory()) {
      fs::create_directories(target, ec);
    } else if (!fs::exists(target)) {
      fs::copy_file(it->path(), target, ec);
    }
    if (ec) return platform::Fail(platform::Utf8Path(target) + ": " + ec.message());
  }
  if (ec) return platform::Fail(templateDirText + ": " + ec.message());
  return {};
}
