#include <spawn.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

#include "launcher/open_top_page.h"
#include "launcher/top_page_path.h"

extern char** environ;

namespace launcher {

pid_t StartOpener(const std::string& page) {
  std::string program = "xdg-open";
  std::string argument = page;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = -1;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
  return pid;
}

namespace {
std::optional<std::string> CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return std::nullopt;
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data());
}
}  // namespace

pid_t OpenTopPage() {
  std::optional<std::string> dir = CurrentDirectory();
  std::optional<std::string> page =
      TopPagePath(dir ? std::optional<std::string_view>(*dir) : std::nullopt, StatDevice);
  if (!page) return -1;
  return StartOpener(*page);
}

}  // namespace launcher
