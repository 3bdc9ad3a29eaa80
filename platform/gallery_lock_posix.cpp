#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/fault_injection.h"
#include "platform/gallery_lock.h"

namespace platform {

GalleryLock::GalleryLock(GalleryLock&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)) {}

GalleryLock& GalleryLock::operator=(GalleryLock&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, -1);
  }
  return *this;
}

GalleryLock::~GalleryLock() { Release(); }

void GalleryLock::Release() {
  if (handle_ >= 0) close(static_cast<int>(std::exchange(handle_, -1)));
}

GalleryLock::State GalleryLock::Take(const std::string& galleryRoot) {
  Release();
  if (ShouldFail(FileOp::Lock, galleryRoot)) {
    return errno == EWOULDBLOCK ? State::kHeldElsewhere : State::kUnavailable;
  }
  // A lock on the folder's own open file description: one per open, so a
  // second editor is refused even inside the same process.
  const int fd = open(galleryRoot.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return State::kUnavailable;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool elsewhere = errno == EWOULDBLOCK;
    close(fd);
    return elsewhere ? State::kHeldElsewhere : State::kUnavailable;
  }
  handle_ = fd;
  return State::kHeld;
}

}  // namespace platform
