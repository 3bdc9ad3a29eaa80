#include "app/gallery_upgrade.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "app/gallery_backup.h"
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

// The start of a page, where its version stands: every start-up looks.
std::string ReadStart(const fs::path& path) {
  auto bytes = platform::ReadHead(path.string(), kMarkerWithin);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

std::vector<std::string> TemplateFiles(const std::string& templateDir) {
  std::vector<std::string> files;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(templateDir, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->path().filename().string().front() == '.' || !it->is_regular_file()) continue;
    // Lexically: resolving links in every folder of the path costs each start-up.
    files.push_back(it->path().lexically_relative(templateDir).generic_string());
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
    const std::string version = FixedPageVersion(ReadStart(target));
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
                                                const std::string& stamp) {
  UpgradeDone done;
  done.replaced = OutdatedFixedPages(templateDir, ".");
  std::vector<std::string> existing;
  std::error_code ec;
  for (const std::string& relative : done.replaced)
    if (fs::exists(relative, ec)) existing.push_back(relative);
  if (!existing.empty()) {
    auto folder = BackUpGalleryFiles(existing, stamp);
    if (!folder) return platform::Fail(folder.error());
    done.backupDir = folder->substr(0, folder->size() - 1);  // without its "/"
  }
  for (const std::string& relative : done.replaced) {
    const auto bytes =
        platform::ReadHead((fs::path(templateDir) / relative).string(), kMaxFixedPageBytes);
    if (!bytes) return platform::Fail(bytes.error());
    fs::create_directories(fs::path(relative).parent_path(), ec);
    if (platform::WriteOwnFile(relative, bytes->data(), bytes->size()) != platform::Written::kFile)
      return platform::Fail(relative);
  }
  return done;
}
