// The progress of a long conversion on one updating line of standard error:
// the pass, the stored step being written and the share of the pass done,
// as "forces: stored step 3 of 12 (25%)". Shown only when standard error is
// a terminal, so that the console output and the files stay as they are
// everywhere else, and at most a few times per second.
#ifndef RAF2SIF_DRIVER_PROGRESS_H_
#define RAF2SIF_DRIVER_PROGRESS_H_

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace driver {

class Progress {
 public:
  // Progress over passes of `total` stored steps each, shown on the file
  // descriptor fd when it is a terminal.
  explicit Progress(int32_t total, int fd = 2);
  // Clears the line, so that whatever follows starts on an empty one.
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // Stored step `step` of the pass is being written. Shown when the pass
  // changes, and otherwise when the last update is old enough.
  void show(std::string_view pass, int32_t step);

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr Clock::duration kInterval = std::chrono::milliseconds(250);

  int32_t total_;
  int fd_;
  bool terminal_;
  std::string_view pass_;
  Clock::time_point last_;
  std::size_t shown_ = 0;  // characters on the line
};

}  // namespace driver

#endif  // RAF2SIF_DRIVER_PROGRESS_H_
