// Runs one shell command in a folder and prints its wall-clock time and the
// processor time it and its children used, in seconds, with microseconds, and
// the bytes they read (rchar of /proc/self/io: every byte that read() and its
// kin returned, from any file system, tmpfs included; -1 without /proc):
//
//   vornami_bench_time DIR COMMAND   ->   "wall user system bytes" on stdout
//
// The command's own output goes to /dev/null. Exit status: the command's, or
// 1 when it could not be run.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double Seconds(const timeval& tv) { return static_cast<double>(tv.tv_sec) + tv.tv_usec / 1e6; }

// The bytes this process and its waited-for children have read so far.
long long BytesRead() {
  std::FILE* io = std::fopen("/proc/self/io", "r");
  if (!io) return -1;
  long long rchar = -1;
  char line[128];
  while (std::fgets(line, sizeof line, io))
    if (std::strncmp(line, "rchar: ", 7) == 0) rchar = std::atoll(line + 7);
  std::fclose(io);
  return rchar;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: vornami_bench_time DIR COMMAND\n");
    return 64;
  }
  const long long bytesBefore = BytesRead();
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("fork");
    return 1;
  }
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null < 0 || chdir(argv[1]) != 0) _exit(127);
    dup2(null, 1);
    dup2(null, 2);
    execl("/bin/sh", "sh", "-c", argv[2], static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) {
    std::perror("wait4");
    return 1;
  }
  const auto end = std::chrono::steady_clock::now();
  const long long bytesAfter = BytesRead();
  std::printf("%.6f %.6f %.6f %lld\n", std::chrono::duration<double>(end - start).count(),
              Seconds(usage.ru_utime), Seconds(usage.ru_stime),
              bytesBefore < 0 || bytesAfter < 0 ? -1 : bytesAfter - bytesBefore);
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 1;
}
