#include "sif/state.h"

namespace sif {

State& state() {
  static State s;
  return s;
}

void reset() {
  state() = State{};
}

}  // namespace sif
