// The fixed pages as the build ships them beside the programs: Shift-JIS with
// CR LF line ends, a declared charset, and nothing loaded from outside the disc.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "tests/support/temp_gallery.h"

namespace fs = std::filesystem;

namespace {

const fs::path kTemplate = fs::path(VORNAMI_BIN_DIR) / "gallery_template";

const char* const kFixedPages[] = {
    "gallery/section/space/space.html",       "gallery/section/notestitle/notestitle.html",
    "gallery/section/inftitle/inftitle.html", "gallery/menu/menu.html",
    "gallery/slideshow/slideshow.html",       "vornami/vornamitop.html",
    "gallery/photoview/photoview.html",
};

// The data scripts the editor, the data step and ⑤ (screen.js) write into "gallery/data".
const char* const kDataScripts[] = {"subject.js",       "title.js",    "note.js",  "colordata.js",
                                    "gallerytoppic.js", "filename.js", "other.js", "screen.js"};

std::vector<fs::path> ShippedFiles() {
  std::vector<fs::path> files;
  for (const auto& e : fs::recursive_directory_iterator(kTemplate))
    if (e.is_regular_file()) files.push_back(fs::relative(e.path(), kTemplate));
  return files;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(bytes.substr(start, at - start));
  return lines;
}

}  // namespace

TEST(FixedPages, EveryPageTheGeneratedPagesLinkIsShipped) {
  for (const char* page : kFixedPages) EXPECT_TRUE(fs::is_regular_file(kTemplate / page)) << page;
}

TEST(FixedPages, FilesAreShiftJisWithCrLfLineEnds) {
  auto files = ShippedFiles();
  ASSERT_FALSE(files.empty());
  for (const auto& rel : files) {
    std::string bytes = TempGallery::ReadFile((kTemplate / rel).string());
    ASSERT_FALSE(bytes.empty()) << rel;
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << rel;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      bool lfAlone = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
      bool crAlone = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
      ASSERT_FALSE(lfAlone || crAlone) << rel << " byte " << i;
    }
    std::string utf8 = platform::SjisToUtf8(bytes);
    EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos) << rel << " is not valid Shift-JIS";
  }
}

TEST(FixedPages, JapaneseTextsAreShiftJisBytes) {
  // "メモ" as the memo heading shows it: 83 81 83 82 in Shift-JIS.
  std::string bytes =
      TempGallery::ReadFile((kTemplate / "gallery/section/notestitle/notestitle.html").string());
  EXPECT_NE(bytes.find("\x83\x81\x83\x82"), std::string::npos);
}

TEST(FixedPages, EveryPageDeclaresShiftJisRightAfterHead) {
  for (const char* page : kFixedPages) {
    auto lines = Lines(TempGallery::ReadFile((kTemplate / page).string()));
    std::size_t head = 0;
    while (head < lines.size() && lines[head] != "<head>") ++head;
    ASSERT_LT(head + 1, lines.size()) << page << " has no <head> line";
    EXPECT_EQ(lines[head + 1],
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">")
        << page;
  }
}

TEST(FixedPages, NothingIsLoadedFromOutsideTheDisc) {
  const char* const kForbidden[] = {
      "http:",   "https:",     "//www", "fetch(",  "XMLHttpRequest", "WebSocket", "EventSource",
      "import(", "sendBeacon", "<link", "<iframe", "@import",        "url("};
  for (const auto& rel : ShippedFiles()) {
    std::string text = TempGallery::ReadFile((kTemplate / rel).string());
    for (const char* word : kForbidden)
      EXPECT_EQ(text.find(word), std::string::npos) << rel << " uses " << word;
  }
}

TEST(FixedPages, EveryScriptTheyLoadIsShippedOrADataScript) {
  const std::regex src("<script src=\"([^\"]+)\"></script>", std::regex::icase);
  std::set<std::string> dataScripts(std::begin(kDataScripts), std::end(kDataScripts));
  for (const char* page : kFixedPages) {
    std::string text = TempGallery::ReadFile((kTemplate / page).string());
    int scripts = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), src), end; it != end; ++it) {
      ++scripts;
      fs::path target = (fs::path(page).parent_path() / (*it)[1].str()).lexically_normal();
      SCOPED_TRACE(std::string(page) + " loads " + (*it)[1].str());
      if (target.parent_path() == "gallery/data") {
        EXPECT_TRUE(dataScripts.count(target.filename().string()));
      } else {
        EXPECT_TRUE(fs::is_regular_file(kTemplate / target));
      }
    }
    EXPECT_GT(scripts, 0) << page;
  }
}
