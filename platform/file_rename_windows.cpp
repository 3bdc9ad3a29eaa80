#include <windows.h>

#include <cerrno>

#include "platform/fault_injection.h"
#include "platform/file_rename.h"
#include "platform/wide_text.h"

namespace platform {
namespace {

// The errno a POSIX rename would have set, which callers read to tell a name
// taken from other refusals.
int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return EEXIST;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

}  // namespace

Status RenameNoReplace(const std::string& from, const std::string& to) {
  if (ShouldFail(FileOp::Rename, from)) return Fail(from);
  const std::wstring source = WidePath(from);
  if (from == to) {
    if (GetFileAttributesW(source.c_str()) == INVALID_FILE_ATTRIBUTES) {
      errno = ErrnoOf(GetLastError());
      return Fail(from);
    }
    return {};
  }
  // Without MOVEFILE_REPLACE_EXISTING the move fails on an existing target.
  if (!MoveFileExW(source.c_str(), WidePath(to).c_str(), 0)) {
    errno = ErrnoOf(GetLastError());
    return Fail(from);
  }
  return {};
}

Status RenameReplace(const std::string& from, const std::string& to) {
  if (ShouldFail(FileOp::Rename, to)) return Fail(to);
  // WRITE_THROUGH returns once the rename is on the disk.
  if (!MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Fail(to);
  return {};
}

}  // namespace platform
