#include "site/title_page.h"

#include "site/page_template.h"
#include "texts/site_texts.h"

namespace site {

std::string TitlePagePath(int n) {
  return "gallery/section/title/tit" + std::to_string(n) + ".html";
}

std::string TitlePageText(int n) { return ExpandTemplate(txt::kTitlePage, n); }

}  // namespace site
