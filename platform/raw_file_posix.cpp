#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/fault_injection.h"
#include "platform/raw_file.h"

namespace platform {
namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  void Reset(int fd) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }
  int Release() { return std::exchange(fd_, -1); }
  bool Close() {
    int fd = fd_;
    fd_ = -1;
    return close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

// Opens a regular file for reading: a folder, a pipe or a device is a file
// that cannot be opened (and a pipe must not block). Gives its size too.
std::optional<std::size_t> OpenRegular(const std::string& path, Fd& fd) {
  if (ShouldFail(FileOp::Open, path)) return std::nullopt;
  fd.Reset(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return std::nullopt;
  struct stat st;
  if (fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (ShouldFail(FileOp::Read, path)) return std::nullopt;
  return static_cast<std::size_t>(st.st_size);
}

// Fills data[got, size) from the file until it ends; the new count of bytes.
std::optional<std::size_t> ReadUpTo(int fd, std::uint8_t* data, std::size_t got, std::size_t size) {
  while (got < size) {
    ssize_t n = read(fd, data + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got;
}

}  // namespace

Result<Bytes> ReadHead(const std::string& path, std::size_t max) {
  Fd fd(-1);
  auto size = OpenRegular(path, fd);
  if (!size) return Fail(path);
  // Room for what the file holds now, not for max: text files are read with a
  // generous max, and zero-filling megabytes for every read is slow.
  Bytes data(std::min(max, *size));
  std::size_t got = 0;
  while (true) {
    auto now = ReadUpTo(fd.get(), data.data(), got, data.size());
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
  Fd fd(-1);
  if (!OpenRegular(path, fd)) return Fail(path);
  return RawReader(path, fd.Release());
}

RawReader& RawReader::operator=(RawReader&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    path_ = std::move(other.path_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

RawReader::~RawReader() {
  if (fd_ >= 0) close(fd_);
}

Result<std::size_t> RawReader::Read(std::span<std::uint8_t> buffer) {
  auto got = ReadUpTo(fd_, buffer.data(), 0, buffer.size());
  if (!got) return Fail(path_);
  return *got;
}

Status WriteRaw(const std::string& path, const std::uint8_t* data, std::size_t size) {
  if (ShouldFail(FileOp::Open, path)) return Fail(path);
  Fd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (fd.get() < 0) return Fail(path);
  if (ShouldFail(FileOp::Write, path)) return Fail(path);
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = write(fd.get(), data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Fail(path);
    done += static_cast<std::size_t>(n);
  }
  if (!fd.Close()) return Fail(path);
  return {};
}

namespace {

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Opens path for writing without following a link at it. A link, or a file
// that other names share (a hard link to a photo), is removed first and a new
// file made in its place; a folder, pipe or device is refused. oldSize is the
// size of the file opened (0 for a new one).
int OpenOwnFile(const std::string& path, off_t& oldSize) {
  oldSize = 0;
  // Steps are run again and again: the file is there more often than not.
  constexpr int kExisting = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  int fd = open(path.c_str(), kExisting);
  if (fd < 0 && errno == ENOENT) {
    // A new file needs no checks (a missing folder gives ENOENT again).
    fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
    fd = open(path.c_str(), kExisting);  // made meanwhile: judged as any other
  }
  if (fd < 0 && errno != ELOOP) return -1;
  if (fd >= 0) {
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      close(fd);
      errno = EINVAL;
      return -1;
    }
    if (st.st_nlink <= 1) {
      oldSize = st.st_size;
      return fd;
    }
    close(fd);
  }
  if (unlink(path.c_str()) != 0) return -1;
  return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

}  // namespace

Result<Written> WriteOwnFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
  const bool injected = ShouldFail(FileOp::Open, path);
  off_t oldSize = 0;
  Fd fd(injected ? -1 : OpenOwnFile(path, oldSize));
  if (fd.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return Written::kNoFolder;
    return Fail(path);
  }
  // Written over the old bytes, and cut only where it was longer: a step run
  // again rewrites thousands of pages of the same size.
  const bool written =
      !ShouldFail(FileOp::Write, path) && WriteAll(fd.get(), data, size) &&
      (oldSize <= static_cast<off_t>(size) || ftruncate(fd.get(), static_cast<off_t>(size)) == 0);
  if (written && fd.Close()) return Written::kFile;
  // A file cut short (a full disk) must not pass for a whole one.
  fd.Reset(-1);
  unlink(path.c_str());
  return Fail(path);
}

}  // namespace platform
