#include "site/section_page.h"

#include "site/page_template.h"
#include "texts/site_texts.h"

namespace site {

std::string SectionPagePath(int n) {
  return "gallery/section/sec" + std::to_string(n) + "top.html";
}

std::string SectionPageText(int n) { return ExpandTemplate(txt::kSectionPage, n); }

}  // namespace site
