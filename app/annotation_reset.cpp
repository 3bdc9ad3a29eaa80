#include "app/annotation_reset.h"

#include <algorithm>

#include "app/line_rules.h"
#include "texts/app_texts.h"

void ResetAnnotations(DataTables& tables, int photoCount) {
  for (int i = 0; i < kHeaderLines; ++i) {
    tables.title[i] = txt::kTitleHeader[i];
    tables.memo[i] = txt::kMemoHeader[i];
  }
  const int last = std::clamp(photoCount, 0, kMaxPhotos);
  for (int n = 1; n <= last; ++n) {
    tables.title[n + 2] = lines::Compose(lines::TitlePrefix(n), "");
    tables.memo[n + 2] = lines::ComposeMemo(lines::MemoPrefix(n), "");
  }
}
