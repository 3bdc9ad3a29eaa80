#pragma once
// How a value becomes a line of a data file and comes back out of it. All texts
// are Shift-JIS bytes; lengths count bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace lines {

// Line buffers: one line with its "\n" and a terminating zero.
inline constexpr std::size_t kLineSize = 200;
inline constexpr std::size_t kMemoLineSize = 1000;

std::string SubjectPrefix();     // var subjectName="
std::string TitlePrefix(int n);  // titleName[n]="
std::string MemoPrefix(int n);   // note[n]="

// Quotes and backslashes typed by the user would end the script's string early:
// they are stored as \" and \\. A 0x5C that is the second byte of a Shift-JIS
// character is part of that character and stays as it is.
std::string Escape(std::string_view text);
std::string Unescape(std::string_view text);

// prefix + value + "\";" + "\n", the value escaped.
std::string Compose(const std::string& prefix, std::string_view value);
// As Compose, then every CR LF of the whole line becomes "<br>".
std::string ComposeMemo(const std::string& prefix, std::string_view memo);
// A colour line: prefix + "#rrggbb" + "\";" + "\n", nothing escaped.
std::string ComposeColour(const std::string& prefix, std::string_view value);

// Removes prefixLength leading bytes and the last three (quote, semicolon,
// line end); empty when the line is shorter than that. Then unescapes.
std::string Extract(std::string_view line, std::size_t prefixLength);
// As Extract, with every "<br>" turned back into CR LF.
std::string ExtractMemo(std::string_view line, std::size_t prefixLength);
// A colour value: as Extract, without unescaping.
std::string ExtractColour(std::string_view line, std::size_t prefixLength);

// Every CR and LF byte removed, one "\n" appended.
std::string Normalise(std::string_view line);

// Whether a line of a data file (its line end taken off) is prefix + the body
// of a string literal + "\";": the browser reads the body as one string, with
// no quote or line end left unescaped, no escape it would refuse (\x, \u, \0
// to \9) and no lead byte without its second byte.
bool HasValueForm(std::string_view line, std::string_view prefix);
// Whether the line is one comment: "/*" ... "*/" with no "*/" before its end.
bool IsCommentLine(std::string_view line);

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace lines
