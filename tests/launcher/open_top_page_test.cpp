#include "launcher/open_top_page.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "launcher/top_page_path.h"
#include "tests/support/temp_gallery.h"

namespace fs = std::filesystem;

namespace {

// Puts a fake "xdg-open" first on PATH that writes its argument to a file (or
// a FIFO), so that the test sees what the desktop would have been asked to open.
class FakeOpener {
 public:
  explicit FakeOpener(const fs::path& dir) : bin_(dir / "bin"), out_(dir / "opened") {
    fs::create_directories(bin_);
    std::ofstream script(bin_ / "xdg-open");
    script << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" << out_.string() << "'\n";
    script.close();
    fs::permissions(bin_ / "xdg-open", fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    oldPath_ = path ? path : "";
    setenv("PATH", (bin_.string() + ":" + oldPath_).c_str(), 1);
  }
  ~FakeOpener() { setenv("PATH", oldPath_.c_str(), 1); }

  const fs::path& bin() const { return bin_; }
  const fs::path& out() const { return out_; }

 private:
  fs::path bin_, out_;
  std::string oldPath_;
};

std::string WaitAndRead(pid_t pid, const fs::path& file) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return "";
  return TempGallery::ReadFile(file.string());
}

TEST(OpenTopPage, OpensTheTopPageAtTheMountPointOfTheCurrentDirectory) {
  TempGallery gallery;
  FakeOpener opener(gallery.root());
  fs::create_directories("gallery/section/action");
  fs::current_path("gallery/section/action");
  std::string expected = launcher::MountRoot(fs::current_path().string(), launcher::StatDevice);
  if (expected == "/") expected.clear();
  expected += "/vornami/vornamitop.html";

  pid_t pid = launcher::OpenTopPage();
  ASSERT_GT(pid, 0);
  EXPECT_EQ(WaitAndRead(pid, opener.out()), "1|" + expected);
}

// Runs the built launcher through the shell; its exit code and everything it printed.
std::pair<int, std::string> RunLauncher(const std::string& pathVariable) {
  std::string command = "PATH='" + pathVariable + "' '" + VORNAMI_BIN_DIR +
                        "/launcher' ignored arguments > launcher.out 2>&1";
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, TempGallery::ReadFile("launcher.out")};
}

TEST(LauncherProgram, EndsWithZeroAndPrintsNothingWhenNoOpenerExists) {
  TempGallery gallery(false);
  auto [code, output] = RunLauncher((gallery.root() / "empty").string());
  EXPECT_EQ(code, 0);
  EXPECT_EQ(output, "");
}

TEST(LauncherProgram, HandsTheTopPageToTheOpenerWithoutWaitingForIt) {
  TempGallery gallery(false);
  FakeOpener opener(gallery.root());
  // The fake opener writes into a FIFO: the read below returns once it ran,
  // long after the launcher itself has ended.
  ASSERT_EQ(mkfifo(opener.out().c_str(), 0600), 0);
  int fifo = open(opener.out().c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(fifo, 0);

  auto [code, output] = RunLauncher(opener.bin().string() + ":/usr/bin:/bin");
  EXPECT_EQ(code, 0);
  EXPECT_EQ(output, "");

  std::string expected = launcher::MountRoot(gallery.root().string(), launcher::StatDevice);
  if (expected == "/") expected.clear();
  expected += "/vornami/vornamitop.html";
  std::string got;
  pollfd p{fifo, POLLIN, 0};
  while (poll(&p, 1, 30000) > 0) {
    char buf[256];
    ssize_t n = read(fifo, buf, sizeof buf);
    if (n <= 0) break;
    got.append(buf, static_cast<std::size_t>(n));
  }
  close(fifo);
  EXPECT_EQ(got, "1|" + expected);
}

}  // namespace
