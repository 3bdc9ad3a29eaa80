#include "app/start_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/native_path.h"

namespace fs = std::filesystem;

StartFolderKind ClassifyStartFolder(const std::string& dir) {
  std::error_code ec;
  const fs::path folder = platform::NativePath(dir);
  if (fs::is_directory(folder / "Pelvora", ec)) return StartFolderKind::kGallery;
  if (fs::is_directory(folder, ec) && fs::is_empty(folder, ec) && !ec)
    return StartFolderKind::kEmpty;
  return StartFolderKind::kOther;
}
