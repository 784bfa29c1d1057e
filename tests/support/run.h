// Test support: runs a built program in a directory with its standard input
// taken from a text, and collects its exit status and output.
#ifndef RAF2SIF_TESTS_SUPPORT_RUN_H_
#define RAF2SIF_TESTS_SUPPORT_RUN_H_

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace testing_support {

struct RunResult {
  int status = -1;  // exit status, or 128 + signal number
  std::string out;
  std::string err;
};

// Runs program with args in dir; input is fed to its standard input.
inline RunResult run_program(const std::string& program, const std::vector<std::string>& args,
                             const std::string& input, const std::filesystem::path& dir) {
  const std::filesystem::path in = dir / ".stdin", out = dir / ".stdout", err = dir / ".stderr";
  write_file(in, input);
  const pid_t pid = fork();
  if (pid == 0) {
    const auto redirect = [](const std::filesystem::path& path, int flags, int fd) {
      const int f = open(path.c_str(), flags, 0644);
      if (f < 0 || dup2(f, fd) < 0) _exit(126);
      close(f);
    };
    if (chdir(dir.c_str()) != 0) _exit(126);
    redirect(in, O_RDONLY, 0);
    redirect(out, O_WRONLY | O_CREAT | O_TRUNC, 1);
    redirect(err, O_WRONLY | O_CREAT | O_TRUNC, 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  RunResult r;
  int wstatus = 0;
  if (pid > 0 && waitpid(pid, &wstatus, 0) == pid) {
    r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  }
  r.out = read_file(out);
  r.err = read_file(err);
  std::filesystem::remove(in);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return r;
}

}  // namespace testing_support

#endif  // RAF2SIF_TESTS_SUPPORT_RUN_H_
