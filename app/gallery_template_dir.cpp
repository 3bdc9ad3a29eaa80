#include "app/gallery_template_dir.h"

#include <filesystem>
#include <system_error>

#include "platform/executable_dir.h"
#include "platform/native_path.h"

std::string GalleryTemplateDirFor(const std::string& programDir) {
  const std::string beside = programDir + "/gallery_template";
  const std::string installed = programDir + "/../share/vornami/gallery_template";
  std::error_code ec;
  if (!std::filesystem::is_directory(platform::NativePath(beside), ec) &&
      std::filesystem::is_directory(platform::NativePath(installed), ec)) {
    return installed;
  }
  return beside;
}

std::string GalleryTemplateDir() { return GalleryTemplateDirFor(platform::ExecutableDir()); }
