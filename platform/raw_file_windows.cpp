#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

#include "platform/fault_injection.h"
#include "platform/own_file.h"
#include "platform/raw_file.h"
#include "platform/wide_text.h"

// RawReader keeps its file as an int: Windows handles fit in 32 bits
// (HandleToLong), and INVALID_HANDLE_VALUE is -1 like a closed descriptor.
namespace platform {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~Handle() { Reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  void Reset(HANDLE h = INVALID_HANDLE_VALUE) {
    if (valid()) CloseHandle(h_);
    h_ = h;
  }
  HANDLE Release() { return std::exchange(h_, INVALID_HANDLE_VALUE); }
  bool Close() { return CloseHandle(Release()) != 0; }

 private:
  HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens a regular file for reading: a folder or a device is a file that
// cannot be opened. Gives its size too.
std::optional<std::size_t> OpenRegular(const std::string& path, Handle& file) {
  if (ShouldFail(FileOp::Open, path)) return std::nullopt;
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open.
  file.Reset(CreateFileW(WidePath(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
  if (ShouldFail(FileOp::Read, path)) return std::nullopt;
  return static_cast<std::size_t>(size.QuadPart);
}

std::optional<std::size_t> ReadUpTo(HANDLE file, std::uint8_t* data, std::size_t got,
                                    std::size_t size) {
  while (got < size) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - got, 1u << 30));
    DWORD n = 0;
    if (!ReadFile(file, data + got, want, &n, nullptr)) return std::nullopt;
    if (n == 0) break;
    got += n;
  }
  return got;
}

bool WriteAll(HANDLE file, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD n = 0;
    if (!WriteFile(file, data, want, &n, nullptr) || n == 0) return false;
    data += n;
    size -= n;
  }
  return true;
}

HANDLE FromInt(int fd) { return LongToHandle(fd); }

}  // namespace

bool IsRegularFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

Result<Bytes> ReadHead(const std::string& path, std::size_t max) {
  Handle file;
  auto size = OpenRegular(path, file);
  if (!size) return Fail(path);
  Bytes data(std::min(max, *size));
  std::size_t got = 0;
  while (true) {
    auto now = ReadUpTo(file.get(), data.data(), got, data.size());
    if (!now) return Fail(path);
    const bool ended = *now < data.size();
    got = *now;
    if (ended || got >= max) break;
    data.resize(std::min(max, std::max<std::size_t>(got * 2, 4096)));  // the file grew
  }
  data.resize(got);
  return data;
}

Result<std::size_t> ReadHeadInto(const std::string& path, std::span<std::uint8_t> buffer) {
  auto file = RawReader::Open(path);
  if (!file) return Fail(path);
  return file->Read(buffer);
}

Result<RawReader> RawReader::Open(const std::string& path) {
  Handle file;
  if (!OpenRegular(path, file)) return Fail(path);
  return RawReader(path, HandleToLong(file.Release()));
}

RawReader& RawReader::operator=(RawReader&& other) noexcept {
  if (this != &other) {
    if (fd_ != -1) CloseHandle(FromInt(fd_));
    path_ = std::move(other.path_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

RawReader::~RawReader() {
  if (fd_ != -1) CloseHandle(FromInt(fd_));
}

Result<std::size_t> RawReader::Read(std::span<std::uint8_t> buffer) {
  auto got = ReadUpTo(FromInt(fd_), buffer.data(), 0, buffer.size());
  if (!got) return Fail(path_);
  return *got;
}

Status WriteRaw(const std::string& path, const std::uint8_t* data, std::size_t size) {
  if (ShouldFail(FileOp::Open, path)) return Fail(path);
  Handle file(CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Fail(path);
  if (ShouldFail(FileOp::Write, path)) return Fail(path);
  if (!WriteAll(file.get(), data, size) || !file.Close()) return Fail(path);
  return {};
}

namespace {

HANDLE CreateNew(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Opens path for writing without following a link or junction at it: such an
// entry, or a file that other names share, is removed first and a new file
// made in its place; a folder or device is refused.
HANDLE OpenOwnFile(const std::wstring& path, bool& created) {
  // A new file is the common case (a first run of a step) and needs no checks.
  HANDLE file = CreateNew(path);
  created = file != INVALID_HANDLE_VALUE;
  if (created || GetLastError() != ERROR_FILE_EXISTS) return file;
  // The entry itself, not what it points to.
  Handle entry(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!entry.valid() || !GetFileInformationByHandle(entry.get(), &info))
    return INVALID_HANDLE_VALUE;
  entry.Reset();
  switch (JudgeExistingEntry(info.dwFileAttributes, info.nNumberOfLinks)) {
    case ExistingEntry::kWriteInPlace:
      return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    case ExistingEntry::kReplace: {
      const bool isFolder = info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
      // A junction goes as a folder does; what it points to stays.
      if (!(isFolder ? RemoveDirectoryW(path.c_str()) : DeleteFileW(path.c_str())))
        return INVALID_HANDLE_VALUE;
      created = true;
      return CreateNew(path);
    }
    case ExistingEntry::kRefuse:
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

Result<Written> WriteOwnFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  const std::wstring wide = WidePath(path);
  bool created = false;
  Handle file;
  if (ShouldFail(FileOp::Open, path)) {
    if (errno == ENOENT) return Written::kNoFolder;
    return Fail(path);
  }
  file.Reset(OpenOwnFile(wide, created));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) return Written::kNoFolder;
    return Fail(path);
  }
  const bool written = !ShouldFail(FileOp::Write, path) && WriteAll(file.get(), data, size);
  if (written && file.Close()) return Written::kFile;
  // A file cut short (a full disk) must not pass for a whole one.
  file.Reset();
  DeleteFileW(wide.c_str());
  return Fail(path);
}

}  // namespace platform
