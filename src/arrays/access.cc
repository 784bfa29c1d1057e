#include "arrays/access.h"

#include "arrays/armess.h"
#include "arrays/directory.h"
#include "arrays/state.h"
#include "dms/messages.h"
#include "dms/names.h"
#include "dms/queries.h"
#include "dms/storage.h"
#include "dms/vectors.h"
#include "io/fields.h"
#include "io/text.h"
#include "io/units.h"

namespace arrays {

namespace {

constexpr int32_t kFirstFileUnit = 6;  // units below are the console's

// The pointer of name, or false after the block headed `header` (on unit,
// when it is 1 or more).
bool find_pointer(io::WorkArray& ia, std::string_view name, std::string_view header, int32_t unit,
                  int32_t& ipoint, int32_t& istat) {
  const std::string_view n = io::trimmed(name);
  const int32_t dim = dms::DMSINF(ia, n, dms::kInfDimension);
  const int32_t size = dms::DMSINF(ia, n, dms::kInfElementWords);
  const int32_t addr = dms::DMSINF(ia, n, dms::kInfAddress);
  std::string_view detail;
  if (size == kPlaceholderWords && dim == 0) {
    detail = "*** Array not allocated : ";
  } else if (addr == 0) {
    detail = "*** Array is released   : ";
  } else {
    ipoint = dms::DMSPTN(ia, n, 0);
    const bool failed = dms::DMSSTA(ia) < 0;
    if (!failed) return true;
  }
  write_group(unit, header);
  if (!detail.empty()) {
    write_group(unit, detail, n);
    write_empty(unit, 2);
  }
  dms::decrease(istat);
  return false;
}

}  // namespace

void ARPOIN(io::WorkArray& ia, std::string_view name, int32_t& ipoint, int32_t imsg,
            int32_t& istat) {
  if (istat != 0) return;
  find_pointer(ia, name, "*** ERROR IN ARPOIN ***", imsg, ipoint, istat);
}

int32_t ARGTIP(io::WorkArray& ia, std::string_view name, int32_t imsg, int32_t& istat) {
  int32_t& last = state().argtip;
  if (istat != 0) return last;
  const int32_t unit = imsg > io::kConsoleIn ? imsg : 0;
  int32_t ipoint = 0;
  if (find_pointer(ia, name, "*** ERROR IN ARGTIP ***", unit, ipoint, istat)) last = ipoint;
  return last;
}

void ARNUMB(io::WorkArray& ia, std::string_view name, int32_t& number, int32_t imsg,
            int32_t& istat) {
  if (istat != 0) return;
  number = dms::DMSNUM(ia, io::trimmed(name), 0);
  if (dms::DMSSTA(ia) < 0) {
    write_group(imsg, "*** ERROR IN ARNUMB ***");
    dms::decrease(istat);
  }
}

void ARZERO(io::WorkArray& ia, std::string_view name, int32_t imsg, int32_t& istat) {
  if (istat != 0) return;
  const std::string_view n = io::trimmed(name);
  bool failed = dms::DMSSTA(ia) < 0;
  if (!failed) {
    const int64_t dim = dms::DMSINF(ia, n, dms::kInfDimension);
    const int64_t size = dms::DMSINF(ia, n, dms::kInfElementWords);
    const int64_t addr = dms::DMSINF(ia, n, dms::kInfAddress);
    if (addr != 0) {
      failed = dim < 0 || size < 1 || !ia.has_words(addr, dim * size);
      if (!failed) {
        dms::IVFILL(io::IntView(ia, addr, dim * size), static_cast<int32_t>(dim),
                    static_cast<int32_t>(size), 0);
      }
    }
  }
  if (failed || dms::DMSSTA(ia) < 0) {
    write_group(imsg, "*** ERROR IN ARZERO ***");
    dms::decrease(istat);
  }
}

void ARFREE(io::WorkArray& ia, std::string_view name, std::string_view msg, int32_t imsg,
            int32_t& istat) {
  if (istat != 0) return;
  constexpr std::string_view kHeader = "*** ERROR IN ARFREE ***";
  const int32_t unit = imsg >= kFirstFileUnit ? imsg : 0;
  auto fail = [&](std::string_view detail) {
    write_group(unit, kHeader);
    if (!detail.empty() && unit > 0) {
      io::write_record(unit, io::Line().x(6).a(detail).a(name).view());
    }
    dms::decrease(istat);
  };
  const bool clean = io::Text<5>(msg).view() == "CLEAN";
  if (!clean && io::Text<7>(msg).view() != "NOCLEAN") {
    return fail("Illegal release message for array :");
  }
  const std::string_view n = io::trimmed(name);
  const int32_t number = dms::DMSNUM(ia, n, 0);
  if (dms::DMSSTA(ia) < 0) return fail({});
  if (clean) {
    ARZERO(ia, name, imsg, istat);
    if (istat != 0) return fail({});
  }
  if (number != 0) {
    io::IntView numraf, keyraf;
    if (!directory_views(ia, numraf, keyraf)) return fail({});
    Entry entry(keyraf, numraf(kEntryLength), number);
    if (!entry.valid()) return fail({});
    if (entry(kStoreCode) == 0) {
      if (entry(kOnceSerial) != 0 || entry(kPostSerial) != 0 || entry(kRestSerial) != 0) {
        return fail("Illegal raf - number for array :");
      }
      for (int w = 1; w <= kEntryWords; ++w) entry.set(w, 0);
    }
  }
  dms::DMSRLN(ia, n, 0);
  if (dms::DMSSTA(ia) < 0) fail({});
}

}  // namespace arrays
