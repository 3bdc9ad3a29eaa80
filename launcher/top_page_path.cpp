#include "launcher/top_page_path.h"

#include <sys/stat.h>

namespace launcher {

int DriveNumber(std::optional<std::string_view> currentDir) {
  if (!currentDir || currentDir->size() < 2 || (*currentDir)[1] != ':') return 0;
  unsigned char first = static_cast<unsigned char>((*currentDir)[0]);
  if (first >= 'a' && first <= 'z') first = static_cast<unsigned char>(first - 'a' + 'A');
  return first - 64;
}

std::string DrivePagePath(int driveNumber) {
  return std::string(1, static_cast<char>(driveNumber + 64)) + ":" + kTopPageTail;
}

namespace {
std::string Parent(const std::string& dir) {
  std::size_t slash = dir.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return "/";
  return dir.substr(0, slash);
}

// "/a//b/" -> "/a/b"; "." and ".." are left alone (the current directory
// comes from getcwd, which has none).
std::string Tidy(const std::string& dir) {
  std::string out;
  for (char c : dir) {
    if (c == '/' && !out.empty() && out.back() == '/') continue;
    out += c;
  }
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}
}  // namespace

std::string MountRoot(const std::string& dir, const DeviceOf& deviceOf) {
  std::string current = Tidy(dir);
  auto device = deviceOf(current);
  while (current != "/") {
    std::string parent = Parent(current);
    auto parentDevice = deviceOf(parent);
    if (!device || !parentDevice || *parentDevice != *device) break;
    current = parent;
  }
  return current;
}

std::optional<std::string> TopPagePath(std::optional<std::string_view> currentDir,
                                       const DeviceOf& deviceOf) {
  if (!currentDir) return std::nullopt;
  if (currentDir->size() >= 2 && (*currentDir)[1] == ':')
    return DrivePagePath(DriveNumber(currentDir));
  if (currentDir->empty() || currentDir->front() != '/') return std::nullopt;
  std::string root = MountRoot(std::string(*currentDir), deviceOf);
  return (root == "/" ? std::string() : root) + kTopPageTail;
}

std::optional<unsigned long long> StatDevice(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  return static_cast<unsigned long long>(st.st_dev);
}

}  // namespace launcher
