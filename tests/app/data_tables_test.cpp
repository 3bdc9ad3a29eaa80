#include "app/data_tables.h"

#include <gtest/gtest.h>

#include "app/line_rules.h"
#include "tests/support/editor_gallery.h"

namespace {

TEST(DataTables, MissingFilesGiveTheirDefaultsInMemoryOnly) {
  TempGallery gallery;
  DataTables t;
  LoadDataTables(t, 2);
  EXPECT_EQ(Utf8(SubjectFileText(t)),
            "/* ファイル「subject.js」 */\n/* グループタイトル */\nvar subjectName=\"\";\n");
  EXPECT_EQ(Utf8(TitleFileText(t, 2)),
            "/* ファイル「title.js」 */\n/* タイトル */\ntitleName = new Array();\n"
            "titleName[1]=\"\";\ntitleName[2]=\"\";\n");
  EXPECT_EQ(
      Utf8(MemoFileText(t, 2)),
      "/* ファイル「note.js」 */\n/* メモ */\nnote = new Array();\nnote[1]=\"\";\nnote[2]=\"\";\n");
  EXPECT_EQ(t.colourValues[0], "#000040");
  EXPECT_EQ(t.colourValues[1], "#ff0000");
  EXPECT_EQ(t.colourValues[2], "#ffff00");
  EXPECT_EQ(t.colourValues[3], "#ffffff");
  EXPECT_TRUE(t.annotationsLoaded);
  EXPECT_TRUE(t.coloursLoaded);
  EXPECT_FALSE(TempGallery::Exists(paths::kSubjectFile));
  EXPECT_FALSE(TempGallery::Exists(paths::kColourFile));
}

// A title file written for fewer photos: the missing photos' buffers stay
// empty and save would write each as an empty line.
TEST(DataTables, ShortTitleFileLeavesTheRestEmpty) {
  TempGallery gallery;
  TempGallery::WriteFile(paths::kTitleFile,
                         "h1\r\nh2\r\nh3\r\ntitleName[1]=\"a\";\r\ntitleName[2]=\"b\";\r\n");
  DataTables t;
  LoadDataTables(t, 4);
  EXPECT_EQ(t.title[3], "titleName[1]=\"a\";\n");
  EXPECT_EQ(t.title[4], "titleName[2]=\"b\";\n");
  EXPECT_EQ(t.title[5], "");
  EXPECT_EQ(t.title[6], "");
  EXPECT_EQ(lines::Normalise(t.title[5]), "\n");
}

// Lines are taken by position; a line longer than its buffer is split by the reads.
TEST(DataTables, LinesAreReadLikeFgetsIntoTheirBuffers) {
  TempGallery gallery;
  std::string longLine = "titleName[1]=\"" + std::string(250, 'x') + "\";";
  TempGallery::WriteFile(paths::kTitleFile, "h1\nh2\nh3\n" + longLine + "\r\n");
  DataTables t;
  LoadDataTables(t, 2);
  EXPECT_EQ(t.title[3], longLine.substr(0, 199));
  EXPECT_EQ(t.title[4], longLine.substr(199) + "\n");
}

TEST(DataTables, ColourFileFromAnEarlierRunIsReadBack) {
  TempGallery gallery;
  TempGallery::WriteFile(
      paths::kColourFile,
      "c\r\nc\r\nvar bgColor=\"#123456\";\r\nc\r\nvar vrntitleColor=\"#abcdef\";\r\n"
      "c\r\nvar itemColor=\"#010203\";\r\nc\r\nvar dataColor=\"#fefefe\";\r\n");
  DataTables t;
  LoadColourTable(t);
  EXPECT_EQ(t.colourValues[0], "#123456");
  EXPECT_EQ(t.colourValues[1], "#abcdef");
  EXPECT_EQ(t.colourValues[2], "#010203");
  EXPECT_EQ(t.colourValues[3], "#fefefe");
  EXPECT_TRUE(t.coloursLoaded);
  EXPECT_FALSE(t.annotationsLoaded);
}

}  // namespace
