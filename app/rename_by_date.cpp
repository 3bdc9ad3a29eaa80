// ① Renames every photo in "Pelvora" after its shooting date and time.
#include <algorithm>
#include <filesystem>
#include <map>

#include "app/gallery_editor_dlg.h"
#include "app/photo_name_list.h"
#include "app/rename_plan.h"
#include "app/wait_cursor.h"
#include "exif/date_name.h"
#include "exif/exif_reader.h"
#include "platform/native_path.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"

namespace {

// The photo's new name, when it has a shooting date that makes a name inside
// "Pelvora"; empty otherwise. Call after FindExifBlock.
std::string NewPhotoName(const ExifReader& reader) {
  std::optional<DateBuffer> date = ReadShootingDate(reader);
  if (!date) return {};
  std::string name = NameFromDate(*date);
  return IsPlainFileName(name) ? name : std::string();
}

bool NameTaken(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::symlink_status(platform::NativePath(path), ec));
}

}  // namespace

void CGalleryEditorDlg::OnRenameByDate() {
  state_.abortFlag = 0;

  if (platform::Status listed = ListPhotosForBatchStep(); !listed) {
    StopWithError(listed.error());
    return;
  }
  const int n = state_.listedPhotos;

  const std::string dir = std::string(paths::kPhotoDir) + "/";
  platform::Status outcome;
  {
    WaitCursor wait(ui_);
    ExifReader reader;
    // Every photo is read before any is renamed. A photo that cannot be opened
    // ends the reading quietly: the photos before it are renamed, the others
    // keep their names, and the completion note follows.
    std::vector<ReadPhoto> photos;
    for (int i = 1; i <= n; ++i) {
      // Stopped by the user while reading: nothing is renamed.
      if (!ui_.Progress(i - 1, n)) return;
      if (!reader.Load(dir + state_.photoList[i])) break;
      ReadPhoto photo{state_.photoList[i], reader.FindExifBlock(), {}};
      if (photo.exifBlock) photo.newName = NewPhotoName(reader);
      photos.push_back(std::move(photo));
    }
    ui_.Progress(n, n);

    RenamePlan plan =
        PlanRenames(photos, [&dir](const std::string& name) { return NameTaken(dir + name); });
    if (plan.problem != RenameProblem::kNone) {
      outcome = platform::Fail(
          (plan.problem == RenameProblem::kNoExifBlock ? txt::kNoExifBlock : txt::kNoShootingDate) +
          PhotoNameList(plan.named));
    } else {
      const std::vector<std::string> finalNames = CarryOutRenames(dir, plan.moves);
      std::map<std::string, std::string> renamed;
      // A rename the folder refused (a name taken meanwhile, say): those photos
      // stay where they are, under their old or their temporary name.
      std::vector<std::string> failed;
      for (std::size_t m = 0; m < plan.moves.size(); ++m) {
        renamed[plan.moves[m].from] = finalNames[m];
        if (finalNames[m] != plan.moves[m].to) failed.push_back(plan.moves[m].from);
      }
      for (std::size_t i = 0; i < photos.size(); ++i) {
        auto it = renamed.find(photos[i].name);
        if (it != renamed.end()) state_.photoList[i + 1] = it->second;
      }
      if (!failed.empty()) outcome = platform::Fail(txt::kNoShootingDate + PhotoNameList(failed));
    }
    std::sort(state_.photoList.begin() + 1, state_.photoList.begin() + 1 + n);
  }
  EndStep(outcome, txt::kRenameDone);
}
