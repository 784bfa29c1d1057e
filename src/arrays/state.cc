#include "arrays/state.h"

namespace arrays {

State& state() {
  static State s;
  return s;
}

void reset() {
  state() = State{};
}

}  // namespace arrays
