#include "driver/progress.h"

#include <unistd.h>

#include <algorithm>

#include "io/fields.h"

namespace driver {

namespace {

void write_all(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n <= 0) return;  // a terminal that cannot be written shows nothing
    text.remove_prefix(static_cast<std::size_t>(n));
  }
}

int digits(int64_t v) {
  int n = 1;
  for (; v >= 10; v /= 10) ++n;
  return n;
}

}  // namespace

Progress::Progress(int32_t total, int fd) : total_(total), fd_(fd), terminal_(::isatty(fd) == 1) {}

Progress::~Progress() {
  if (shown_ == 0) return;
  write_all(fd_, io::Line().a("\r").x(static_cast<int>(shown_)).a("\r").view());
}

void Progress::show(std::string_view pass, int32_t step) {
  if (!terminal_) return;
  const Clock::time_point now = Clock::now();
  if (pass == pass_ && now - last_ < kInterval) return;
  pass_ = pass;
  last_ = now;
  const int width = digits(std::max(total_, 1));
  const int64_t percent = total_ > 0 ? int64_t{100} * step / total_ : 100;
  io::Line line;
  line.a("\r").a(pass).a(": stored step ").i(step, width).a(" of ").i(total_, width);
  line.a(" (").i(percent, 3).a("%)");
  const std::size_t length = line.size() - 1;
  if (length < shown_) line.x(static_cast<int>(shown_ - length));
  write_all(fd_, line.view());
  shown_ = std::max(shown_, length);
}

}  // namespace driver
