#include <windows.h>

#include "platform/fault_injection.h"
#include "platform/synced_file.h"
#include "platform/wide_text.h"

namespace platform {

Status WriteSyncedNewFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  if (ShouldFail(FileOp::Open, path)) return Fail(path);
  const std::wstring wide = WidePath(path);
  // CREATE_NEW never opens what is there, a link included.
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return Fail(path);
  bool ok = !ShouldFail(FileOp::Write, path);
  for (std::size_t done = 0; ok && done < size;) {
    const DWORD want = static_cast<DWORD>(size - done < (1u << 30) ? size - done : (1u << 30));
    DWORD n = 0;
    ok = WriteFile(file, data + done, want, &n, nullptr) && n > 0;
    done += n;
  }
  ok = ok && !ShouldFail(FileOp::Sync, path) && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  if (!ok) {
    DeleteFileW(wide.c_str());
    return Fail(path);
  }
  return {};
}

void SyncFolder(const std::string& dir) {
  // The folder's entries reach the disk with its buffers; where the system
  // does not allow it (not every file system does), the renames were made
  // anyway.
  HANDLE folder = CreateFileW(WidePath(dir).c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return;
  FlushFileBuffers(folder);
  CloseHandle(folder);
}

Status MakeFolder(const std::string& dir) {
  if (ShouldFail(FileOp::Write, dir)) return Fail(dir);
  const std::wstring wide = WidePath(dir);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return {};
  // A folder that is there already will do; a junction or a file will not.
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  const bool folder = attributes != INVALID_FILE_ATTRIBUTES &&
                      (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                      !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  if (folder) return {};
  return Fail(dir);
}

}  // namespace platform
