#include "site/page_families.h"

#include "site/memo_page.h"
#include "site/navigation_page.h"
#include "site/picture_page.h"
#include "site/section_page.h"
#include "site/title_page.h"

namespace site {

const std::array<PageFamily, 5>& PageFamilies() {
  static const std::array<PageFamily, 5> kFamilies = {{
      {MemoPagePath, MemoPageText},
      {PicturePagePath, PicturePageText},
      {TitlePagePath, TitlePageText},
      {SectionPagePath, SectionPageText},
      {NavigationPagePath, NavigationPageText},
  }};
  return kFamilies;
}

}  // namespace site
