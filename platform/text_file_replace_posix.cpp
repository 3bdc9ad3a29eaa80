// Replacing data files safely, and the write protection that keeps a file as
// it is, on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fault_injection.h"
#include "platform/file_rename.h"
#include "platform/text_file.h"

namespace platform {

namespace {

// Whether the user may write the existing file. Its write bits count even for
// the superuser, who may write anything: a file marked read-only stays as it is.
bool MayWrite(const std::string& path, const struct stat& st) {
  if (ShouldFail(FileOp::Open, path)) return errno != EACCES && errno != EROFS;
  if ((st.st_mode & 0222) == 0) return false;
  return access(path.c_str(), W_OK) == 0 || (errno != EACCES && errno != EROFS);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// The temporary file, written whole and on the disk; false when any of it failed.
bool WriteTemporary(const std::string& temp, std::string_view text, const struct stat* old) {
  if (ShouldFail(FileOp::Open, temp)) return false;
  unlink(temp.c_str());  // one left by a replace that was cut short
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = true;
  if (old) {
    // The superuser replacing a user's file leaves it the user's.
    if (geteuid() == 0 && fchown(fd, old->st_uid, old->st_gid) != 0) ok = false;
    if (fchmod(fd, old->st_mode & 07777) != 0) ok = false;
  }
  ok = ok && !ShouldFail(FileOp::Write, temp) && WriteAll(fd, ToCrLf(text));
  ok = ok && !ShouldFail(FileOp::Sync, temp) && fsync(fd) == 0;
  return close(fd) == 0 && ok;
}

// The rename itself lives in the folder: flushed, it survives a power cut.
void SyncFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
  int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

bool IsWriteProtected(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !MayWrite(path, st);
}

Status ReplaceTextFile(const std::string& path, std::string_view text) {
  struct stat old;
  const bool exists = stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  if (exists && !MayWrite(path, old)) return Fail(path);
  const std::string temp = path + std::string(kTemporarySuffix);
  if (!WriteTemporary(temp, text, exists ? &old : nullptr) || !RenameReplace(temp, path)) {
    unlink(temp.c_str());
    return Fail(path);
  }
  SyncFolderOf(path);
  return {};
}

void RemoveLeftoverTemporaries(const std::string& dir) {
  DIR* d = opendir(dir.c_str());
  if (!d) return;
  while (const dirent* entry = readdir(d)) {
    std::string_view name = entry->d_name;
    if (name.size() > kTemporarySuffix.size() &&
        name.substr(name.size() - kTemporarySuffix.size()) == kTemporarySuffix)
      unlinkat(dirfd(d), entry->d_name, 0);
  }
  closedir(d);
}

}  // namespace platform
