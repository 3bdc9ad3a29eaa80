#include "app/gallery_file_replace.h"

#include "platform/text_file.h"
#include "texts/app_texts.h"

std::string WriteFailureMessage(const std::string& path) {
  if (platform::IsWriteProtected(path)) return txt::kReadOnlyHead + path + txt::kReadOnlyTail;
  return txt::kCannotWritePrefix + path;
}
