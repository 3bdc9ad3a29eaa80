#include "platform/raw_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/fault_injection.h"

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

std::optional<Bytes> ReadHead(const std::string& path, std::size_t max) {
  if (ShouldFail(FileOp::Open, path)) return std::nullopt;
  Fd fd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return std::nullopt;
  struct stat st;
  if (fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (ShouldFail(FileOp::Read, path)) return std::nullopt;
  // Room for what the file holds now, not for max: text files are read with a
  // generous max, and zero-filling megabytes for every read is slow.
  Bytes data(std::min(max, static_cast<std::size_t>(st.st_size)));
  std::size_t got = 0;
  while (true) {
    if (got == data.size()) {
      if (got >= max) break;
      data.resize(std::min(max, std::max<std::size_t>(got * 2, 4096)));  // the file grew
    }
    ssize_t n = read(fd.get(), data.data() + got, data.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  data.resize(got);
  return data;
}

bool WriteRaw(const std::string& path, const std::uint8_t* data, std::size_t size) {
  if (ShouldFail(FileOp::Open, path)) return false;
  Fd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (fd.get() < 0) return false;
  if (ShouldFail(FileOp::Write, path)) return false;
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = write(fd.get(), data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return fd.Close();
}

}  // namespace platform
