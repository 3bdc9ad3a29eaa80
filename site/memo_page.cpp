#include "site/memo_page.h"

#include "site/page_template.h"
#include "texts/site_texts.h"

namespace site {

std::string MemoPagePath(int n) { return "gallery/notes/no" + std::to_string(n) + ".html"; }

std::string MemoPageText(int n) { return ExpandTemplate(txt::kMemoPage, n); }

}  // namespace site
