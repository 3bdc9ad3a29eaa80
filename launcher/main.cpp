// launcher: opens the gallery's top page from the root of the disc it is
// started on, and ends at once. No window, no output, exit code 0.
#include "launcher/open_top_page.h"

int main() {
  launcher::OpenTopPage();
  return 0;
}
