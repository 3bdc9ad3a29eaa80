#include "site/navigation_page.h"

#include "site/page_template.h"
#include "texts/site_texts.h"

namespace site {

std::string NavigationPagePath(int n) {
  return "gallery/section/action/action" + std::to_string(n) + ".html";
}

std::string NavigationPageText(int n) { return ExpandTemplate(txt::kNavigationPage, n); }

}  // namespace site
