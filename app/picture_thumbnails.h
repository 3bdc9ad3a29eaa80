#pragma once
// Thumbnails made from the pictures of many photos. The work is spread over
// up to two threads; each photo's thumbnail depends on that photo alone, so
// the files are the same whatever the order they are finished in.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/result.h"

struct PictureThumbnailJob {
  std::string photoPath;
  std::string thumbnailPath;
  int orientation = 1;
};

// A job whose thumbnail file was written empty, and why (Shift-JIS).
struct EmptyThumbnail {
  std::size_t job = 0;
  std::string reason;
};

// Photo files are read whole, up to this size.
inline constexpr std::size_t kMaxPhotoFileBytes = 256u << 20;

// Writes each job's thumbnail file: the thumbnail made from the picture, or
// an empty file when the photo cannot be read or decoded; a missing folder is
// skipped. Calls progress with the number of jobs finished, on the calling
// thread, before each photo starts and while photos are made (RunOnTwoThreads); when it returns
// false no further photo is started and the photos being made are given up, their files not
// written. The empty thumbnails in the jobs' order, or a failure with the message that names the
// first thumbnail (in the jobs' order) that could not be written.
platform::Result<std::vector<EmptyThumbnail>> MakePictureThumbnails(
    const std::vector<PictureThumbnailJob>& jobs,
    const std::function<bool(int finished)>& progress);
