// The progress line: shown on a terminal only, a few times per second, and
// cleared at the end; the converter's standard error on a pseudo-terminal
// while its SIF file stays byte for byte the reference one.
#include "driver/progress.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/temp_dir.h"
#include "writer/frame.h"
#include "writer/write_raf.h"

namespace {

using testing_support::read_file;

// A pseudo-terminal whose slave side is the terminal under test.
class Terminal {
 public:
  Terminal() { ok_ = openpty(&master_, &slave_, nullptr, nullptr, nullptr) == 0; }
  ~Terminal() {
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }
  bool ok() const { return ok_; }
  int slave() const { return slave_; }
  void close_slave() {
    close(slave_);
    slave_ = -1;
  }
  // What reached the terminal since the last call: everything that arrives
  // until the other side is closed or stays silent for quiet_ms.
  std::string drain(int quiet_ms = 200) {
    std::string text;
    char buf[4096];
    pollfd p{master_, POLLIN, 0};
    while (poll(&p, 1, quiet_ms) > 0) {
      const ssize_t n = read(master_, buf, sizeof buf);
      if (n <= 0) break;
      text.append(buf, static_cast<std::size_t>(n));
    }
    return text;
  }

 private:
  int master_ = -1, slave_ = -1;
  bool ok_ = false;
};

TEST(Progress, NothingWithoutATerminal) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  {
    driver::Progress p(3, fds[1]);
    p.show("forces", 1);
    p.show("displacements", 1);
  }
  close(fds[1]);
  char c;
  EXPECT_EQ(read(fds[0], &c, 1), 0) << "something was written";
  close(fds[0]);
}

TEST(Progress, OnATerminalThePassTheStepAndTheShareAtMostAFewTimesASecond) {
  Terminal t;
  ASSERT_TRUE(t.ok());
  {
    driver::Progress p(12, t.slave());
    p.show("forces", 3);
    for (int32_t step = 4; step <= 12; ++step) p.show("forces", step);  // too soon
    EXPECT_EQ(t.drain(), "\rforces: stored step  3 of 12 ( 25%)");
    p.show("displacements", 1);  // a new pass is shown at once
    EXPECT_EQ(t.drain(), "\rdisplacements: stored step  1 of 12 (  8%)");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    p.show("displacements", 12);
    EXPECT_EQ(t.drain(), "\rdisplacements: stored step 12 of 12 (100%)");
  }
  EXPECT_EQ(t.drain(), "\r" + std::string(42, ' ') + "\r") << "the line is cleared";
}

TEST(Progress, AShorterLineCoversALongerOne) {
  Terminal t;
  ASSERT_TRUE(t.ok());
  driver::Progress p(5, t.slave());
  p.show("displacements", 2);
  t.drain();
  p.show("forces", 2);
  EXPECT_EQ(t.drain(), "\rforces: stored step 2 of 5 ( 40%)" + std::string(7, ' '));
}

class ConvertOnATerminal : public testing_support::InTempDir {};

TEST_F(ConvertOnATerminal, TheProgressGoesToStandardErrorAndTheSifFileIsUnchanged) {
  ASSERT_EQ(writer::write_raf(writer::sample_frame(), "model.raf"), 0);
  testing_support::write_file("answers", "model\nout.sif\n\n\n");
  Terminal t;
  ASSERT_TRUE(t.ok());
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    const int in = open("answers", O_RDONLY);
    const int out = open("stdout", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(t.slave(), 2) < 0) {
      _exit(126);
    }
    execl(RAF2SIF_BINARY, RAF2SIF_BINARY, static_cast<char*>(nullptr));
    _exit(127);
  }
  t.close_slave();
  const std::string err = t.drain(60000);  // until the converter has ended
  int wstatus = 0;
  ASSERT_EQ(waitpid(pid, &wstatus, 0), pid);
  ASSERT_TRUE(WIFEXITED(wstatus));
  EXPECT_EQ(WEXITSTATUS(wstatus), 0) << err;
  // Further steps of a pass show only on a machine slow enough to take a
  // quarter of a second over them.
  EXPECT_EQ(err.rfind("\rforces: stored step 1 of 3 ( 33%)", 0), 0u) << err;
  EXPECT_NE(err.find("\rdisplacements: stored step 1 of 3 ( 33%)"), std::string::npos) << err;
  const std::string cleared = "\r" + std::string(40, ' ') + "\r";
  ASSERT_GE(err.size(), cleared.size());
  EXPECT_EQ(err.substr(err.size() - cleared.size()), cleared);
  EXPECT_EQ(read_file("out.sif"), read_file(RAF2SIF_GOLDEN_DIR "/sample.sif"));
  EXPECT_EQ(read_file("stdout").find("stored step"), std::string::npos);
}

}  // namespace
