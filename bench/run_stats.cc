// run_stats: runs a command with its standard input from a file and prints
// its wall time in seconds, its peak resident memory in KiB, its exit status
// and the CPU seconds it spent in user and in system mode:
//
//   run_stats INPUT COMMAND [ARGS...]
//     ->   "<seconds> <max-rss-kib> <exit-status> <user-seconds> <system-seconds>"
//
// The benchmark scripts use it where /usr/bin/time may not be installed.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: run_stats INPUT COMMAND [ARGS...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open(argv[1], O_RDONLY);
    const int out = open("/dev/null", O_WRONLY);
    if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0) _exit(126);
    execv(argv[2], argv + 2);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) return 2;
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  const auto seconds = [](timeval t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
  std::printf("%.4f %ld %d %.3f %.3f\n", wall.count(), usage.ru_maxrss,
              WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
              seconds(usage.ru_utime), seconds(usage.ru_stime));
  return 0;
}
