#include "site/picture_page.h"

#include "site/page_template.h"
#include "texts/site_texts.h"

namespace site {

std::string PicturePagePath(int n) {
  return "gallery/section/pic/pic" + std::to_string(n) + ".html";
}

std::string PicturePageText(int n) { return ExpandTemplate(txt::kPicturePage, n); }

}  // namespace site
