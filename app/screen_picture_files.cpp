#include "app/screen_picture_files.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "app/picture_thumbnails.h"
#include "app/two_thread_jobs.h"
#include "exif/exif_reader.h"
#include "picture/screen_pictures.h"
#include "platform/jpg_listing.h"
#include "platform/raw_file.h"
#include "platform/text_file.h"
#include "site/data_scripts.h"
#include "site/gallery_paths.h"
#include "texts/app_texts.h"

namespace fs = std::filesystem;

namespace {

using Times = std::vector<std::pair<std::string, fs::file_time_type>>;

std::string In(const char* dir, const std::string& name) { return std::string(dir) + "/" + name; }

// Every "*.jpg" of the folder with its modification time, in ascending name order.
Times ListWithTimes(const char* dir) {
  Times times;
  for (std::string& name : platform::ListJpg(dir)) {
    std::error_code ec;
    const fs::file_time_type t = fs::last_write_time(In(dir, name), ec);
    if (!ec) times.emplace_back(std::move(name), t);
  }
  return times;
}

const fs::file_time_type* Find(const Times& times, const std::string& name) {
  auto it =
      std::lower_bound(times.begin(), times.end(), name,
                       [](const auto& entry, const std::string& n) { return entry.first < n; });
  return it != times.end() && it->first == name ? &it->second : nullptr;
}

bool Listed(const std::vector<std::string>& photos, const std::string& name) {
  return std::binary_search(photos.begin(), photos.end(), name);
}

struct Job {
  std::string name;
  int orientation = 1;
};

// False when a file could not be written (the path in unwritten).
bool MakeOne(ThumbnailMaker& maker, const Job& job, std::string& unwritten) {
  ScreenPictures made;
  if (auto photo = platform::ReadHead(In(paths::kPhotoDir, job.name), kMaxPhotoFileBytes))
    made = MakeScreenPictures(maker, *photo, job.orientation);
  const std::string screen = In(paths::kScreenDir, job.name);
  if (made.screen.empty()) {
    std::error_code ec;
    fs::remove(screen, ec);  // one left from an earlier, larger photo of this name
  } else if (platform::WriteOwnFile(screen, made.screen.data(), made.screen.size()) !=
             platform::Written::kFile) {
    unwritten = screen;
    return false;
  }
  // The tile last: it marks the photo done.
  const std::string tile = In(paths::kTileDir, job.name);
  if (platform::WriteOwnFile(tile, made.tile.data(), made.tile.size()) !=
      platform::Written::kFile) {
    unwritten = tile;
    return false;
  }
  return true;
}

}  // namespace

ScreenPicturePlan PlanScreenPictures(const std::vector<std::string>& photos) {
  ScreenPicturePlan plan;
  const Times tiles = ListWithTimes(paths::kTileDir);
  const Times screens = ListWithTimes(paths::kScreenDir);
  for (const std::string& name : photos) {
    std::error_code ec;
    const fs::file_time_type photoTime = fs::last_write_time(In(paths::kPhotoDir, name), ec);
    const fs::file_time_type* tile = Find(tiles, name);
    const fs::file_time_type* screen = Find(screens, name);
    const bool done = !ec && tile && *tile >= photoTime && (!screen || *screen >= photoTime);
    if (!done) plan.toMake.push_back(name);
  }
  for (const Times* made : {&tiles, &screens})
    for (const auto& [name, time] : *made)
      if (!Listed(photos, name))
        plan.stale.push_back(In(made == &tiles ? paths::kTileDir : paths::kScreenDir, name));
  return plan;
}

platform::Status UpdateScreenPictures(UiPort& ui) {
  std::vector<std::string> photos = platform::ListJpg(paths::kPhotoDir);
  std::error_code ec;
  // A gallery laid out before tiles and screen copies has no folders for them yet.
  for (const char* dir : {paths::kTileDir, paths::kScreenDir}) fs::create_directory(dir, ec);

  const ScreenPicturePlan plan = PlanScreenPictures(photos);
  for (const std::string& path : plan.stale) fs::remove(path, ec);

  std::vector<Job> jobs;
  ExifReader reader;
  for (const std::string& name : plan.toMake) {
    const std::string path = In(paths::kPhotoDir, name);
    jobs.push_back({name, reader.Load(path) && reader.FindExifBlock() ? reader.Orientation() : 1});
  }
  std::vector<std::string> unwritten(jobs.size());
  const int total = static_cast<int>(jobs.size());
  const std::optional<std::size_t> failed = RunOnTwoThreads(
      jobs.size(),
      [&]() -> JobWorker {
        auto maker = std::make_shared<ThumbnailMaker>();  // one per thread
        return [&, maker](std::size_t i) { return MakeOne(*maker, jobs[i], unwritten[i]); };
      },
      [&](int finished) { return ui.Progress(finished, total); });
  if (failed) return platform::Fail(txt::kCannotWritePrefix + unwritten[*failed]);

  std::vector<std::string> copied;
  for (std::string& name : platform::ListJpg(paths::kScreenDir))
    if (Listed(photos, name)) copied.push_back(std::move(name));
  if (!platform::WriteTextFile(paths::kScreenScript, site::ScreenScriptText(copied)))
    return platform::Fail(txt::kCannotWritePrefix + std::string(paths::kScreenScript));
  return {};
}
