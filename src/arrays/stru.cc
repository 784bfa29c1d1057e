#include "arrays/stru.h"

#include "arrays/armess.h"
#include "arrays/identifiers.h"
#include "dms/messages.h"
#include "io/text.h"

namespace arrays {

namespace {

constexpr int64_t kDirectoryHeader = 5;

// Where an identifier was looked for and what was found.
struct Place {
  bool directory = true;  // the directory layout (or an MSTRU too short to tell)
  io::IntView d;          // the directory; empty when it does not fit MSTRU
  int32_t k = 0;          // the identifier's number; 0 = not found
};

Place look_up(io::IntView mstru, std::string_view name) {
  Place p;
  if (mstru.has(1) && mstru(1) >= 0) {
    p.directory = false;
    p.k = IDFIX(name);
    return p;
  }
  p.d = identifier_directory(mstru);
  if (p.d.size() > 0) p.k = IDXIST(p.d, name);
  return p;
}

bool adds(const Place& p) {
  return p.directory && p.d.size() >= kDirectoryHeader && p.d(kIdAdding) != 0;
}

void not_found(std::string_view routine, std::string_view header, std::string_view name,
               int32_t imsg, int32_t& istat) {
  write_leaving(imsg, header, "PARAMETER NOT FOUND:", name, routine);
  dms::decrease(istat);
}

}  // namespace

io::IntView identifier_directory(io::IntView mstru) {
  if (!mstru.has(2) || mstru(1) >= 0) return {};
  const int64_t m = mstru(2);
  if (m < 0 || m + kDirectoryHeader > mstru.size()) return {};
  return io::IntView(mstru.work(), mstru.word(m + 1), mstru.size() - m);
}

int32_t GTSTRU(io::IntView mstru, std::string_view name, int32_t imsg, int32_t& istat) {
  if (istat != 0) return 0;
  const Place p = look_up(mstru, name);
  if (p.k >= 1 && mstru.has(p.k)) return mstru(p.k);
  const bool silent = p.directory ? adds(p) : p.k == 0;
  if (!silent) not_found("GTSTRU", "*** ERROR IN GTSTRU ***", name, imsg, istat);
  return 0;
}

void PTSTRU(io::IntView mstru, std::string_view name, int32_t ival, int32_t imsg, int32_t& istat) {
  if (istat != 0) return;
  const Place p = look_up(mstru, name);
  if (p.k >= 1 && mstru.has(p.k)) return mstru.set(p.k, ival);
  const io::Text<8> field(name);
  if (adds(p) && io::LENNB(field) > 0) {
    int32_t index = mstru(1);
    IDADD(p.d, field, index);
    if (index > 0 && mstru.has(index)) return mstru.set(index, ival);
  }
  not_found("PTSTRU", "*** ERROR IN PTSTRU ***", name, imsg, istat);
}

}  // namespace arrays
