#include "tests/support/run_program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {
std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args) {
  std::string path = std::string(VORNAMI_BIN_DIR) + "/" + program;
  char outName[] = "/tmp/vornami-out-XXXXXX";
  char errName[] = "/tmp/vornami-err-XXXXXX";
  int outFd = mkstemp(outName);
  int errFd = mkstemp(errName);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, outFd, 1);
  posix_spawn_file_actions_adddup2(&actions, errFd, 2);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  std::vector<char*> argv;
  argv.push_back(path.data());
  std::vector<std::string> copies = args;
  for (auto& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  ProgramResult result;
  pid_t pid;
  if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  close(outFd);
  close(errFd);
  result.out = Slurp(outName);
  result.err = Slurp(errName);
  unlink(outName);
  unlink(errName);
  return result;
}
