#include "app/gallery_layout.h"

#include <filesystem>
#include <system_error>

#include "platform/encoding.h"
#include "site/gallery_paths.h"
#include "texts/app_texts.h"

namespace fs = std::filesystem;

namespace {

// A path init must make that is taken by an entry of the other kind: named,
// and init stops (a folder of that name cannot be made, nor a file laid).
bool TakenByOtherKind(const fs::path& path, bool wantFolder, std::string& error) {
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (!fs::exists(st)) return false;
  if (wantFolder ? fs::is_directory(st) : fs::is_regular_file(st)) return false;
  error =
      platform::SjisToUtf8(wantFolder ? txt::kInitNotAFolder : txt::kInitNotAFile) + path.string();
  return true;
}

}  // namespace

bool LayOutGallery(const std::string& templateDir, const std::string& targetDir,
                   std::string& error) {
  std::error_code ec;
  for (const char* folder : paths::kGalleryFolders) {
    if (TakenByOtherKind(fs::path(targetDir) / folder, true, error)) return false;
    fs::create_directories(fs::path(targetDir) / folder, ec);
    if (ec) {
      error = std::string(folder) + ": " + ec.message();
      return false;
    }
  }
  if (!fs::is_directory(templateDir)) {
    error = templateDir + ": the gallery template is missing";
    return false;
  }
  for (auto it = fs::recursive_directory_iterator(templateDir, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->path().filename().string().front() == '.') continue;  // no dot files
    fs::path relative = fs::relative(it->path(), templateDir, ec);
    if (ec) break;
    fs::path target = fs::path(targetDir) / relative;
    if (TakenByOtherKind(target, it->is_directory(), error)) return false;
    if (it->is_directory()) {
      fs::create_directories(target, ec);
    } else if (!fs::exists(target)) {
      fs::copy_file(it->path(), target, ec);
    }
    if (ec) {
      error = target.string() + ": " + ec.message();
      return false;
    }
  }
  if (ec) {
    error = templateDir + ": " + ec.message();
    return false;
  }
  return true;
}
