#include "site/page_families.h"

#include "site/page_template.h"
#include "texts/site_texts.h"

namespace site {

std::string PageFamily::path(int n) const { return ExpandLine(pathPattern, n); }

std::string PageFamily::text(int n) const { return ExpandTemplate(lines, n); }

std::string PageFamily::bytes(int n) const { return ExpandTemplate(lines, n, "\r\n"); }

const std::array<PageFamily, 5>& PageFamilies() {
  static const std::array<PageFamily, 5> kFamilies = {{
      // The memo of the photo in the data colour.
      {"gallery/notes/no{N}.html", txt::kMemoPage},
      // The photo itself from "Pelvora", fitted into its frame.
      {"gallery/section/pic/pic{N}.html", txt::kPicturePage},
      // Its title and the shooting date cut from its file name, on one line.
      {"gallery/section/title/tit{N}.html", txt::kTitlePage},
      // The frameset that shows all the photo's other pages.
      {"gallery/section/sec{N}top.html", txt::kSectionPage},
      // Buttons to other photos, the menu and the slide show.
      {"gallery/section/action/action{N}.html", txt::kNavigationPage},
  }};
  return kFamilies;
}

}  // namespace site
