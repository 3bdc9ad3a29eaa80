#include "app/picture_thumbnails.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>

#include "picture/thumbnail_maker.h"
#include "platform/raw_file.h"
#include "texts/app_texts.h"
#include "texts/picture_texts.h"

namespace {

// What became of one job.
struct Outcome {
  enum Kind { kMade, kEmpty, kGivenUp, kUnwritten } kind = kMade;
  std::string reason;  // why a thumbnail is empty
};

// An empty thumbnail for a photo that cannot be read or decoded keeps its
// number in the gallery. A photo given up on the user's stop leaves no file.
Outcome MakeOne(ThumbnailMaker& maker, const PictureThumbnailJob& job,
                const std::atomic<bool>& givenUp) {
  platform::Result<JpegBytes> thumbnail = platform::Fail(txt::kReadError);
  try {
    if (auto photo = platform::ReadHead(job.photoPath, kMaxPhotoFileBytes))
      thumbnail = maker.FromPicture(*photo, job.orientation);
  } catch (const std::bad_alloc&) {
    thumbnail = platform::Fail(txt::kPictureTooLarge);
  }
  if (!thumbnail && givenUp) return {Outcome::kGivenUp, {}};
  const JpegBytes none;
  const JpegBytes& bytes = thumbnail ? *thumbnail : none;
  if (!platform::WriteOwnFile(job.thumbnailPath, bytes.data(), bytes.size()))
    return {Outcome::kUnwritten, {}};
  if (!thumbnail) return {Outcome::kEmpty, thumbnail.error()};
  return {};
}

}  // namespace

platform::Result<std::vector<EmptyThumbnail>> MakePictureThumbnails(
    const std::vector<PictureThumbnailJob>& jobs,
    const std::function<bool(int finished)>& progress) {
  std::vector<Outcome> outcomes(jobs.size());
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t threads = jobs.size() < kParallelPictureJobs || cores < 2 ? 1 : 2;

  // The threads start a photo only when this thread lets them: it asks the
  // progress callback first, then lets each thread start one photo beyond
  // those finished. So a stop holds before the first photo and between any
  // two; while photos are made it asks again at least every interval, and a
  // stop then gives them up inside the decoder.
  std::atomic<bool> givenUp{false};
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0, allowed = 0, finished = 0;  // guarded by mutex
  bool stop = false;                                // likewise
  auto work = [&] {
    ThumbnailMaker maker(&givenUp);
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      changed.wait(lock, [&] { return stop || next < allowed || next == jobs.size(); });
      if (stop || next == jobs.size()) return;
      const std::size_t i = next++;
      lock.unlock();
      Outcome outcome = MakeOne(maker, jobs[i], givenUp);
      lock.lock();
      if (outcome.kind == Outcome::kUnwritten) stop = true;
      outcomes[i] = std::move(outcome);
      ++finished;
      changed.notify_all();
    }
  };
  std::vector<std::thread> pool;
  for (std::size_t t = 0; t < threads; ++t) pool.emplace_back(work);
  bool goOn = true;
  std::unique_lock<std::mutex> lock(mutex);
  while (!stop && finished < jobs.size()) {
    const std::size_t count = finished;
    lock.unlock();
    goOn = progress(static_cast<int>(count));
    lock.lock();
    if (!goOn) {
      givenUp = true;
      break;
    }
    allowed = std::min(jobs.size(), count + threads);
    changed.notify_all();
    changed.wait_for(lock, std::chrono::milliseconds(kProgressIntervalMs),
                     [&] { return stop || finished != count; });
  }
  stop = true;  // whatever ended the loop, no further photo starts
  changed.notify_all();
  lock.unlock();
  for (std::thread& t : pool) t.join();

  std::vector<EmptyThumbnail> empty;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    if (outcomes[i].kind == Outcome::kUnwritten)
      return platform::Fail(txt::kCannotWritePrefix + jobs[i].thumbnailPath);
    if (outcomes[i].kind == Outcome::kEmpty) empty.push_back({i, outcomes[i].reason});
  }
  if (goOn && finished == jobs.size()) progress(static_cast<int>(finished));
  return empty;
}
