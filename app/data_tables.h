#pragma once
// The four data files the editor owns, held as fixed tables of lines.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"
#include "site/gallery_paths.h"

// At most 1000 photos, like the photo list.
inline constexpr int kMaxPhotos = 1000;
inline constexpr int kHeaderLines = 3;

// The lines of one data file that start-up could not take (counted from 1).
struct DamagedLines {
  const char* path = nullptr;
  std::vector<int> lineNumbers;
};

struct DataTables {
  std::array<std::string, 3> subject;
  // Line n + 2 holds photo n.
  std::vector<std::string> title = std::vector<std::string>(kMaxPhotos + kHeaderLines);
  std::vector<std::string> memo = std::vector<std::string>(kMaxPhotos + kHeaderLines);
  std::array<std::string, 9> colour;
  // Background, top-page title, item names, data texts: "#rrggbb".
  std::array<std::string, 4> colourValues;
  // Set once the files were read (or their defaults taken). A start-up that
  // stopped early leaves the tables empty, and empty tables must never be
  // written over a gallery's files.
  bool annotationsLoaded = false;
  bool coloursLoaded = false;
  // The files of the latest load with lines that did not fit their buffer or
  // lacked their line's form; each such line holds its default instead.
  std::vector<DamagedLines> damaged;
};

// The colour lines that hold values (table lines 2, 4, 6, 8) and their prefixes.
inline constexpr int kColourLine[4] = {2, 4, 6, 8};
inline constexpr const char* kColourPrefix[4] = {"var bgColor=\"", "var vrntitleColor=\"",
                                                 "var itemColor=\"", "var dataColor=\""};

// Loads subject, title, memo and colour files in that order. A missing file
// gives its default lines in memory; a line read past the end of a file leaves
// its buffer as it was, unless that lacks the line's form (then the default).
// A line longer than its buffer, with a zero byte or a lone CR, or without the
// form of its place (comment, array line, prefix + string + "\";") is
// replaced by its default: the lines after it keep their places, and a save
// writes only well-formed lines. Such lines are recorded in damaged, except a
// comment or array line that merely reads differently.
void LoadDataTables(DataTables& tables, int photoCount);
// The colour file alone, as LoadDataTables reads it.
void LoadColourTable(DataTables& tables);

// Where the loader gets a data file (one of the gallery's paths) from; a
// failure when it is missing or cannot be read.
using DataFileOpener = std::function<platform::Result<platform::TextFileReader>(const char* path)>;
// As above, with the files from open instead of the current directory.
void LoadDataTables(DataTables& tables, int photoCount, const DataFileOpener& open);
void LoadColourTable(DataTables& tables, const DataFileOpener& open);

void FillDefaultColours(DataTables& tables);

// Whether table line i of each file has its line's form (line end taken off).
bool SubjectLineOk(int i, std::string_view line);
bool TitleLineOk(int i, std::string_view line);
bool MemoLineOk(int i, std::string_view line);
bool ColourLineOk(int i, std::string_view line);

// Whole file texts (with "\n" line ends) from the tables; a line without its
// form is written as its default, so the files always parse.
std::string SubjectFileText(const DataTables& tables);
std::string TitleFileText(const DataTables& tables, int photoCount);
std::string MemoFileText(const DataTables& tables, int photoCount);
std::string ColourFileText(const DataTables& tables);
