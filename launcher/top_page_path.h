#pragma once
// Where the launcher looks for the gallery's top page: the folder "vornami" at
// the root of the drive that holds the current directory.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace launcher {

inline constexpr char kTopPageTail[] = "/vornami/vornamitop.html";

// The drive-letter rule: 1 for "A:", 3 for "C:", from the first character
// (either case) when the second is ":"; 0 when there is no drive letter or the
// current directory is not known.
int DriveNumber(std::optional<std::string_view> currentDir);

// The drive letter (drive number + 64) followed by ":/vornami/vornamitop.html".
std::string DrivePagePath(int driveNumber);

// The device a path lies on, or nothing when it cannot be asked.
using DeviceOf = std::function<std::optional<unsigned long long>(const std::string& path)>;

// The mount point holding an absolute directory: walks up while the parent
// lies on the same device. "/" when it reaches the top.
std::string MountRoot(const std::string& dir, const DeviceOf& deviceOf);

// The top page for a current directory: the drive-letter rule for paths with a
// drive letter, the mount point holding it otherwise. Nothing when no page can
// be named (no drive letter, and not an absolute path either).
std::optional<std::string> TopPagePath(std::optional<std::string_view> currentDir,
                                       const DeviceOf& deviceOf);

// st_dev of a path, through stat(2).
std::optional<unsigned long long> StatDevice(const std::string& path);

}  // namespace launcher
