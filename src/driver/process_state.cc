#include "driver/process_state.h"

#include "arrays/state.h"
#include "dms/names.h"
#include "io/clock.h"
#include "io/units.h"
#include "raflib/state.h"
#include "sif/state.h"

namespace driver {

void reset_process_state() {
  io::reset();
  io::fix_clock(-1);
  raflib::reset();
  dms::reset();
  arrays::reset();
  sif::reset();
}

}  // namespace driver
