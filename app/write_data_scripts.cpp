// ④ "HTMLデータ作成": the data scripts of the gallery. Counts the photos in
// "Pelvora", reads the first and the last photo's shooting date and the first
// photo's camera model, writes "other.js" and "filename.js", and starts the
// titles and memos afresh, in "title.js" and "note.js" and in the tables. A
// gallery without "colordata.js" gets one with the colours in force.
#include <algorithm>
#include <string>
#include <vector>

#include "app/annotation_reset.h"
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

}  // namespace

void CGalleryEditorDlg::OnHtmlData() {
  state_.abortFlag = 0;
  site::GallerySummary summary;
  summary.folderCount = static_cast<int>(platform::ListJpg(paths::kPhotoDir).size());
  platform::Status outcome;
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

    // Titles and memos start afresh in the tables whether or not the run went through.
    ResetAnnotations(state_.tables, state_.photoCount);

    if (outcome) {
      if (platform::Status written = WriteDataScripts(summary); !written)
        outcome = platform::Fail(WriteFailureMessage(written.error()));
    }
  }
  // More thumbnails than photos: the numbers without a photo got an empty file name.
  if (outcome && state_.photoCount > state_.listedPhotos) {
    std::vector<std::string> numbers;
    for (int n = state_.listedPhotos + 1; n <= std::min(state_.photoCount, kMaxPhotos); ++n)
      numbers.push_back(txt::kNumberLabelPrefix + std::to_string(n));
    ShowError(txt::kNoPhotoForNumbersHead + JoinNames(numbers) + txt::kNoPhotoForNumbersTail);
  }
  EndStep(outcome, txt::kDataDone);
}

// Each file is replaced whole or not at all; the first that cannot be written
// is named and the step stops there.
platform::Status CGalleryEditorDlg::WriteDataScripts(const site::GallerySummary& summary) {
  const std::pair<const char*, std::string> files[] = {
      {paths::kOtherScript, site::OtherScriptText(summary)},
      {paths::kFileNameScript,
       site::FileNameScriptText(state_.photoList, state_.photoCount, state_.listedPhotos)},
      {paths::kMemoFile, MemoFileText(state_.tables, state_.photoCount)},
      {paths::kTitleFile, TitleFileText(state_.tables, state_.photoCount)},
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
