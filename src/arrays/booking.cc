#include "arrays/booking.h"

#include <algorithm>

#include "arrays/access.h"
#include "arrays/armess.h"
#include "arrays/directory.h"
#include "arrays/keywords.h"
#include "arrays/state.h"
#include "arrays/views.h"
#include "dms/messages.h"
#include "dms/names.h"
#include "dms/queries.h"
#include "dms/storage.h"
#include "io/fields.h"
#include "io/text.h"

namespace arrays {

namespace {

constexpr std::string_view kHeader = "*** ERROR IN ARBOOK ***";

// The keywords and the entry an update writes, checked in the order of the
// routine's messages; false after its block.
struct Checked {
  const ArrayType* type = nullptr;
  const StoreInfo* store = nullptr;
};

bool check(io::IntView keyraf, int32_t n, std::string_view store, std::string_view type, int32_t e,
           io::IntView numraf, std::string_view routine, int32_t imsg, int32_t& istat, Checked& c) {
  const io::Line header = io::Line().a("*** ERROR IN ").a(routine).a(" ***");
  auto fail = [&](std::string_view detail, std::string_view value) {
    write_leaving(imsg, header.view(), detail, value, routine);
    dms::decrease(istat);
    return false;
  };
  c.type = array_type(type);
  if (c.type == nullptr) return fail("UNKNOWN ARRAY-TYPE:", io::Text<2>(type).view());
  c.store = store_info(store);
  if (c.store == nullptr) return fail("UNKNOWN STORE-INFO:", io::Text<4>(store).view());
  if (!Entry(keyraf, e, n).valid() || numraf.size() < kDivisor) {
    return fail("ILLEGAL ARRAY-NUMBER:", io::Line().i(n, 8).view());
  }
  return true;
}

int32_t pointer_word(io::IntView numraf, int32_t ipoint) {
  return ipoint / std::max(numraf(kDivisor), 1);
}

// The words of an entry that registers an array: its type, shape, store
// code, precision and, unless it is scratch, its pointer word.
void set_registration(Entry& entry, const Checked& c, int32_t ndim, int32_t nwpe,
                      io::IntView numraf, int32_t ipoint) {
  entry.set(kTypeCode, c.type->code);
  entry.set(kElementWords, nwpe);
  entry.set(kDimension, ndim);
  entry.set(kStoreCode, c.store->code);
  entry.set(kSingleFlag, c.type->single ? 1 : 0);
  if (!c.store->scratch) entry.set(kPointerWord, pointer_word(numraf, ipoint));
}

}  // namespace

void ARINFO(io::IntView keyraf, int32_t n, std::string_view store, std::string_view type,
            int32_t ndim, int32_t nwpe, int32_t e, io::IntView numraf, int32_t ipoint, int32_t imsg,
            int32_t& istat) {
  if (istat != 0) return;
  Checked c;
  if (!check(keyraf, n, store, type, e, numraf, "ARINFO", imsg, istat, c)) return;
  Entry entry(keyraf, e, n);
  set_registration(entry, c, ndim, nwpe, numraf, ipoint);
  if (c.store->code != 0) {
    entry.set(kOnceSerial, numraf(kOnceCounter));
    entry.set(kPostSerial, numraf(kPostCounter));
    entry.set(kRestSerial, numraf(kRestCounter));
  }
}

void ARUPDA(io::IntView keyraf, int32_t n, std::string_view store, std::string_view type,
            int32_t ndim, int32_t nwpe, io::IntView numraf, int32_t e, int32_t ipoint, int32_t imsg,
            int32_t& istat) {
  if (istat != 0) return;
  Checked c;
  if (!check(keyraf, n, store, type, e, numraf, "ARUPDA", imsg, istat, c)) return;
  Entry entry(keyraf, e, n);
  if (c.store->code == 0) {
    set_registration(entry, c, ndim, nwpe, numraf, ipoint);
  } else {
    entry.set(kDimension, ndim);
    entry.set(kPointerWord, pointer_word(numraf, ipoint));
  }
}

void ARBOOK(io::WorkArray& ia, std::string_view name, int32_t& ipoint, int32_t ndim,
            std::string_view store, std::string_view type, int32_t imsg, int32_t& istat) {
  if (istat != 0) return;
  auto fail = [&](int32_t code, std::string_view detail = {}) {
    dms::decrease(istat);
    if (detail.empty()) return report(imsg, code, {kHeader});
    report(imsg, code, {kHeader, kLf, detail, name});
  };
  const std::string_view n = io::trimmed(name);

  // The directory, and the words per element of the type.
  io::IntView numraf, keyraf;
  const bool directory = directory_views(ia, numraf, keyraf);
  io::IntView iarrnm = int_view(ia, kIarrnm, dms::DMSPTN(ia, kIarrnm, 0));
  if (const ArrayType* t = array_type(type)) state().nwpe = t->words;
  const int32_t nwpe = state().nwpe;

  // The numbering mode.
  const int32_t mode = dms::DMSMOD(ia);
  const bool implicit =
      mode == dms::kModeImplicit || mode == dms::kModeSecondary + dms::kModeImplicit;
  if (!implicit && mode != dms::kModeExplicit && mode != dms::kModeSecondary + dms::kModeExplicit) {
    dms::decrease(istat);
    return report(imsg, kCodeFailed,
                  {kHeader, kLf, "DMS not prepared for Name Option  ", kLf,
                   "Occured during booking of: ", name});
  }
  if (!directory) return fail(kCodeFailed);

  // What the DMS holds under the name now.
  int32_t d0 = dms::DMSINF(ia, n, dms::kInfDimension);
  int32_t w0 = dms::DMSINF(ia, n, dms::kInfElementWords);
  if (!implicit) {
    const int32_t a0 = dms::DMSINF(ia, n, dms::kInfAddress);
    ipoint = a0;
    if (d0 == 0 && a0 <= 0 && w0 == kPlaceholderWords) w0 = 0;
  } else if (d0 == dms::kInfNoName && w0 == dms::kInfNoName) {
    d0 = w0 = 0;
  }
  if (w0 >= 1) {
    const int32_t a0 = dms::DMSINF(ia, n, dms::kInfAddress);
    ipoint = a0;
    if (a0 > 0) {
      if (w0 != nwpe) return fail(kCodeFailed, "Re-allocatng with new data-type for array: ");
      if (d0 != ndim) return fail(kCodeFailed, "Re-allocatng with new lengthfor array: ");
      ipoint = dms::DMSPTN(ia, n, 0);
      if (dms::DMSSTA(ia) < 0) fail(kCodeFailed);
      return;
    }
    if (w0 != nwpe && int64_t{w0} * nwpe > 0) {
      return fail(kCodeFailed, "Re-allocatng with new data-type for array: ");
    }
  }

  // Room, definition and storage.
  const int64_t free =
      int64_t{dms::DMSGEN(ia, dms::kGenNwiwa)} - dms::DMSGEN(ia, dms::kGenNextFree) + 1;
  if (int64_t{ndim} * nwpe > free) return fail(kCodeNoSpace, "Insufficient space for array ");
  int32_t number = 0;
  if (!implicit || w0 >= 1) {
    number = dms::DMSNUM(ia, n, 0);
    dms::DMSDFN(ia, n, number, ndim, nwpe, 0);
  } else {
    dms::DMSDFN(ia, n, 0, ndim, nwpe, 0);
    number = dms::DMSNUM(ia, n, 0);
  }
  ipoint = dms::DMSPTN(ia, n, 0);
  if (dms::DMSSTA(ia) < 0) return fail(kCodeFailed);

  // The directory entry.
  const int32_t e = numraf(kEntryLength);
  Entry entry(keyraf, e, number);
  if (!entry.valid()) return fail(kCodeFailed);
  if (entry(kTypeCode) == 0 && w0 == 0) {
    if (implicit && !store_name(ia, iarrnm, number, n)) return fail(kCodeFailed);
    if (const StoreInfo* s = store_info(store)) {
      if (s->once) advance(numraf, kOnceCounter);
      if (s->post) advance(numraf, kPostCounter);
      if (s->rest) advance(numraf, kRestCounter);
    }
    ARINFO(keyraf, number, store, type, ndim, nwpe, e, numraf, ipoint, imsg, istat);
    if (istat != 0) return fail(kCodeFailed);
    if (dms::DMSGEN(ia, dms::kGenNotZeroed) == 0) {
      ARZERO(ia, name, imsg, istat);
      if (istat != 0) return fail(kCodeFailed);
    }
  } else {
    ARUPDA(keyraf, number, store, type, ndim, nwpe, numraf, e, ipoint, imsg, istat);
    if (istat != 0) return fail(kCodeFailed);
  }
}

}  // namespace arrays
