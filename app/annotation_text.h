#pragma once
// What "登録・更新" accepts from an edit: text that Shift-JIS can hold and
// whose line, after escaping, still fits its line buffer.
#include <cstddef>
#include <string>

#include "platform/result.h"

namespace annotation {

enum class Field { kTheme, kTitle, kMemo };

// The longest value whose line fits the field's buffer for photo n, counted in
// bytes after escaping and with each memo line break as the 4 bytes of "<br>":
// theme 179; title 182 / 181 / 180; memo 987 / 986 / 985 (photo numbers below
// 10 / below 100 / from 100; one less again for photo 1000).
std::size_t MaxValueBytes(Field field, int photoNumber);

// Converts an edit's UTF-8 text (line breaks CR LF) to Shift-JIS and composes
// the field's table line (Shift-JIS) for photo n. Fails with a message for the
// user in UTF-8, naming the field, when a character has no Shift-JIS form or
// the line would not fit.
platform::Result<std::string> ComposeFromEdit(Field field, const std::string& utf8,
                                              int photoNumber);

}  // namespace annotation
