#include "app/data_tables.h"

#include <gtest/gtest.h>

#include "app/line_rules.h"
#include "tests/support/temp_gallery.h"
#include "texts/app_texts.h"

namespace {

using namespace std::string_literals;

TEST(DataTables, MissingFilesGiveDefaultsInMemoryOnly) {
  TempGallery gallery;
  DataTables t;
  LoadDataTables(t, 3);
  EXPECT_EQ(t.subject[2], "var subjectName=\"\";\n");
  EXPECT_EQ(t.title[0], txt::kTitleHeader[0]);
  EXPECT_EQ(t.title[2], "titleName = new Array();\n");
  EXPECT_EQ(t.title[5], "titleName[3]=\"\";\n");
  EXPECT_EQ(t.title[6], "");  // beyond the photo count
  EXPECT_EQ(t.memo[3], "note[1]=\"\";\n");
  EXPECT_EQ(t.colourValues[0], "#000040");
  EXPECT_EQ(t.colourValues[1], "#ff0000");
  EXPECT_EQ(t.colourValues[2], "#ffff00");
  EXPECT_EQ(t.colourValues[3], "#ffffff");
  EXPECT_FALSE(TempGallery::Exists(paths::kSubjectFile));
  EXPECT_FALSE(TempGallery::Exists(paths::kColourFile));
}

TEST(DataTables, WrittenTextsHaveTheFilesExactLines) {
  TempGallery gallery;
  DataTables t;
  LoadDataTables(t, 2);
  EXPECT_EQ(SubjectFileText(t), std::string(txt::kSubjectHeader[0]) + txt::kSubjectHeader[1] +
                                    "var subjectName=\"\";\n");
  std::string title = TitleFileText(t, 2);
  EXPECT_EQ(title.substr(title.find("titleName[")), "titleName[1]=\"\";\ntitleName[2]=\"\";\n");
  std::string colours = ColourFileText(t);
  EXPECT_NE(colours.find("var bgColor=\"#000040\";\n"), std::string::npos);
  EXPECT_EQ(std::count(colours.begin(), colours.end(), '\n'), 9);
}

TEST(DataTables, ReadsFilesFromAPreviousRun) {
  TempGallery gallery;
  TempGallery::WriteFile(
      paths::kColourFile,
      "/* c1 */\r\n/* c2 */\r\nvar bgColor=\"#123456\";\r\nc4\r\nvar vrntitleColor=\"#abcdef\";"
      "\r\n/* c6 */\r\nvar itemColor=\"#000000\";\r\n/* c8 */\r\nvar dataColor=\"#ffffff\";");
  TempGallery::WriteFile(paths::kTitleFile,
                         "h1\r\nh2\r\nh3\r\ntitleName[1]=\"one\";\r\ntitleName[2]=\"two\";\r\n");
  DataTables t;
  LoadDataTables(t, 4);
  EXPECT_EQ(t.colourValues[0], "#123456");
  EXPECT_EQ(t.colourValues[1], "#abcdef");
  // The last line has no line end: extraction takes one byte of the value with it.
  EXPECT_EQ(t.colourValues[3], "#fffff");
  EXPECT_EQ(lines::Extract(t.title[3], 14), "one");
  EXPECT_EQ(lines::Extract(t.title[4], 14), "two");
  // Comment and array lines that read differently hold nothing of the user's:
  // put right quietly. A file written for fewer photos gives empty entries.
  EXPECT_TRUE(t.damaged.empty());
  EXPECT_EQ(TitleFileText(t, 4), std::string(txt::kTitleHeader[0]) + txt::kTitleHeader[1] +
                                     txt::kTitleHeader[2] +
                                     "titleName[1]=\"one\";\ntitleName[2]=\"two\";\n"
                                     "titleName[3]=\"\";\ntitleName[4]=\"\";\n");
  EXPECT_EQ(t.colour[3], txt::kColourDefaults[3]);
}

TEST(DataTables, ReadPastTheEndLeavesBuffersFromTheLastLoad) {
  TempGallery gallery;
  DataTables t;
  t.memo[4] = "note[2]=\"kept\";\n";
  TempGallery::WriteFile(paths::kMemoFile, "h1\r\nh2\r\nh3\r\nnote[1]=\"a\";\r\n");
  LoadDataTables(t, 2);
  EXPECT_EQ(t.memo[3], "note[1]=\"a\";\n");
  EXPECT_EQ(t.memo[4], "note[2]=\"kept\";\n");
}

// A line that does not fit its buffer or lacks its form is named and replaced
// by its default; every other line keeps its place and its text.
TEST(DataTables, DamagedLinesAreReportedAndTheOthersKept) {
  const std::string header = "/* a */\r\n/* b */\r\n";
  const std::string titles = header + "titleName = new Array();\r\n";
  struct Case {
    const char* what;
    const char* path;
    std::string bytes;
    std::vector<int> damaged;  // line numbers, from 1
  } cases[] = {
      {"a 10 MB title line",
       paths::kTitleFile,
       titles + "titleName[1]=\"" + std::string(10u << 20, 'x') + "\";\r\ntitleName[2]=\"b\";\r\n",
       {4}},
      {"a title line one byte too long",
       paths::kTitleFile,
       titles + "titleName[1]=\"" + std::string(183, 'x') + "\";\r\ntitleName[2]=\"b\";\r\n",
       {4}},
      {"a zero byte",
       paths::kTitleFile,
       titles + "titleName[1]=\"x\0y\";\r\ntitleName[2]=\"b\";\r\n"s,
       {4}},
      {"an unescaped quote",
       paths::kTitleFile,
       titles + "titleName[1]=\"x\"y\";\r\ntitleName[2]=\"b\";\r\n",
       {4}},
      {"an escape the browser refuses",
       paths::kTitleFile,
       titles + "titleName[1]=\"\\x\";\r\ntitleName[2]=\"b\";\r\n",
       {4}},
      {"another photo's number",
       paths::kTitleFile,
       titles + "titleName[7]=\"a\";\r\ntitleName[2]=\"b\";\r\n",
       {4}},
      {"a bare text line", paths::kTitleFile, titles + "just text\r\ntitleName[2]=\"b\";\r\n", {4}},
      {"CR-only line ends",
       paths::kTitleFile,
       "/* a */\r/* b */\rtitleName = new Array();\rtitleName[1]=\"a\";\rtitleName[2]=\"b\";\r",
       {1}},
      {"a broken memo",
       paths::kMemoFile,
       header + "note = new Array();\r\nnote[1]=\"a\r\nnote[2]=\"b\";\r\n",
       {4}},
      {"a broken theme", paths::kSubjectFile, header + "var subjectName=\"\x81\";\r\n", {3}},
      {"a broken colour",
       paths::kColourFile,
       "/* 1 */\r\n/* 2 */\r\nvar bgColor=#123456;\r\n",
       {3}},
      {"a lead byte taking the closing quote",
       paths::kTitleFile,
       titles + "titleName[1]=\"\x95\";\r\ntitleName[2]=\"b\";\r\n",
       {4}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempGallery gallery;
    TempGallery::WriteFile(c.path, c.bytes);
    DataTables t;
    LoadDataTables(t, 2);
    ASSERT_EQ(t.damaged.size(), 1u);
    EXPECT_STREQ(t.damaged[0].path, c.path);
    EXPECT_EQ(t.damaged[0].lineNumbers, c.damaged);
    // Every line of every file now has its form, and the ones after the damage are kept.
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(SubjectLineOk(i, t.subject[i])) << i;
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(TitleLineOk(i, t.title[i])) << i;
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(MemoLineOk(i, t.memo[i])) << i;
    for (int i = 0; i < 9; ++i) EXPECT_TRUE(ColourLineOk(i, t.colour[i])) << i;
    if (c.path == paths::kTitleFile && c.damaged[0] == 4) {
      EXPECT_EQ(t.title[3], "titleName[1]=\"\";\n");
      EXPECT_EQ(t.title[4], "titleName[2]=\"b\";\n");
    }
  }
}

TEST(DataTables, BytesLoadLikeTheSameFiles) {
  // Hand-edited files: a long line, lone CR and LF, a zero byte, no final line end.
  const std::string files[4] = {
      "s1\r\ns2\r\nvar subjectName=\"" + std::string(230, 'a') + "\";\r\n",
      "h1\rh2\nh3\r\ntitleName[1]=\"\x95\\\";\r\ntitleName[2]=\"b\";",
      "h1\r\nh2\r\nh3\r\nnote[1]=\"a\0b<br>c\";\r\n"s, "c\r\nc\r\nvar bgColor=\"#123456\";\r\n"};
  const char* names[4] = {paths::kSubjectFile, paths::kTitleFile, paths::kMemoFile,
                          paths::kColourFile};
  // Each file present or missing, in every combination.
  for (unsigned present = 0; present < 16; ++present) {
    TempGallery gallery;
    for (int i = 0; i < 4; ++i)
      if (present & (1u << i)) TempGallery::WriteFile(names[i], files[i]);
    DataTables fromFiles;
    LoadDataTables(fromFiles, 4);
    DataTables fromBytes;
    LoadDataTables(fromBytes, 4, [&](const char* path) {
      platform::Result<platform::TextFileReader> file = platform::Fail(path);
      for (int i = 0; i < 4; ++i)
        if ((present & (1u << i)) && std::string(path) == names[i])
          file = platform::TextFileReader::FromBytes(files[i]);
      return file;
    });
    SCOPED_TRACE(present);
    EXPECT_EQ(fromBytes.subject, fromFiles.subject);
    EXPECT_EQ(fromBytes.title, fromFiles.title);
    EXPECT_EQ(fromBytes.memo, fromFiles.memo);
    EXPECT_EQ(fromBytes.colour, fromFiles.colour);
    EXPECT_EQ(fromBytes.colourValues, fromFiles.colourValues);
  }
}

}  // namespace
