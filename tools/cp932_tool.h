#pragma once
// What the two build tools share: stopping the build with a reason, and
// turning UTF-8 into Shift-JIS (CP932) bytes.
#include <iconv.h>

#include <cstdlib>
#include <iostream>
#include <string>

[[noreturn]] inline void Fail(const std::string& where, const std::string& why) {
  std::cerr << where << ": " << why << "\n";
  std::exit(1);
}

inline std::string ToCp932(const std::string& utf8, const std::string& where) {
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
