#include "app/picture_thumbnails.h"

#include <atomic>
#include <memory>
#include <new>

#include "app/two_thread_jobs.h"
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
  // A stop gives up the photos being made inside the decoder.
  std::atomic<bool> givenUp{false};
  std::vector<Outcome> outcomes(jobs.size());  // one per job, each set by one thread
  const auto newWorker = [&]() -> JobWorker {
    auto maker = std::make_shared<ThumbnailMaker>(&givenUp);
    return [&, maker](std::size_t i) {
      outcomes[i] = MakeOne(*maker, jobs[i], givenUp);
      return outcomes[i].kind != Outcome::kUnwritten;
    };
  };
  if (auto failed = RunOnTwoThreads(jobs.size(), newWorker, progress, &givenUp))
    return platform::Fail(txt::kCannotWritePrefix + jobs[*failed].thumbnailPath);
  std::vector<EmptyThumbnail> empty;
  for (std::size_t i = 0; i < jobs.size(); ++i)
    if (outcomes[i].kind == Outcome::kEmpty) empty.push_back({i, outcomes[i].reason});
  return empty;
}
