// Fuzz target: the editor's data files as start-up loads them, and what the
// editor then does with each line: extract the theme, titles, memos and
// colours, show them (Shift-JIS to UTF-8), register them back unchanged and
// compose the files a save writes.
//
// Input: two bytes of photo count (little-endian, low 10 bits), one byte whose
// low four bits say which of subject.js, title.js, note.js and colordata.js
// exist, then the contents of the existing files in that order, separated by
// the four bytes FF FF FF FF (missing parts are empty files).
#include "app/data_tables.h"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

#include "app/annotation_text.h"
#include "app/line_rules.h"
#include "fuzz/data_tables_input.h"
#include "fuzz/fuzz_target.h"
#include "platform/encoding.h"

namespace {

// A line as a line buffer of bufferSize bytes holds it.
void CheckLine(const std::string& line, std::size_t bufferSize) {
  FUZZ_CHECK(line.size() <= bufferSize - 1);
  FUZZ_CHECK(line.find('\0') == std::string::npos);
}

// Shown in its edit, then registered unchanged: a text that registers comes
// back as it was shown. Each value is checked once per field and prefix
// length: most lines of a large gallery repeat the same default.
using Checked = std::set<std::tuple<annotation::Field, std::size_t, std::string>>;
void ShowAndRegister(Checked& checked, annotation::Field field, const std::string& value, int n) {
  if (!checked.emplace(field, std::to_string(n).size(), value).second) return;
  const std::string shown = platform::SjisToUtf8(value);
  auto line = annotation::ComposeFromEdit(field, shown, n);
  if (!line) return;
  const std::size_t bufferSize =
      field == annotation::Field::kMemo ? lines::kMemoLineSize : lines::kLineSize;
  CheckLine(*line, bufferSize);
  const std::size_t prefixLength = line->find('"') + 1;
  const std::string back = field == annotation::Field::kMemo
                               ? lines::ExtractMemo(*line, prefixLength)
                               : lines::Extract(*line, prefixLength);
  FUZZ_CHECK(platform::SjisToUtf8(back) == shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::DataFilesInput input = fuzz::SplitDataFilesInput(data, size);

  DataTables t;
  LoadDataTables(t, input.photoCount, [&](const char* path) { return input.Open(path); });
  FUZZ_CHECK(t.annotationsLoaded && t.coloursLoaded);
  for (const auto& line : t.subject) CheckLine(line, lines::kLineSize);
  for (const auto& line : t.title) CheckLine(line, lines::kLineSize);
  for (const auto& line : t.memo) CheckLine(line, lines::kMemoLineSize);
  for (const auto& line : t.colour) CheckLine(line, lines::kLineSize);

  using annotation::Field;
  Checked checked;
  ShowAndRegister(checked, Field::kTheme,
                  lines::Extract(t.subject[2], lines::SubjectPrefix().size()), 1);
  const int photos = std::min(input.photoCount, kMaxPhotos);
  // Every line start-up keeps has its line's form, so a save writes scripts that parse.
  for (int i = 0; i < 3; ++i) FUZZ_CHECK(SubjectLineOk(i, t.subject[i]));
  for (int i = 0; i < photos + kHeaderLines; ++i) {
    FUZZ_CHECK(TitleLineOk(i, t.title[i]));
    FUZZ_CHECK(MemoLineOk(i, t.memo[i]));
  }
  for (int i = 0; i < 9; ++i) FUZZ_CHECK(ColourLineOk(i, t.colour[i]));
  for (int n = 1; n <= photos; ++n) {
    ShowAndRegister(checked, Field::kTitle,
                    lines::Extract(t.title[n + 2], lines::TitlePrefix(n).size()), n);
    ShowAndRegister(checked, Field::kMemo,
                    lines::ExtractMemo(t.memo[n + 2], lines::MemoPrefix(n).size()), n);
  }
  for (const auto& value : t.colourValues) platform::SjisToUtf8(value);

  SubjectFileText(t);
  TitleFileText(t, input.photoCount);
  MemoFileText(t, input.photoCount);
  ColourFileText(t);
  return 0;
}
