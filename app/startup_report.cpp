#include "app/startup_report.h"

#include <algorithm>

#include "texts/app_texts.h"

namespace {
constexpr std::size_t kNamesShown = 10;
constexpr char kThumbnailPrefix[] = "Tn_";
}  // namespace

std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) {
    if (i > 0) text += txt::kNameSeparator;
    text += names[i];
  }
  if (names.size() > kNamesShown)
    text += txt::kMoreNamesHead + std::to_string(names.size() - kNamesShown) + txt::kMoreNamesTail;
  return text;
}

std::string ThumbnailMismatchMessage(const std::vector<std::string>& photos,
                                     const std::vector<std::string>& thumbnails) {
  std::vector<std::string> withoutThumbnail;
  for (const auto& photo : photos) {
    if (!std::binary_search(thumbnails.begin(), thumbnails.end(), kThumbnailPrefix + photo))
      withoutThumbnail.push_back(photo);
  }
  std::vector<std::string> withoutPhoto;
  for (const auto& thumbnail : thumbnails) {
    const bool named = thumbnail.rfind(kThumbnailPrefix, 0) == 0;
    if (!named || !std::binary_search(photos.begin(), photos.end(), thumbnail.substr(3)))
      withoutPhoto.push_back(thumbnail);
  }
  if (withoutThumbnail.empty() && withoutPhoto.empty()) return "";
  std::string text = txt::kThumbnailMismatchHead;
  if (!withoutThumbnail.empty())
    text += txt::kPhotosWithoutThumbnail + JoinNames(withoutThumbnail) + txt::kListClose;
  if (!withoutPhoto.empty())
    text += txt::kThumbnailsWithoutPhoto + JoinNames(withoutPhoto) + txt::kListClose;
  return text + txt::kThumbnailMismatchTail;
}

std::vector<std::string> DamagedLinesMessages(const std::vector<DamagedLines>& damaged) {
  std::vector<std::string> messages;
  for (const auto& file : damaged) {
    std::vector<std::string> numbers;
    for (int n : file.lineNumbers) numbers.push_back(std::to_string(n));
    messages.push_back(txt::kDamagedLinesHead + std::string(file.path) + txt::kDamagedLinesMiddle +
                       JoinNames(numbers) + txt::kDamagedLinesTail);
  }
  return messages;
}
