// Build tool: turns a UTF-8 page or script of the gallery template into the
// Shift-JIS (CP932) file with CR LF line ends that the gallery ships.
//
//   sjis_pages INPUT OUTPUT [VERSION]
//
// With VERSION, every "@PROJECT_VERSION@" becomes it: the fixed pages carry
// the version of the program that ships them, for the gallery's upgrade.
// A CR LF in the input counts as one line end, like a lone LF; a character
// that Shift-JIS cannot hold stops the build with its line number.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "cp932_tool.h"

namespace {}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::cerr << "usage: sjis_pages INPUT OUTPUT [VERSION]\n";
    return 64;
  }
  const std::string placeholder = "@PROJECT_VERSION@";
  const bool stamp = argc == 4;
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) Fail(argv[1], "cannot open");
  std::ostringstream out;
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (std::size_t at = 0; stamp && (at = line.find(placeholder, at)) != std::string::npos;)
      line.replace(at, placeholder.size(), argv[3]);
    out << ToCp932(line, std::string(argv[1]) + ":" + std::to_string(lineNo)) << "\r\n";
  }
  std::filesystem::path target(argv[2]);
  std::error_code ec;
  std::filesystem::create_directories(target.parent_path(), ec);
  std::ofstream file(target, std::ios::binary);
  file << out.str();
  file.close();
  if (!file) Fail(argv[2], "cannot write");
  return 0;
}
