#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fault_injection.h"
#include "platform/synced_file.h"

namespace platform {

Status WriteSyncedNewFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  if (ShouldFail(FileOp::Open, path)) return Fail(path);
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return Fail(path);
  bool ok = !ShouldFail(FileOp::Write, path);
  for (std::size_t done = 0; ok && done < size;) {
    const ssize_t n = write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  ok = ok && !ShouldFail(FileOp::Sync, path) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (!ok) {
    unlink(path.c_str());
    return Fail(path);
  }
  return {};
}

void SyncFolder(const std::string& dir) {
  int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

Status MakeFolder(const std::string& dir) {
  if (ShouldFail(FileOp::Write, dir)) return Fail(dir);
  if (mkdir(dir.c_str(), 0755) == 0) return {};
  struct stat st;
  if (errno == EEXIST && lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return {};
  return Fail(dir);
}

}  // namespace platform
