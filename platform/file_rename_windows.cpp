#include <windows.h>

#include "platform/fault_injection.h"
#include "platform/file_rename.h"
#include "platform/wide_text.h"

namespace platform {

Status RenameNoReplace(const std::string& from, const std::string& to) {
  if (ShouldFail(FileOp::Rename, from)) return Fail(from);
  const std::wstring source = WidePath(from);
  if (from == to) {
    if (GetFileAttributesW(source.c_str()) == INVALID_FILE_ATTRIBUTES) return Fail(from);
    return {};
  }
  // Without MOVEFILE_REPLACE_EXISTING the move fails on an existing target.
  if (!MoveFileExW(source.c_str(), WidePath(to).c_str(), 0)) return Fail(from);
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
