#include "app/gallery_layout.h"

#include <filesystem>
#include <system_error>

#include "site/gallery_paths.h"

namespace fs = std::filesystem;

platform::Status LayOutGallery(const std::string& templateDir, const std::string& targetDir) {
  std::error_code ec;
  for (const char* folder : paths::kGalleryFolders) {
    fs::create_directories(fs::path(targetDir) / folder, ec);
    if (ec) return platform::Fail(std::string(folder) + ": " + ec.message());
  }
  if (!fs::is_directory(templateDir))
    return platform::Fail(templateDir + ": the gallery template is missing");
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
    if (ec) return platform::Fail(target.string() + ": " + ec.message());
  }
  if (ec) return platform::Fail(templateDir + ": " + ec.message());
  return {};
}
