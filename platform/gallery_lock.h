#pragma once
// One editor per gallery: the dialog and vornami-batch hold this lock on the
// gallery folder for their whole run, so that two of them never write the
// same files. It is advisory and belongs to the process: the system drops it
// when the process ends, however it ends, so a killed editor never leaves the
// gallery locked.
//
// Each platform implements it in a file of its own, chosen by the build:
// gallery_lock_posix.cpp locks the folder itself (flock on the folder, so no
// file appears in the gallery); on Windows a lock file in the folder opened
// for exclusive use with FILE_FLAG_DELETE_ON_CLOSE, gone with its last handle.
#include <cstdint>
#include <string>

namespace platform {

class GalleryLock {
 public:
  enum class State {
    kHeld,           // this process is the gallery's one editor
    kHeldElsewhere,  // another process holds the gallery: do not go on
    kUnavailable,    // the medium cannot be locked (read-only, say): go on without it
  };

  GalleryLock() = default;
  GalleryLock(GalleryLock&& other) noexcept;
  GalleryLock& operator=(GalleryLock&& other) noexcept;
  GalleryLock(const GalleryLock&) = delete;
  GalleryLock& operator=(const GalleryLock&) = delete;
  ~GalleryLock();  // releases the lock

  // Tries once to lock the gallery whose root folder is given; never waits.
  State Take(const std::string& galleryRoot);

 private:
  void Release();
  std::intptr_t handle_ = -1;  // the locked folder's descriptor (a HANDLE on Windows)
};

}  // namespace platform
