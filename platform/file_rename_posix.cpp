#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fault_injection.h"
#include "platform/file_rename.h"

namespace platform {
namespace {

bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (ShouldFail(FileOp::Rename, from)) return false;
  if (from == to) {
    struct stat st;
    return lstat(from.c_str(), &st) == 0;
  }
  // Fails by itself when the source is missing.
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // The file system cannot rename without replacing: a hard link fails on an
  // existing target just the same.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  return unlink(from.c_str()) == 0;
}

}  // namespace

Status RenameNoReplace(const std::string& from, const std::string& to) {
  if (!RenameWithoutReplacing(from, to)) {
    const int error = errno;
    Status failed = Fail(from);
    errno = error;  // callers tell the user why
    return failed;
  }
  return {};
}

Status RenameReplace(const std::string& from, const std::string& to) {
  if (ShouldFail(FileOp::Rename, to) || rename(from.c_str(), to.c_str()) != 0) return Fail(to);
  return {};
}

}  // namespace platform
