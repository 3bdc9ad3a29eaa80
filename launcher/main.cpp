// launcher: opens the gallery's top page from the root of the disc it is
// started on, and ends at once. No window, no output, exit code 0; only
// --help and --version are answered (on standard output), any other argument
// is ignored.
#include <cstdio>
#include <cstring>

#include "launcher/open_top_page.h"
#include "texts/version_texts.h"

namespace {

// The name it was started by: "launcher" in a gallery, "vornami-launcher" installed.
const char* ProgramName(const char* argv0) {
  const char* slash = std::strrchr(argv0, '/');
  return slash ? slash + 1 : argv0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* name = argc > 0 ? ProgramName(argv[0]) : "launcher";
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::printf(
          "usage: %s\n"
          "Opens ROOT/vornami/vornamitop.html with xdg-open, ROOT being the root of the\n"
          "disc (the mount point) that holds the current directory, and ends at once.\n"
          "Prints nothing and always ends with exit status 0.\n"
          "--help prints this text, --version the program's version.\n",
          name);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-V") == 0) {
      std::printf("%s %s\n", name, txt::kProgramVersion);
      return 0;
    }
  }
  launcher::OpenTopPage();
  return 0;
}
