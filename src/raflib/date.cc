#include "raflib/date.h"

#include "io/clock.h"
#include "io/fields.h"
#include "io/text.h"

namespace raflib {

void RFDATE(std::span<char> text, int form) {
  const io::LocalTime t = io::local_time();
  io::Line line;
  if (form == 1) {
    line.iz(t.year, 4)
        .iz(t.month, 2)
        .iz(t.day, 2)
        .x(2)
        .iz(t.hour, 2)
        .iz(t.minute, 2)
        .iz(t.second, 2);
  } else {
    line.iz(t.year % 100, 2).a("-").iz(t.month, 2).a("-").iz(t.day, 2).x(1);
    line.iz(t.hour, 2).a(":").iz(t.minute, 2).a(":").iz(t.second, 2);
  }
  io::assign(text, line.view());
}

}  // namespace raflib
