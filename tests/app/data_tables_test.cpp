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
      "c1\r\nc2\r\nvar bgColor=\"#123456\";\r\nc4\r\nvar vrntitleColor=\"#abcdef\";"
      "\r\nc6\r\nvar itemColor=\"#000000\";\r\nc8\r\nvar dataColor=\"#ffffff\";");
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
  // A title file written for fewer photos: the buffers beyond it keep what they held.
  EXPECT_EQ(t.title[5], "");
  EXPECT_EQ(t.title[6], "");
  EXPECT_EQ(TitleFileText(t, 4), "h1\nh2\nh3\ntitleName[1]=\"one\";\ntitleName[2]=\"two\";\n");
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

TEST(DataTables, LongLinesSplitAcrossBuffersByPosition) {
  TempGallery gallery;
  // A title line of 250 bytes fills line 3 with 199 bytes; the rest becomes photo 2's line.
  std::string longTitle = "titleName[1]=\"" + std::string(233, 'x') + "\";";
  TempGallery::WriteFile(paths::kTitleFile,
                         "h1\r\nh2\r\nh3\r\n" + longTitle + "\r\ntitleName[2]=\"b\";\r\n");
  DataTables t;
  LoadDataTables(t, 3);
  EXPECT_EQ(t.title[3], longTitle.substr(0, 199));
  EXPECT_EQ(t.title[4], longTitle.substr(199) + "\n");
  EXPECT_EQ(t.title[5], "titleName[2]=\"b\";\n");
}

TEST(DataTables, AZeroByteEndsTheLineBuffer) {
  TempGallery gallery;
  TempGallery::WriteFile(paths::kSubjectFile,
                         std::string("a\r\nb\r\nvar subjectName=\"x\0y\";\r\n", 29));
  DataTables t;
  LoadDataTables(t, 1);
  EXPECT_EQ(t.subject[2], "var subjectName=\"x");
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
