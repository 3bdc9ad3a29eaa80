#include "app/gallery_file_replace.h"

#include "platform/text_file.h"
#include "texts/app_texts.h"

std::optional<std::string> ReplaceGalleryFileFailure(const char* path, const std::string& text) {
  const platform::ReplaceResult result = platform::ReplaceTextFile(path, text);
  if (result) return std::nullopt;
  if (result.readOnly) return txt::kReadOnlyHead + std::string(path) + txt::kReadOnlyTail;
  return txt::kCannotWritePrefix + std::string(path);
}
