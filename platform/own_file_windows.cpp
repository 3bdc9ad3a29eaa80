#include <windows.h>

#include "platform/own_file.h"

namespace platform {

ExistingEntry JudgeExistingEntry(unsigned long attributes, unsigned long links) {
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return ExistingEntry::kReplace;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))
    return ExistingEntry::kRefuse;
  return links > 1 ? ExistingEntry::kReplace : ExistingEntry::kWriteInPlace;
}

}  // namespace platform
