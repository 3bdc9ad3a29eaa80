#include "app/picture_thumbnails.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "picture/thumbnail_maker.h"
#include "platform/raw_file.h"
#include "texts/app_texts.h"

namespace {

// False when the thumbnail could not be written.
// An empty thumbnail for a photo that cannot be read or decoded keeps its
// number in the gallery.
bool MakeOne(ThumbnailMaker& maker, const PictureThumbnailJob& job) {
  JpegBytes thumbnail;
  if (auto photo = platform::ReadHead(job.photoPath, kMaxPhotoFileBytes))
    thumbnail = maker.FromPicture(*photo, job.orientation).value_or(JpegBytes());
  return platform::WriteOwnFile(job.thumbnailPath, thumbnail.data(), thumbnail.size()).ok();
}

platform::Status Unwritten(const PictureThumbnailJob& job) {
  return platform::Fail(txt::kCannotWritePrefix + job.thumbnailPath);
}

platform::Status FirstUnwritten(const std::vector<PictureThumbnailJob>& jobs,
                                const std::vector<char>& unwritten) {
  for (std::size_t i = 0; i < jobs.size(); ++i)
    if (unwritten[i]) return Unwritten(jobs[i]);
  return {};
}

}  // namespace

platform::Status MakePictureThumbnails(const std::vector<PictureThumbnailJob>& jobs,
                                       const std::function<bool(int finished)>& progress) {
  std::vector<char> unwritten(jobs.size(), 0);  // one per job, each set by one thread
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  if (jobs.size() < kParallelPictureJobs || cores < 2) {
    ThumbnailMaker maker;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
      if (!progress(static_cast<int>(i))) return {};
      if (!MakeOne(maker, jobs[i])) return Unwritten(jobs[i]);
    }
    progress(static_cast<int>(jobs.size()));
    return {};
  }

  // The two threads start a photo only when this thread lets them: it asks
  // the progress callback first, then lets each thread start one photo beyond
  // those finished. So a stop holds before the first photo and between any
  // two, as on one thread.
  constexpr std::size_t kThreads = 2;
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0, allowed = 0, finished = 0;  // guarded by mutex
  bool stop = false;                                // likewise
  auto work = [&] {
    ThumbnailMaker maker;
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      changed.wait(lock, [&] { return stop || next < allowed || next == jobs.size(); });
      if (stop || next == jobs.size()) return;
      const std::size_t i = next++;
      lock.unlock();
      const bool written = MakeOne(maker, jobs[i]);
      lock.lock();
      if (!written) {
        unwritten[i] = 1;
        stop = true;
      }
      ++finished;
      changed.notify_all();
    }
  };
  std::thread helper(work);
  std::thread second(work);
  bool goOn = true;
  std::unique_lock<std::mutex> lock(mutex);
  while (!stop && finished < jobs.size()) {
    const std::size_t count = finished;
    lock.unlock();
    goOn = progress(static_cast<int>(count));
    lock.lock();
    if (!goOn) break;
    allowed = std::min(jobs.size(), count + kThreads);
    changed.notify_all();
    changed.wait_for(lock, std::chrono::milliseconds(50),
                     [&] { return stop || finished != count; });
  }
  stop = true;  // whatever ended the loop, no further photo starts
  changed.notify_all();
  lock.unlock();
  helper.join();
  second.join();
  if (goOn && finished == jobs.size()) progress(static_cast<int>(finished));
  return FirstUnwritten(jobs, unwritten);
}
