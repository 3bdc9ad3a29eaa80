#include "app/data_tables.h"

#include <algorithm>

#include "app/line_rules.h"
#include "platform/text_file.h"
#include "texts/app_texts.h"

namespace {

// One fgets-style read into a line buffer; the buffer holds a C string, so a
// zero byte read from the file ends the line there.
void ReadInto(platform::TextFileReader& file, std::size_t bufferSize, std::string& buffer) {
  std::string line;
  if (!file.ReadLine(bufferSize, line)) return;
  std::size_t zero = line.find('\0');
  if (zero != std::string::npos) line.resize(zero);
  buffer = std::move(line);
}

platform::Result<platform::TextFileReader> OpenFile(const char* path) {
  return platform::TextFileReader::Open(path);
}

void LoadAnnotations(const DataFileOpener& open, const char* path, const char* const* header,
                     std::vector<std::string>& table, std::size_t bufferSize, int photoCount,
                     std::string (*prefix)(int)) {
  auto file = open(path);
  int last = std::min(photoCount, kMaxPhotos) + kHeaderLines;
  if (!file) {
    for (int i = 0; i < kHeaderLines; ++i) table[i] = header[i];
    for (int n = 1; n + 2 < last; ++n) table[n + 2] = lines::Compose(prefix(n), "");
    return;
  }
  for (int i = 0; i < last; ++i) ReadInto(*file, bufferSize, table[i]);
}

}  // namespace

void FillDefaultColours(DataTables& tables) {
  for (int i = 0; i < 9; ++i) tables.colour[i] = txt::kColourDefaults[i];
}

void LoadDataTables(DataTables& tables, int photoCount) {
  LoadDataTables(tables, photoCount, OpenFile);
}

void LoadColourTable(DataTables& tables) { LoadColourTable(tables, OpenFile); }

void LoadDataTables(DataTables& tables, int photoCount, const DataFileOpener& open) {
  if (auto file = open(paths::kSubjectFile)) {
    for (auto& line : tables.subject) ReadInto(*file, lines::kLineSize, line);
  } else {
    tables.subject[0] = txt::kSubjectHeader[0];
    tables.subject[1] = txt::kSubjectHeader[1];
    tables.subject[2] = lines::Compose(lines::SubjectPrefix(), "");
  }
  LoadAnnotations(open, paths::kTitleFile, txt::kTitleHeader, tables.title, lines::kLineSize,
                  photoCount, lines::TitlePrefix);
  LoadAnnotations(open, paths::kMemoFile, txt::kMemoHeader, tables.memo, lines::kMemoLineSize,
                  photoCount, lines::MemoPrefix);
  tables.annotationsLoaded = true;
  LoadColourTable(tables, open);
}

void LoadColourTable(DataTables& tables, const DataFileOpener& open) {
  if (auto file = open(paths::kColourFile)) {
    for (auto& line : tables.colour) ReadInto(*file, lines::kLineSize, line);
  } else {
    FillDefaultColours(tables);
  }
  for (int i = 0; i < 4; ++i) {
    tables.colourValues[i] = lines::ExtractColour(tables.colour[kColourLine[i]],
                                                  std::char_traits<char>::length(kColourPrefix[i]));
  }
  tables.coloursLoaded = true;
}

namespace {
std::string Join(const std::string* first, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += first[i];
  return text;
}
std::size_t AnnotationLines(int photoCount) {
  return static_cast<std::size_t>(std::clamp(photoCount, 0, kMaxPhotos) + kHeaderLines);
}
}  // namespace

std::string SubjectFileText(const DataTables& t) { return Join(t.subject.data(), 3); }
std::string TitleFileText(const DataTables& t, int photoCount) {
  return Join(t.title.data(), AnnotationLines(photoCount));
}
std::string MemoFileText(const DataTables& t, int photoCount) {
  return Join(t.memo.data(), AnnotationLines(photoCount));
}
std::string ColourFileText(const DataTables& t) { return Join(t.colour.data(), 9); }
