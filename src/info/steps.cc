#include "info/steps.h"

#include <string>

#include "arrays/steps.h"

namespace info {

std::optional<Failure> read_steps(io::IntView mglres, int32_t mxglpr, int32_t mxstep, Steps& s) {
  s.present = true;
  s.mxglpr = mxglpr;
  s.mxstep = mxstep;
  if (mxglpr < arrays::kStepWordStored || mxstep < 0 || mglres.size() < int64_t{mxglpr} * mxstep) {
    return Failure{"MGLRES", 0,
                   std::to_string(mglres.size()) +
                       " words do not hold MXSTEP = " + std::to_string(mxstep) +
                       " steps of MXGLPR = " + std::to_string(mxglpr) + " words"};
  }
  int32_t istat = 0;
  s.count = arrays::STPCNT(mglres, mxglpr, mxstep, istat);
  for (int32_t step = 1; step <= s.count; ++step) {
    const int32_t flag = arrays::stored_flag(mglres, mxglpr, step);
    if (arrays::is_stored(flag)) s.stored.push_back(step);
    if (flag != 0 && !arrays::is_stored(flag)) {
      return Failure{
          "MGLRES", 0,
          "step " + std::to_string(step) + " has the stored flag " + std::to_string(flag)};
    }
  }
  return std::nullopt;
}

}  // namespace info
