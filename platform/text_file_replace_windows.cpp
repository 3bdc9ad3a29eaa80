// Replacing data files safely, and the write protection that keeps a file as
// it is, on Windows.
#include <windows.h>

#include <cerrno>

#include "platform/fault_injection.h"
#include "platform/file_rename.h"
#include "platform/text_file.h"
#include "platform/wide_text.h"

namespace platform {
namespace {

// Whether the user may write the existing file: not marked read-only, and
// the file's permissions let this user open it for writing.
bool MayWrite(const std::string& path, DWORD attributes) {
  if (ShouldFail(FileOp::Open, path)) return errno != EACCES && errno != EROFS;
  if (attributes & FILE_ATTRIBUTE_READONLY) return false;
  HANDLE file = CreateFileW(WidePath(path).c_str(), FILE_WRITE_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() != ERROR_ACCESS_DENIED;
  CloseHandle(file);
  return true;
}

// The attributes of an existing plain file (not a folder); nothing otherwise.
bool FileAttributes(const std::string& path, DWORD& attributes) {
  attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD n = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) || n == 0)
      return false;
    bytes.remove_prefix(n);
  }
  return true;
}

// The temporary file, written whole and on the disk; false when any of it failed.
bool WriteTemporary(const std::string& temp, std::string_view text) {
  if (ShouldFail(FileOp::Open, temp)) return false;
  const std::wstring wide = WidePath(temp);
  DeleteFileW(wide.c_str());  // one left by a replace that was cut short
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = !ShouldFail(FileOp::Write, temp) && WriteAll(file, ToCrLf(text));
  ok = ok && !ShouldFail(FileOp::Sync, temp) && FlushFileBuffers(file);
  return CloseHandle(file) && ok;
}

}  // namespace

bool IsWriteProtected(const std::string& path) {
  DWORD attributes;
  return FileAttributes(path, attributes) && !MayWrite(path, attributes);
}

Status ReplaceTextFile(const std::string& path, std::string_view text) {
  DWORD attributes;
  const bool exists = FileAttributes(path, attributes);
  if (exists && !MayWrite(path, attributes)) return Fail(path);
  const std::string temp = path + std::string(kTemporarySuffix);
  // The move replaces a link at path itself, never what it points to, and
  // returns once the new name is on the disk (MOVEFILE_WRITE_THROUGH).
  if (!WriteTemporary(temp, text) || !RenameReplace(temp, path)) {
    DeleteFileW(WidePath(temp).c_str());
    return Fail(path);
  }
  return {};
}

void RemoveLeftoverTemporaries(const std::string& dir) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileExW(WidePath(dir + "/*").c_str(), FindExInfoBasic, &entry,
                                 FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = Narrow(entry.cFileName);
    if (name.size() > kTemporarySuffix.size() &&
        name.compare(name.size() - kTemporarySuffix.size(), std::string::npos, kTemporarySuffix) ==
            0 &&
        !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      DeleteFileW(WidePath(dir + "/" + name).c_str());
  } while (FindNextFileW(find, &entry));
  FindClose(find);
}

}  // namespace platform
