#include "io/clock.h"

#include <ctime>

namespace io {

namespace {
int64_t g_fixed = -1;
}  // namespace

LocalTime local_time() {
  const std::time_t t = g_fixed >= 0 ? static_cast<std::time_t>(g_fixed) : std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void fix_clock(int64_t t) {
  g_fixed = t;
}

}  // namespace io
