#include "app/data_tables.h"

#include <algorithm>

#include "app/line_rules.h"
#include "platform/text_file.h"
#include "texts/app_texts.h"

namespace {

std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  return line;
}

bool AnnotationLineOk(int i, std::string_view line, const char* const* header,
                      std::string (*prefix)(int)) {
  line = WithoutLineEnd(line);
  if (i < 2) return lines::IsCommentLine(line);
  if (i == 2) return line == WithoutLineEnd(header[2]);
  return lines::HasValueForm(line, prefix(i - 2));
}

std::string SubjectDefault(int i) {
  return i < 2 ? std::string(txt::kSubjectHeader[i]) : lines::Compose(lines::SubjectPrefix(), "");
}
std::string TitleDefault(int i) {
  return i < kHeaderLines ? std::string(txt::kTitleHeader[i])
                          : lines::Compose(lines::TitlePrefix(i - 2), "");
}
std::string MemoDefault(int i) {
  return i < kHeaderLines ? std::string(txt::kMemoHeader[i])
                          : lines::Compose(lines::MemoPrefix(i - 2), "");
}
std::string ColourDefault(int i) { return txt::kColourDefaults[i]; }

// What one data file's lines must be: where it lies, how long a line may be
// (its line buffer), each line's form and each line's default.
struct FileRules {
  const char* path;
  std::size_t bufferSize;
  bool (*ok)(int i, std::string_view line);
  std::string (*defaultLine)(int i);
  bool (*holdsValue)(int i);  // a line with the user's text, not a fixed comment or array line
};

bool SubjectValue(int i) { return i == 2; }
bool AnnotationValue(int i) { return i >= kHeaderLines; }
bool ColourValue(int i) { return i % 2 == 0 && i > 0; }

const FileRules kSubjectRules{paths::kSubjectFile, lines::kLineSize, SubjectLineOk, SubjectDefault,
                              SubjectValue};
const FileRules kTitleRules{paths::kTitleFile, lines::kLineSize, TitleLineOk, TitleDefault,
                            AnnotationValue};
const FileRules kMemoRules{paths::kMemoFile, lines::kMemoLineSize, MemoLineOk, MemoDefault,
                           AnnotationValue};
const FileRules kColourRules{paths::kColourFile, lines::kLineSize, ColourLineOk, ColourDefault,
                             ColourValue};

bool Fits(const FileRules& rules, int i, std::string_view line) {
  return line.size() <= rules.bufferSize - 1 && rules.ok(i, line);
}

// Table lines 0 to count - 1 from the file, whole lines by position. A line
// that does not fit or lacks its form is noted and takes its default, so one
// damaged line never shifts or spoils the lines after it.
void LoadLines(const DataFileOpener& open, const FileRules& rules, std::string* table, int count,
               std::vector<DamagedLines>& damaged) {
  auto file = open(rules.path);
  DamagedLines found{rules.path, {}};
  for (int i = 0; i < count; ++i) {
    std::string line;
    if (file && file->ReadLine(line)) {
      if (Fits(rules, i, line)) {
        table[i] = std::move(line);
        continue;
      }
      // A fixed line that only reads differently (another comment) holds
      // nothing of the user's and is put right quietly; one that is broken
      // (too long, a zero byte, a lone CR) may have swallowed the lines after it.
      const bool broken = line.size() > rules.bufferSize - 1 ||
                          line.find_first_of(std::string_view("\r\0", 2)) != std::string::npos;
      if (broken || rules.holdsValue(i)) found.lineNumbers.push_back(i + 1);
      table[i] = rules.defaultLine(i);
    } else if (!file || !Fits(rules, i, table[i])) {
      // A missing file, or a file shorter than the tables (photos added
      // since it was written): the default, never an empty line.
      table[i] = rules.defaultLine(i);
    }
  }
  if (!found.lineNumbers.empty()) damaged.push_back(std::move(found));
}

platform::Result<platform::TextFileReader> OpenFile(const char* path) {
  return platform::TextFileReader::Open(path);
}

int AnnotationLines(int photoCount) { return std::clamp(photoCount, 0, kMaxPhotos) + kHeaderLines; }

void LoadColours(DataTables& tables, const DataFileOpener& open) {
  LoadLines(open, kColourRules, tables.colour.data(), 9, tables.damaged);
  for (int i = 0; i < 4; ++i) {
    tables.colourValues[i] = lines::ExtractColour(tables.colour[kColourLine[i]],
                                                  std::char_traits<char>::length(kColourPrefix[i]));
  }
  tables.coloursLoaded = true;
}

}  // namespace

bool SubjectLineOk(int i, std::string_view line) {
  line = WithoutLineEnd(line);
  return i < 2 ? lines::IsCommentLine(line) : lines::HasValueForm(line, lines::SubjectPrefix());
}
bool TitleLineOk(int i, std::string_view line) {
  return AnnotationLineOk(i, line, txt::kTitleHeader, lines::TitlePrefix);
}
bool MemoLineOk(int i, std::string_view line) {
  return AnnotationLineOk(i, line, txt::kMemoHeader, lines::MemoPrefix);
}
bool ColourLineOk(int i, std::string_view line) {
  line = WithoutLineEnd(line);
  for (int k = 0; k < 4; ++k)
    if (kColourLine[k] == i) return lines::HasValueForm(line, kColourPrefix[k]);
  return lines::IsCommentLine(line);
}

void FillDefaultColours(DataTables& tables) {
  for (int i = 0; i < 9; ++i) tables.colour[i] = txt::kColourDefaults[i];
}

void LoadDataTables(DataTables& tables, int photoCount) {
  LoadDataTables(tables, photoCount, OpenFile);
}

void LoadColourTable(DataTables& tables) { LoadColourTable(tables, OpenFile); }

void LoadDataTables(DataTables& tables, int photoCount, const DataFileOpener& open) {
  tables.damaged.clear();
  LoadLines(open, kSubjectRules, tables.subject.data(), 3, tables.damaged);
  LoadLines(open, kTitleRules, tables.title.data(), AnnotationLines(photoCount), tables.damaged);
  LoadLines(open, kMemoRules, tables.memo.data(), AnnotationLines(photoCount), tables.damaged);
  tables.annotationsLoaded = true;
  LoadColours(tables, open);
}

void LoadColourTable(DataTables& tables, const DataFileOpener& open) {
  tables.damaged.clear();
  LoadColours(tables, open);
}

namespace {
std::string Join(const std::string* first, int count, const FileRules& rules) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += Fits(rules, i, first[i]) ? first[i] : rules.defaultLine(i);
    // The last line of a file read without a line end keeps it off only at the end.
    if (i + 1 < count && text.back() != '\n') text += '\n';
  }
  return text;
}
}  // namespace

std::string SubjectFileText(const DataTables& t) {
  return Join(t.subject.data(), 3, kSubjectRules);
}
std::string TitleFileText(const DataTables& t, int photoCount) {
  return Join(t.title.data(), AnnotationLines(photoCount), kTitleRules);
}
std::string MemoFileText(const DataTables& t, int photoCount) {
  return Join(t.memo.data(), AnnotationLines(photoCount), kMemoRules);
}
std::string ColourFileText(const DataTables& t) { return Join(t.colour.data(), 9, kColourRules); }
