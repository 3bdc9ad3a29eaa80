#include "app/picture_thumbnails.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "app/thumbnail_maker.h"
#include "platform/raw_file.h"

namespace {

void MakeOne(ThumbnailMaker& maker, const PictureThumbnailJob& job) {
  JpegBytes thumbnail;
  if (auto photo = platform::ReadHead(job.photoPath, kMaxPhotoFileBytes))
    thumbnail = maker.FromPicture(*photo, job.orientation);
  platform::WriteRaw(job.thumbnailPath, thumbnail.data(), thumbnail.size());
}

}  // namespace

bool MakePictureThumbnails(const std::vector<PictureThumbnailJob>& jobs,
                           const std::function<bool(int finished)>& progress) {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  if (jobs.size() < kParallelPictureJobs || cores < 2) {
    ThumbnailMaker maker;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
      if (!progress(static_cast<int>(i))) return false;
      MakeOne(maker, jobs[i]);
    }
    return progress(static_cast<int>(jobs.size()));
  }

  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t finished = 0;  // guarded by mutex
  auto work = [&] {
    ThumbnailMaker maker;
    while (!stop) {
      const std::size_t i = next++;
      if (i >= jobs.size()) break;
      MakeOne(maker, jobs[i]);
      {
        std::lock_guard<std::mutex> lock(mutex);
        ++finished;
      }
      changed.notify_one();
    }
  };
  std::thread helper(work);
  std::thread second(work);
  // This thread reports progress while the two work.
  bool goOn = true;
  std::unique_lock<std::mutex> lock(mutex);
  while (finished < jobs.size()) {
    const std::size_t seen = finished;
    changed.wait_for(lock, std::chrono::milliseconds(50), [&] { return finished != seen; });
    const int count = static_cast<int>(finished);
    lock.unlock();
    goOn = progress(count);
    lock.lock();
    if (!goOn) {
      stop = true;
      break;
    }
  }
  lock.unlock();
  helper.join();
  second.join();
  return goOn;
}
