#include "app/picture_thumbnails.h"

#include <memory>

#include "app/two_thread_jobs.h"
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

}  // namespace

platform::Status MakePictureThumbnails(const std::vector<PictureThumbnailJob>& jobs,
                                       const std::function<bool(int finished)>& progress) {
  const std::optional<std::size_t> unwritten = RunOnTwoThreads(
      jobs.size(),
      [&jobs]() -> JobWorker {
        auto maker = std::make_shared<ThumbnailMaker>();  // one per thread
        return [&jobs, maker](std::size_t i) { return MakeOne(*maker, jobs[i]); };
      },
      progress);
  if (unwritten) return Unwritten(jobs[*unwritten]);
  return {};
}
