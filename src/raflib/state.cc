#include "raflib/state.h"

#include <cassert>

namespace raflib {

State& state() {
  static State s;
  return s;
}

Slot& current_slot() {
  State& s = state();
  assert(s.current >= 1 && s.current <= kSlots);
  return s.slots[s.current - 1];
}

void reset() {
  state() = State{};
}

}  // namespace raflib
