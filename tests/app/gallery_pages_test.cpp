// Button ⑤: five pages per photo, family by family, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/dialog_controls.h"
#include "app/gallery_editor_dlg.h"
#include "platform/encoding.h"
#include "platform/fault_injection.h"
#include "platform/text_file.h"
#include "site/gallery_paths.h"
#include "site/page_families.h"
#include "tests/support/editor_gallery.h"
#include "tests/support/recording_ui.h"
#include "tests/support/temp_gallery.h"
#include "texts/app_texts.h"
#include "texts/batch_texts.h"

namespace fs = std::filesystem;

namespace {

const char kMeta[] = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">";

std::vector<std::string> Lines(const std::string& crlfText) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < crlfText.size()) {
    std::size_t end = crlfText.find("\r\n", pos);
    if (end == std::string::npos) {
      lines.push_back(crlfText.substr(pos) + "<no line end>");
      break;
    }
    lines.push_back(crlfText.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

std::string Sjis(const char* utf8) { return *platform::Utf8ToSjis(utf8); }

struct PagesRun {
  RecordingUi ui;
  CGalleryEditorDlg dlg{ui};
  explicit PagesRun(int photoCount) { dlg.state().photoCount = photoCount; }
  void Pages() { ASSERT_TRUE(dlg.Click(ctl::kPages)); }
};

TEST(GalleryPages, ThreePhotosGiveFifteenPagesFamilyByFamily) {
  TempGallery gallery;
  std::vector<std::string> opened;
  platform::SetFaultHook([&](platform::FileOp op, std::string_view path) {
    if (op == platform::FileOp::Open) opened.emplace_back(path);
    return false;
  });
  PagesRun run(3);
  run.Pages();

  const std::vector<std::string> expected = {
      "gallery/notes/no1.html",
      "gallery/notes/no2.html",
      "gallery/notes/no3.html",
      "gallery/section/pic/pic1.html",
      "gallery/section/pic/pic2.html",
      "gallery/section/pic/pic3.html",
      "gallery/section/title/tit1.html",
      "gallery/section/title/tit2.html",
      "gallery/section/title/tit3.html",
      "gallery/section/sec1top.html",
      "gallery/section/sec2top.html",
      "gallery/section/sec3top.html",
      "gallery/section/action/action1.html",
      "gallery/section/action/action2.html",
      "gallery/section/action/action3.html",
      // Then the list of screen copies (no photos here: no tiles, no copies).
      "gallery/data/screen.js",
  };
  EXPECT_EQ(opened, expected);
  for (const auto& path : expected) EXPECT_TRUE(TempGallery::Exists(path)) << path;
  EXPECT_FALSE(TempGallery::Exists("gallery/notes/no4.html"));
  EXPECT_FALSE(TempGallery::Exists("gallery/notes/no0.html"));

  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_EQ(run.ui.messages[0].utf8, "HTMLファイル作成を完了しました。");
  EXPECT_EQ(run.ui.messages[0].style, UiPort::MessageStyle::kNote);
  EXPECT_EQ(run.ui.waitCursorLog, (std::vector<bool>{true, false}));
  EXPECT_FALSE(run.ui.ended);
}

TEST(GalleryPages, MemoPageIsWrittenByteForByte) {
  TempGallery gallery;
  PagesRun run(7);
  run.Pages();
  EXPECT_EQ(TempGallery::ReadFile("gallery/notes/no7.html"),
            "<!-- no7.html -->\r\n"
            "<html lang=\"ja\">\r\n"
            "<head>\r\n"
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n"
            "<title>Tavisque</title>\r\n"
            "<Script Language=\"JavaScript\" src=\"../data/note.js\">\r\n"
            "</Script>\r\n"
            "<Script Language=\"JavaScript\" src=\"../data/colordata.js\">\r\n"
            "</Script>\r\n"
            "</head>\r\n"
            "<Script Language=\"JavaScript\">\r\n"
            "document.write(\"<body bgcolor='\",bgColor,\"' text='#000000' link='#000000' "
            "vlink='#000000' alink='#000000' >\");\r\n"
            "document.write(\"<font face='Century' size=3 "
            "color='\",dataColor,\"'>\",note[7],\"</font>\");\r\n"
            "</Script>\r\n"
            "<Script Language=\"JavaScript\" src=\"../script/photopage.js\"></Script>\r\n"
            "</body>\r\n"
            "</html>\r\n");
}

TEST(GalleryPages, SectionPageKeepsItsIndentsAndTrailingComma) {
  TempGallery gallery;
  PagesRun run(12);
  run.Pages();
  auto lines = Lines(TempGallery::ReadFile("gallery/section/sec12top.html"));
  ASSERT_EQ(lines.size(), 21u);
  EXPECT_EQ(lines[6], "<frameset rows=\"35,*,35,\" border=\"0\">");
  EXPECT_EQ(lines[7], "   <frame src=\"./title/tit12.html\" name=\"title\" title=\"" +
                          Sjis("タイトル") +
                          "\" noresize scrolling=\"no\" "
                          "marginheight=\"0\">");
  EXPECT_EQ(lines[9], "     <frame src=\"./space/space.html\" name=\"space\" title=\"" +
                          Sjis("余白") +
                          "\" noresize scrolling=\"no\" "
                          "marginheight=\"0\">");
  EXPECT_EQ(lines[10], "      <frameset rows=\"35,200,35,*\" border=\"0\">");
  EXPECT_EQ(lines[12], "         <frame src=\"../notes/no12.html\" name=\"notes\" title=\"" +
                           Sjis("メモ") +
                           "\" noresize "
                           "marginheight=\"0\">");
  EXPECT_EQ(lines[14],
            "         <frame src=\"./information/inf12.html\" name=\"information\" title=\"" +
                Sjis("撮影情報") +
                "\" "
                "noresize marginheight=\"0\">");
  EXPECT_EQ(lines[15], "   </frameset>");
  EXPECT_EQ(lines[16], "         <frame src=\"./pic/pic12.html\" name=\"pic\" title=\"" +
                           Sjis("写真") + "\" noresize marginheight=\"0\">");
  EXPECT_EQ(lines[18], "         <frame src=\"./action/action12.html\" name=\"action\" title=\"" +
                           Sjis("ナビゲーション") +
                           "\" noresize "
                           "scrolling=\"no\" marginheight=\"0\">");
}

TEST(GalleryPages, EveryPageDeclaresShiftJisRightAfterItsHead) {
  TempGallery gallery;
  PagesRun run(1);
  run.Pages();
  struct Family {
    const char* path;
    std::size_t lines;
  } families[] = {
      {"gallery/notes/no1.html", 17},
      {"gallery/section/pic/pic1.html", 25},
      {"gallery/section/title/tit1.html", 52},
      {"gallery/section/sec1top.html", 21},
      {"gallery/section/action/action1.html", 83},
  };
  for (const auto& f : families) {
    std::string text = TempGallery::ReadFile(f.path);
    auto lines = Lines(text);
    ASSERT_EQ(lines.size(), f.lines) << f.path;
    EXPECT_EQ(lines[2], "<head>") << f.path;
    EXPECT_EQ(lines[3], kMeta) << f.path;
    EXPECT_EQ(lines.back(), "</html>") << f.path;
    // CR LF everywhere, no lone LF or CR.
    std::size_t lf = 0, crlf = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') ++lf;
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++crlf;
    }
    EXPECT_EQ(lf, f.lines) << f.path;
    EXPECT_EQ(crlf, f.lines) << f.path;
  }
}

TEST(GalleryPages, JapaneseTextsAreShiftJisBytes) {
  TempGallery gallery;
  PagesRun run(1);
  run.Pages();
  auto nav = Lines(TempGallery::ReadFile("gallery/section/action/action1.html"));
  EXPECT_EQ(nav[69], "<input type=\"button\" name=\"topbutton\" value=\"" + Sjis("最初へ") +
                         "\" onclick=\"ftop()\">");
  EXPECT_EQ(nav[76], "<input type=\"button\" name=\"slideshowbutton\" value=\"" +
                         Sjis("スライドショー") + "\" onclick=\"fslideshow()\">");
  auto title = Lines(TempGallery::ReadFile("gallery/section/title/tit1.html"));
  EXPECT_EQ(title[45], "picName = str1+\"" + Sjis("年") + "\"+str2+\"" + Sjis("月") + "\"+str3+\"" +
                           Sjis("日") + "\"+str4+\"" + Sjis("時") + "\"+str5+\"" + Sjis("分") +
                           "\";");
  EXPECT_NE(title[47].find(Sjis("撮影年月日：")), std::string::npos);
}

// Photo numbers written without leading zeros, and the digit boundaries.
TEST(GalleryPages, PhotoNumbersAtDigitBoundaries) {
  TempGallery gallery;
  PagesRun run(100);
  run.Pages();
  for (int n : {9, 10, 99, 100}) {
    std::string no = std::to_string(n);
    auto memo = Lines(TempGallery::ReadFile("gallery/notes/no" + no + ".html"));
    ASSERT_EQ(memo.size(), 17u) << n;
    EXPECT_EQ(memo[0], "<!-- no" + no + ".html -->");
    EXPECT_NE(memo[12].find(",note[" + no + "],"), std::string::npos);
    auto pic = Lines(TempGallery::ReadFile("gallery/section/pic/pic" + no + ".html"));
    EXPECT_EQ(pic[0], "<!-- pic" + no + ".html -->");
    EXPECT_EQ(pic[14], "jpgName = \"../../../Pelvora/\"+fileName[" + no + "];");
    auto title = Lines(TempGallery::ReadFile("gallery/section/title/tit" + no + ".html"));
    EXPECT_EQ(title[0], "<!-- tit" + no + ".html -->");
    EXPECT_EQ(title[27], "l = " + no + ";");
    auto sec = Lines(TempGallery::ReadFile("gallery/section/sec" + no + "top.html"));
    EXPECT_EQ(sec[0], "<!-- sec" + no + "top.html -->");
    auto nav = Lines(TempGallery::ReadFile("gallery/section/action/action" + no + ".html"));
    EXPECT_EQ(nav[0], "<!-- action" + no + ".html -->");
    EXPECT_EQ(nav[10], "var currentno = " + no + ";");
  }
  EXPECT_FALSE(TempGallery::Exists("gallery/notes/no09.html"));
  EXPECT_FALSE(TempGallery::Exists("gallery/notes/no101.html"));
}

TEST(GalleryPages, NavigationStepsKeepTheirIndents) {
  const site::PageFamily& navigation = site::PageFamilies().back();
  EXPECT_EQ(navigation.path(5), "gallery/section/action/action5.html");
  auto lines = Lines(platform::ToCrLf(navigation.text(5)));
  ASSERT_EQ(lines.size(), 83u);
  EXPECT_EQ(lines[22], "    if (currentno < 1)");
  EXPECT_EQ(lines[23], "       currentno = 1;");  // seven blanks after a jump
  EXPECT_EQ(lines[30], "      currentno = 1;");   // six after a step
  EXPECT_EQ(lines[44], "       currentno = lastno;");
  EXPECT_EQ(lines[13], "lastno = maisu;");
}

TEST(GalleryPages, CountZeroWritesNothingAndStillReports) {
  TempGallery gallery;
  PagesRun run(0);
  run.Pages();
  EXPECT_TRUE(fs::is_empty("gallery/notes"));
  EXPECT_TRUE(fs::is_empty("gallery/section/action"));
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_EQ(run.ui.messages[0].utf8, "HTMLファイル作成を完了しました。");
}

TEST(GalleryPages, AbortFlagFromStartUpEndsTheDialogWithoutAMessage) {
  TempGallery gallery;
  PagesRun run(2);
  run.dlg.state().abortFlag = 1;
  run.Pages();
  EXPECT_TRUE(run.ui.messages.empty());
  EXPECT_TRUE(run.ui.ended);
  EXPECT_TRUE(TempGallery::Exists("gallery/section/action/action2.html"));
}

TEST(GalleryPages, ASecondRunWithFewerPhotosLeavesHigherPagesAndRewritesTheRest) {
  TempGallery gallery;
  {
    PagesRun run(4);
    run.Pages();
  }
  TempGallery::WriteFile("gallery/notes/no1.html", std::string(5000, 'x'));
  std::string before4 = TempGallery::ReadFile("gallery/notes/no4.html");
  PagesRun run(2);
  run.Pages();
  EXPECT_EQ(TempGallery::ReadFile("gallery/notes/no4.html"), before4);
  EXPECT_EQ(Lines(TempGallery::ReadFile("gallery/notes/no1.html")).size(), 17u);
}

TEST(GalleryPages, AnUnwritablePageIsNamedAndStopsTheStep) {
  TempGallery gallery;
  platform::SetFaultHook([](platform::FileOp op, std::string_view path) {
    return op == platform::FileOp::Write && path == "gallery/section/pic/pic2.html";
  });
  PagesRun run(3);
  run.Pages();
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_EQ(run.ui.messages[0].style, UiPort::MessageStyle::kError);
  EXPECT_NE(run.ui.messages[0].utf8.find("gallery/section/pic/pic2.html"), std::string::npos);
  EXPECT_EQ(run.dlg.state().abortFlag, 1);
  EXPECT_TRUE(run.ui.ended);
  EXPECT_TRUE(TempGallery::Exists("gallery/section/pic/pic1.html"));
  EXPECT_FALSE(TempGallery::Exists("gallery/section/pic/pic3.html"));
  EXPECT_FALSE(TempGallery::Exists("gallery/section/title/tit1.html"));
  EXPECT_EQ(run.ui.waitCursorLog, (std::vector<bool>{true, false}));
}

TEST(GalleryPages, AMissingFolderIsNamedToo) {
  TempGallery gallery;
  fs::remove_all("gallery/section/action");
  PagesRun run(2);
  run.Pages();
  ASSERT_EQ(run.ui.messages.size(), 1u);
  EXPECT_NE(run.ui.messages[0].utf8.find("gallery/section/action/action1.html"), std::string::npos);
  EXPECT_TRUE(run.ui.ended);
  EXPECT_TRUE(TempGallery::Exists("gallery/section/sec2top.html"));
}

// A photo name that would break the gallery's links ("../../Pelvora/" + name):
// ② to ⑤ refuse it by name before writing anything.
TEST(GalleryPages, NamesThatWouldBreakALinkAreRefusedByStepsTwoToFive) {
  const std::string names[] = {"a#1.jpg",        "p100%.jpg", "why?.jpg",         "back\\slash.jpg",
                               "two\nlines.jpg", "cr\r.jpg",  "\xE5\x86\x99.jpg", "\x82\xA0.jpg"};
  for (int step : {ctl::kThumbnails, ctl::kInfo, ctl::kData, ctl::kPages}) {
    for (const std::string& name : names) {
      SCOPED_TRACE(std::to_string(step) + " " + name);
      TempGallery gallery;
      AddPhotos(1);
      TempGallery::WriteFile(std::string(paths::kPhotoDir) + "/" + name, TinyJpeg());
      TempGallery::WriteFile(std::string(paths::kThumbnailDir) + "/Tn_" + name, TinyJpeg());
      RecordingUi ui;
      CGalleryEditorDlg dlg(ui);
      dlg.OnInitDialog();
      ui.messages.clear();
      ASSERT_TRUE(dlg.Click(step));
      ASSERT_EQ(ui.messages.size(), 1u);
      EXPECT_EQ(ui.messages[0].utf8,
                platform::SjisToUtf8(std::string(txt::kLinkBreakingNames) + txt::kNamesOpen + name +
                                     txt::kNamesClose));
      EXPECT_TRUE(ui.ended);
      EXPECT_EQ(dlg.state().abortFlag, 1);
      for (const std::string& written :
           {std::string(paths::kFileNameScript), paths::InfoPagePath(1),
            std::string("gallery/notes/no1.html")})
        EXPECT_FALSE(TempGallery::Exists(written)) << written;
      EXPECT_EQ(TempGallery::ReadFile(std::string(paths::kThumbnailDir) + "/Tn_" + PhotoName(1)),
                std::string(TinyJpeg().begin(), TinyJpeg().end()));
    }
  }
}

}  // namespace
