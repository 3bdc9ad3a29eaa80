#include "app/start_folder.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

StartFolderKind ClassifyStartFolder(const std::string& dir) {
  std::error_code ec;
  if (fs::is_directory(fs::path(dir) / "Pelvora", ec)) return StartFolderKind::kGallery;
  if (fs::is_directory(dir, ec) && fs::is_empty(dir, ec) && !ec) return StartFolderKind::kEmpty;
  return StartFolderKind::kOther;
}
