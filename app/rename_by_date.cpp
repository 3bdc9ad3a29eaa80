// ① Renames every photo in "Pelvora" after its shooting date and time.
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>

#include "app/gallery_editor_dlg.h"
#include "app/heif_conversion.h"
#include "app/photo_name_list.h"
#include "app/rename_plan.h"
#include "app/wait_cursor.h"
#include "exif/date_name.h"
#include "exif/exif_reader.h"
#include "picture/heif_photo.h"
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

// Why the file system refused a rename, in the user's words.
std::string RefusalReason(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return txt::kReasonNoPermission;
    case EROFS:
      return txt::kReasonReadOnly;
    case EEXIST:
    case ENOTEMPTY:
      return txt::kReasonNameTaken;
    case ENOENT:
      return txt::kReasonMissing;
    case ENOSPC:
      return txt::kReasonDiskFull;
    default:
      return txt::kReasonErrorNumber + std::to_string(error);
  }
}

const char* ProblemMessage(RenameProblem problem) {
  switch (problem) {
    case RenameProblem::kUnreadable:
      return txt::kUnreadablePhotos;
    case RenameProblem::kNoExifBlock:
      return txt::kNoExifBlock;
    default:
      return txt::kNoShootingDate;
  }
}

}  // namespace

void CGalleryEditorDlg::OnRenameByDate() {
  state_.abortFlag = 0;

  RenameListing listing = ListForRename(paths::kPhotoDir);
  std::optional<HeifConversion> heif = ConvertHeifFirst(listing);
  if (!heif) return;  // stopped by the user: nothing is renamed
  std::vector<std::string> listed = listing.photos;
  listed.insert(listed.end(), heif->kept.begin(), heif->kept.end());
  std::sort(listed.begin(), listed.end());
  if (platform::Status taken = TakePhotoList(listed); !taken) {
    StopWithError(taken.error());
    return;
  }
  const int n = state_.listedPhotos;

  const std::string dir = std::string(paths::kPhotoDir) + "/";
  platform::Status outcome;
  {
    WaitCursor wait(ui_);
    ExifReader reader;
    // Every photo is read before any is renamed; one that cannot be read is
    // named, and nothing is renamed.
    std::vector<ReadPhoto> photos;
    for (int i = 1; i <= n; ++i) {
      // Stopped by the user while reading: nothing is renamed.
      if (!ui_.Progress(i - 1, n)) return;
      ReadPhoto photo;
      photo.name = state_.photoList[i];
      // A HEIF photo that stayed counts as a photo without an Exif block.
      if (IsHeifName(photo.name)) {
        photo.readable = true;
        photos.push_back(std::move(photo));
        continue;
      }
      photo.readable = reader.Load(dir + photo.name);
      photo.exifBlock = photo.readable && reader.FindExifBlock();
      if (photo.exifBlock) photo.newName = NewPhotoName(reader);
      photos.push_back(std::move(photo));
    }
    ui_.Progress(n, n);

    RenamePlan plan =
        PlanRenames(photos, [&dir](const std::string& name) { return NameTaken(dir + name); });
    if (!listing.heif.empty() && !HeifSupported()) {
      // This system cannot turn them into JPEGs: renaming the other photos
      // would leave them out of the gallery unnoticed.
      outcome = platform::Fail(txt::kHeifNotConvertible + PhotoNameList(listing.heif));
    } else if (plan.problem != RenameProblem::kNone) {
      outcome = platform::Fail(ProblemMessage(plan.problem) + PhotoNameList(plan.named));
    } else {
      const std::vector<RenameOutcome> outcomes = CarryOutRenames(dir, plan.moves);
      std::map<std::string, std::string> renamed;
      // A rename the file system refused (a read-only medium, a folder the user
      // may not write, a name taken meanwhile): those photos stay where they
      // are, under their old or their temporary name, and the first is named.
      for (std::size_t m = 0; m < plan.moves.size(); ++m) {
        renamed[plan.moves[m].from] = outcomes[m].name;
        if (outcomes[m].name != plan.moves[m].to && outcome)
          outcome =
              platform::Fail(txt::kCannotRenamePrefix + plan.moves[m].from + txt::kReasonOpen +
                             RefusalReason(outcomes[m].error) + txt::kReasonClose);
      }
      for (std::size_t i = 0; i < photos.size(); ++i) {
        auto it = renamed.find(photos[i].name);
        if (it != renamed.end()) state_.photoList[i + 1] = it->second;
      }
    }
    std::sort(state_.photoList.begin() + 1, state_.photoList.begin() + 1 + n);
  }
  if (!EndStep(outcome, txt::kRenameDone)) return;
  // The files the gallery leaves out are named last.
  const RenameListing after = ListForRename(paths::kPhotoDir);
  if (!after.others.empty()) ShowNote(txt::kNotPhotos + PhotoNameList(after.others));
  if (!heif->makerNoteDropped.empty())
    ShowNote(txt::kMakerNoteDropped + PhotoNameList(heif->makerNoteDropped));
}
