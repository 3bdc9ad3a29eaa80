// Windows cannot lock a folder: the lock is a hidden file in the gallery's
// root, opened with no sharing at all, so a second open fails while the first
// handle lives, and deleted by the system with its last handle, however the
// process ends.
#include <windows.h>

#include <cerrno>
#include <utility>

#include "platform/fault_injection.h"
#include "platform/gallery_lock.h"
#include "platform/wide_text.h"

namespace platform {
namespace {

constexpr char kLockFileName[] = "vornami.lock";

HANDLE ToHandle(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

}  // namespace

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
  // INVALID_HANDLE_VALUE is -1 too.
  if (handle_ != -1) CloseHandle(ToHandle(std::exchange(handle_, -1)));
}

GalleryLock::State GalleryLock::Take(const std::string& galleryRoot) {
  Release();
  if (ShouldFail(FileOp::Lock, galleryRoot)) {
    return errno == EWOULDBLOCK ? State::kHeldElsewhere : State::kUnavailable;
  }
  const std::wstring path = WidePath(galleryRoot + "/" + kLockFileName);
  // Share mode 0: no other open of the file while this handle lives.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // Anything but another holder (a read-only medium, no such folder) is no
    // reason to stop.
    return GetLastError() == ERROR_SHARING_VIOLATION ? State::kHeldElsewhere : State::kUnavailable;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  return State::kHeld;
}

}  // namespace platform
