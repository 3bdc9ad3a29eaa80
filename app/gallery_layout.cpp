#include "app/gallery_layout.h"

#include <filesystem>
#include <system_error>

#include "site/gallery_paths.h"

namespace fs = std::filesystem;

bool LayOutGallery(const std::string& templateDir, const std::string& targetDir,
                   std::string& error) {
  std::error_code ec;
  for (const char* folder : paths::kGalleryFolders) {
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
