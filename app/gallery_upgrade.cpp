#include "app/gallery_upgrade.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "platform/local_time.h"
#include "platform/raw_file.h"
#include "texts/version_texts.h"

namespace fs = std::filesystem;

namespace {

constexpr char kMarker[] = "vornami-version: ";
// The marker stands in the file's first comment.
constexpr std::size_t kMarkerWithin = 4096;
constexpr std::size_t kMaxFixedPageBytes = 4u << 20;

// "8.0.1" as its numbers; digits and dots only.
std::vector<long> Numbers(const std::string& version) {
  std::vector<long> numbers(1, 0);
  for (char c : version) {
    if (c == '.') {
      numbers.push_back(0);
    } else if (numbers.back() < 100000) {
      numbers.back() = numbers.back() * 10 + (c - '0');
    }
  }
  while (numbers.size() > 1 && numbers.back() == 0) numbers.pop_back();  // 8.0 is 8
  return numbers;
}

std::string Read(const fs::path& path) {
  auto bytes = platform::ReadHead(path.string(), kMaxFixedPageBytes);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

std::vector<std::string> TemplateFiles(const std::string& templateDir) {
  std::vector<std::string> files;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(templateDir, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->path().filename().string().front() == '.' || !it->is_regular_file()) continue;
    files.push_back(fs::relative(it->path(), templateDir, ec).generic_string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::string FixedPageVersion(const std::string& bytes) {
  const std::size_t at = bytes.substr(0, kMarkerWithin).find(kMarker);
  if (at == std::string::npos) return {};
  std::size_t end = at + sizeof kMarker - 1;
  const std::size_t begin = end;
  while (end < bytes.size() &&
         (std::isdigit(static_cast<unsigned char>(bytes[end])) || bytes[end] == '.'))
    ++end;
  return bytes.substr(begin, end - begin);
}

std::vector<std::string> OutdatedFixedPages(const std::string& templateDir,
                                            const std::string& galleryDir) {
  const std::vector<long> program = Numbers(txt::kProgramVersion);
  std::vector<std::string> outdated;
  for (const std::string& relative : TemplateFiles(templateDir)) {
    const fs::path target = fs::path(galleryDir) / relative;
    std::error_code ec;
    if (!fs::exists(target, ec)) {
      outdated.push_back(relative);
      continue;
    }
    const std::string version = FixedPageVersion(Read(target));
    if (version.empty() || Numbers(version) < program) outdated.push_back(relative);
  }
  return outdated;
}

bool HasOlderFixedPages(const std::string& templateDir, const std::string& galleryDir) {
  for (const std::string& relative : OutdatedFixedPages(templateDir, galleryDir)) {
    std::error_code ec;
    if (fs::exists(fs::path(galleryDir) / relative, ec)) return true;
  }
  return false;
}

platform::Result<UpgradeDone> UpgradeFixedPages(const std::string& templateDir,
                                                const std::string& galleryDir,
                                                const std::string& stamp) {
  UpgradeDone done;
  const std::vector<std::string> outdated = OutdatedFixedPages(templateDir, galleryDir);
  std::error_code ec;
  fs::path backup;
  for (const std::string& relative : outdated) {
    const fs::path target = fs::path(galleryDir) / relative;
    if (fs::exists(target, ec)) {
      if (backup.empty()) {
        // A folder of its own, even when two upgrades fall in the same second.
        std::string name = stamp;
        for (int n = 2; fs::exists(fs::path(galleryDir) / "vornami-backup" / name, ec); ++n)
          name = stamp + "-" + std::to_string(n);
        done.backupDir = "vornami-backup/" + name;
        backup = fs::path(galleryDir) / done.backupDir;
      }
      const fs::path copy = backup / relative;
      fs::create_directories(copy.parent_path(), ec);
      if (ec || !fs::copy_file(target, copy, ec) || ec)
        return platform::Fail(copy.string() + ": " + ec.message());
    }
    const auto bytes =
        platform::ReadHead((fs::path(templateDir) / relative).string(), kMaxFixedPageBytes);
    if (!bytes) return platform::Fail(bytes.error());
    fs::create_directories(target.parent_path(), ec);
    if (platform::WriteOwnFile(target.string(), bytes->data(), bytes->size()) !=
        platform::Written::kFile)
      return platform::Fail(target.string());
    done.replaced.push_back(relative);
  }
  return done;
}

std::string BackupStamp() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = platform::LocalTime(now);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}
