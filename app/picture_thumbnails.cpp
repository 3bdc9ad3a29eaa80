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

// False when the thumbnail could not be written.
bool MakeOne(ThumbnailMaker& maker, const PictureThumbnailJob& job) {
  JpegBytes thumbnail;
  if (auto photo = platform::ReadHead(job.photoPath, kMaxPhotoFileBytes))
    thumbnail = maker.FromPicture(*photo, job.orientation);
  return platform::WriteOwnFile(job.thumbnailPath, thumbnail.data(), thumbnail.size()) !=
         platform::WriteResult::kFailed;
}

std::string FirstUnwritten(const std::vector<PictureThumbnailJob>& jobs,
                           const std::vector<char>& unwritten) {
  for (std::size_t i = 0; i < jobs.size(); ++i)
    if (unwritten[i]) return jobs[i].thumbnailPath;
  return {};
}

}  // namespace

std::string MakePictureThumbnails(const std::vector<PictureThumbnailJob>& jobs,
                                  const std::function<bool(int finished)>& progress) {
  std::vector<char> unwritten(jobs.size(), 0);  // one per job, each set by one thread
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  if (jobs.size() < kParallelPictureJobs || cores < 2) {
    ThumbnailMaker maker;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
      if (!progress(static_cast<int>(i))) return {};
      if (!MakeOne(maker, jobs[i])) return jobs[i].thumbnailPath;
    }
    progress(static_cast<int>(jobs.size()));
    return {};
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
      if (!MakeOne(maker, jobs[i])) {
        unwritten[i] = 1;
        stop = true;
      }
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
  while (finished < jobs.size() && !stop) {
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
  // The two may finish before this thread first looks: report the end once more.
  if (goOn && finished == jobs.size()) progress(static_cast<int>(finished));
  return FirstUnwritten(jobs, unwritten);
}
