#pragma once
// A value → text table of the information page: each stored code a camera
// writes, with the text the page shows for it.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

struct CodeText {
  std::uint32_t code;
  const char* text;  // Shift-JIS
};

using CodeTable = std::span<const CodeText>;

// The text listed for code; nothing when the table does not list it.
inline std::optional<std::string_view> FindText(CodeTable table, std::uint32_t code) {
  for (const CodeText& entry : table)
    if (entry.code == code) return entry.text;
  return std::nullopt;
}
