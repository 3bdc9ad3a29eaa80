// Build tool: turns a UTF-8 page or script of the gallery template into the
// Shift-JIS (CP932) file with CR LF line ends that the gallery ships.
//
//   sjis_pages INPUT OUTPUT
//
// A CR LF in the input counts as one line end, like a lone LF; a character
// that Shift-JIS cannot hold stops the build with its line number.
#include <iconv.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

[[noreturn]] void Fail(const std::string& where, const std::string& why) {
  std::cerr << where << ": " << why << "\n";
  std::exit(1);
}

std::string ToCp932(const std::string& utf8, const std::string& where) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) Fail(where, "iconv has no CP932");
  std::string out(utf8.size() * 2 + 1, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) Fail(where, "a character that Shift-JIS cannot hold");
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: sjis_pages INPUT OUTPUT\n";
    return 64;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) Fail(argv[1], "cannot open");
  std::ostringstream out;
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
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
