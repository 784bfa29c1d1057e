#include "arrays/directory.h"

#include "arrays/views.h"
#include "dms/names.h"
#include "dms/storage.h"

namespace arrays {

io::IntView numraf_view(io::WorkArray& ia, int32_t ipoint) {
  const io::IntView v = int_view(ia, kNumraf, ipoint);
  return v.size() >= kNumrafWords ? v : io::IntView();
}

bool directory_views(io::WorkArray& ia, io::IntView& numraf, io::IntView& keyraf) {
  numraf = numraf_view(ia, dms::DMSPTN(ia, kNumraf, 0));
  keyraf = int_view(ia, kKeyraf, dms::DMSPTN(ia, kKeyraf, 0));
  return numraf.size() > 0 && keyraf.size() > 0;
}

bool store_name(io::WorkArray& ia, io::IntView iarrnm, int64_t n, std::string_view name) {
  if (!iarrnm.has(2 * n)) return false;
  int32_t cn1 = 0, cn2 = 0;
  dms::DMSCHN(ia, name, 0, cn1, cn2);
  iarrnm.set(2 * n - 1, cn1);
  iarrnm.set(2 * n, cn2);
  return true;
}

void advance(io::IntView numraf, int64_t counter) {
  if (numraf(counter) < INT32_MAX) numraf.set(counter, numraf(counter) + 1);
}

}  // namespace arrays
