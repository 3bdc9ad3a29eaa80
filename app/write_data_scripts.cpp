// ④ "HTMLデータ作成": the data scripts of the gallery. Counts the photos in
// "Pelvora", reads the first and the last photo's shooting date and the first
// photo's camera model, writes "other.js" and "filename.js", and renumbers the
// titles and memos of "title.js" and "note.js" after the photo list: each
// follows its photo by name, and the top photo too. Texts of photos no longer
// listed are dropped only after the old files went into a backup folder. A
// gallery without "colordata.js" gets one with the colours in force.
#include <algorithm>
#include <string>
#include <vector>

#include "app/annotation_carry.h"
#include "app/gallery_backup.h"
#include "app/gallery_editor_dlg.h"
#include "app/gallery_file_replace.h"
#include "app/photo_name_list.h"
#include "app/startup_report.h"
#include "app/wait_cursor.h"
#include "exif/exif_reader.h"
#include "platform/jpg_listing.h"
#include "platform/raw_file.h"
#include "platform/text_file.h"
#include "site/data_scripts.h"
#include "site/photo_facts.h"
#include "texts/app_texts.h"
#include "texts/editor_texts.h"
#include "texts/kept_texts.h"
#include "texts/site_texts.h"

namespace {

// Loads photo `number` and finds its Exif block; fails with the message that
// stops the run.
platform::Status ReadPhoto(ExifReader& reader, const SharedState& state, int number) {
  // A number beyond the names listed last names no photo: it cannot be opened.
  if (number < 1 || number > state.listedPhotos ||
      static_cast<std::size_t>(number) >= state.photoList.size() || state.photoList[number].empty())
    return platform::Fail(txt::kNotRenamed);
  if (!reader.Load(std::string(paths::kPhotoDir) + "/" + state.photoList[number]))
    return platform::Fail(txt::kNotRenamed);
  if (!reader.FindExifBlock())
    return platform::Fail(txt::kNoExifInfo + PhotoNameList({state.photoList[number]}));
  return {};
}

// The files ④ rewrites, copied before it drops a text.
const std::vector<std::string> kRewrittenFiles = {paths::kOtherScript, paths::kFileNameScript,
                                                  paths::kMemoFile, paths::kTitleFile,
                                                  paths::kTopPhotoFile};

// The completion note, with how many photos' texts were kept or backed up.
std::string CompletionNote(const CarriedAnnotations& carried, const std::string& backup) {
  std::string note = txt::kDataDone;
  if (carried.kept > 0) note += txt::kKeptHead + std::to_string(carried.kept) + txt::kKeptTail;
  if (carried.dropped > 0) {
    note += txt::kBackedUpHead + std::to_string(carried.dropped) + txt::kBackedUpMiddle + backup +
            txt::kBackedUpTail;
  }
  return note;
}

}  // namespace

void CGalleryEditorDlg::OnHtmlData() {
  state_.abortFlag = 0;
  if (platform::Status names = CheckLinkSafeNames(); !names) {
    StopWithError(names.error());
    return;
  }
  site::GallerySummary summary;
  summary.folderCount = static_cast<int>(platform::ListJpg(paths::kPhotoDir).size());
  platform::Status outcome;
  CarriedAnnotations carried;
  std::string backup;
  {
    WaitCursor wait(ui_);
    ExifReader reader;
    outcome = ReadPhoto(reader, state_, 1);
    if (outcome) {
      summary.model = site::ModelText(reader);
      summary.firstDate = site::ShootingDateText(reader);
      outcome = ReadPhoto(reader, state_, summary.folderCount);
    }
    if (outcome) summary.lastDate = site::ShootingDateText(reader);

    // The files are renumbered from what they hold; a stopped run leaves the
    // tables as they are.
    DataTables files = state_.tables;
    if (outcome) carried = CarryAnnotations(ReadPreviousAnnotations(), state_, files);
    if (outcome && carried.dropped > 0) {
      auto folder = BackUpGalleryFiles(kRewrittenFiles);
      if (folder) {
        backup = *folder;
      } else {
        outcome = platform::Fail(txt::kBackupFailedPrefix + folder.error());
      }
    }
    if (outcome) {
      platform::Status written = WriteDataScripts(summary, files);
      if (written && carried.topPhoto) written = WriteTopPhoto(*carried.topPhoto);
      if (!written) outcome = platform::Fail(WriteFailureMessage(written.error()));
      // The tables follow the files, with what was registered and not saved on top.
      state_.tables.title = files.title;
      state_.tables.memo = files.memo;
      ApplyUnsavedTexts(state_, state_.tables);
    }
  }
  // More thumbnails than photos: the numbers without a photo got an empty file name.
  if (outcome && state_.photoCount > state_.listedPhotos) {
    std::vector<std::string> numbers;
    for (int n = state_.listedPhotos + 1; n <= std::min(state_.photoCount, kMaxPhotos); ++n)
      numbers.push_back(txt::kNumberLabelPrefix + std::to_string(n));
    ShowError(txt::kNoPhotoForNumbersHead + JoinNames(numbers) + txt::kNoPhotoForNumbersTail);
  }
  EndStep(outcome, CompletionNote(carried, backup).c_str());
}

// Each file is replaced whole or not at all; the first that cannot be written
// is named and the step stops there.
platform::Status CGalleryEditorDlg::WriteDataScripts(const site::GallerySummary& summary,
                                                     const DataTables& tables) {
  const std::pair<const char*, std::string> files[] = {
      {paths::kOtherScript, site::OtherScriptText(summary)},
      {paths::kFileNameScript,
       site::FileNameScriptText(state_.photoList, state_.photoCount, state_.listedPhotos)},
      {paths::kMemoFile, MemoFileText(tables, state_.photoCount)},
      {paths::kTitleFile, TitleFileText(tables, state_.photoCount)},
  };
  for (const auto& [path, text] : files)
    if (platform::Status written = platform::ReplaceTextFile(path, text); !written) return written;
  // Every generated page paints itself in the colours of "colordata.js":
  // without it their scripts stop and the pages stay blank. A gallery whose
  // colours were never saved gets the colours in force, which are the
  // defaults; an existing file is never touched.
  if (!platform::IsRegularFile(paths::kColourFile)) {
    DataTables colours;
    colours.colour = state_.tables.colour;
    if (colours.colour[0].empty()) FillDefaultColours(colours);
    return platform::ReplaceTextFile(paths::kColourFile, ColourFileText(colours));
  }
  return {};
}
