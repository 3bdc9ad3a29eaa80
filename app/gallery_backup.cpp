#include "app/gallery_backup.h"

#include <ctime>
#include <filesystem>
#include <limits>
#include <system_error>

#include "platform/local_time.h"
#include "platform/raw_file.h"

namespace fs = std::filesystem;

namespace {

constexpr char kBackupRoot[] = "vornami-backup";

}  // namespace

std::string BackupStamp() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = platform::LocalTime(now);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  return stamp;
}

platform::Result<std::string> BackUpGalleryFiles(const std::vector<std::string>& paths,
                                                 const std::string& stamp) {
  std::string folder;
  std::error_code ec;
  // create_directory is false for a folder already there: the next suffix is tried.
  fs::create_directories(kBackupRoot, ec);
  for (int attempt = 1; folder.empty(); ++attempt) {
    std::string candidate = std::string(kBackupRoot) + "/" + stamp;
    if (attempt > 1) {
      candidate += '-';
      candidate += std::to_string(attempt);
    }
    if (fs::create_directory(candidate, ec)) folder = candidate + "/";
    if (ec) return platform::Fail(candidate);
  }
  for (const std::string& path : paths) {
    if (!platform::IsRegularFile(path)) continue;
    auto bytes = platform::ReadHead(path, std::numeric_limits<std::size_t>::max());
    if (!bytes) return platform::Fail(bytes.error());
    const fs::path target = fs::path(folder) / path;
    fs::create_directories(target.parent_path(), ec);
    if (ec) return platform::Fail(target.string());
    auto written = platform::WriteOwnFile(target.string(), bytes->data(), bytes->size());
    if (!written || *written != platform::Written::kFile) return platform::Fail(target.string());
  }
  return folder;
}
