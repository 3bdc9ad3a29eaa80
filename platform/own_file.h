#pragma once
// How a file of its own (WriteOwnFile) treats the entry it finds at its path on
// Windows, where links and junctions are reparse points: the rule alone, so
// that it can be tested where no link can be made.

namespace platform {

enum class ExistingEntry {
  kWriteInPlace,  // a plain file with no other name: truncated and written
  kReplace,       // a link, a junction or a file with other names: removed, a new file made
  kRefuse,        // a real folder or a device: the write fails
};

// attributes are the entry's FILE_ATTRIBUTE_* bits (as the entry itself has
// them, not what it points to), links its number of names.
ExistingEntry JudgeExistingEntry(unsigned long attributes, unsigned long links);

}  // namespace platform
