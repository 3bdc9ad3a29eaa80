// Build tool: turns a UTF-8 text table into a header of Shift-JIS (CP932) byte strings.
//
// Input lines:
//   # comment
//   kName "text"            -> inline constexpr char kName[] = "...";
//   kName {                 -> inline constexpr const char* kName[] = { "...", ... };
//     "line one"
//     "line two"
//   }
// Quoted texts take the C escapes \" \\ \n \r \t.
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cp932_tool.h"

namespace {

// Parses one quoted literal starting at s[pos] == '"'.
std::string ParseQuoted(const std::string& s, size_t& pos, const std::string& where) {
  if (pos >= s.size() || s[pos] != '"') Fail(where, "expected a quoted text");
  std::string text;
  for (++pos; pos < s.size(); ++pos) {
    char c = s[pos];
    if (c == '"') {
      ++pos;
      return text;
    }
    if (c == '\\') {
      if (++pos >= s.size()) break;
      switch (s[pos]) {
        case 'n':
          text += '\n';
          break;
        case 'r':
          text += '\r';
          break;
        case 't':
          text += '\t';
          break;
        case '"':
          text += '"';
          break;
        case '\\':
          text += '\\';
          break;
        default:
          Fail(where, "unknown escape");
      }
    } else {
      text += c;
    }
  }
  Fail(where, "unterminated text");
}

// Every byte outside printable ASCII becomes a three-digit octal escape, which
// cannot run into a following digit the way a hex escape would.
std::string CLiteral(const std::string& bytes) {
  std::string out = "\"";
  for (unsigned char b : bytes) {
    if (b == '"' || b == '\\' || b == '?') {
      out += '\\';
      out += static_cast<char>(b);
    } else if (b >= 0x20 && b < 0x7f) {
      out += static_cast<char>(b);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", b);
      out += buf;
    }
  }
  return out + "\"";
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: sjis_texts INPUT.txt OUTPUT.h\n";
    return 64;
  }
  std::ifstream in(argv[1]);
  if (!in) Fail(argv[1], "cannot open");
  std::ostringstream out;
  out << "// Generated from " << argv[1] << " by sjis_texts. Do not edit.\n"
      << "#pragma once\n\nnamespace txt {\n\n";
  std::string line;
  int lineNo = 0;
  std::string arrayName;
  std::vector<std::string> arrayItems;
  while (std::getline(in, line)) {
    ++lineNo;
    std::string where = std::string(argv[1]) + ":" + std::to_string(lineNo);
    std::string t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    if (!arrayName.empty()) {
      if (t == "}") {
        out << "inline constexpr const char* " << arrayName << "[] = {\n";
        for (const auto& item : arrayItems) out << "    " << item << ",\n";
        out << "};\n";
        arrayName.clear();
        arrayItems.clear();
        continue;
      }
      size_t pos = 0;
      arrayItems.push_back(CLiteral(ToCp932(ParseQuoted(t, pos, where), where)));
      continue;
    }
    size_t space = t.find_first_of(" \t");
    if (space == std::string::npos) Fail(where, "expected a name and a text");
    std::string name = t.substr(0, space);
    std::string rest = Trim(t.substr(space));
    if (rest == "{") {
      arrayName = name;
      continue;
    }
    size_t pos = 0;
    std::string text = ParseQuoted(rest, pos, where);
    out << "inline constexpr char " << name << "[] = " << CLiteral(ToCp932(text, where)) << ";\n";
  }
  if (!arrayName.empty()) Fail(argv[1], "unterminated list " + arrayName);
  out << "\n}  // namespace txt\n";
  std::ofstream file(argv[2], std::ios::binary);
  file << out.str();
  return file ? 0 : 1;
}
