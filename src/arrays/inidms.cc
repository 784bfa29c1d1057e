#include "arrays/inidms.h"

#include <algorithm>
#include <array>

#include "arrays/access.h"
#include "arrays/armess.h"
#include "arrays/booking.h"
#include "arrays/directory.h"
#include "arrays/recall.h"
#include "arrays/views.h"
#include "dms/messages.h"
#include "dms/names.h"
#include "dms/open.h"
#include "dms/queries.h"
#include "dms/storage.h"
#include "dms/vectors.h"
#include "io/fields.h"
#include "io/text.h"
#include "io/units.h"

namespace arrays {

namespace {

constexpr int kMaxNameChars = 8;
inline constexpr std::string_view kMscra = "MSCRA";

// Slot i (1-based) of the name table, in an 8-character field.
io::Text<kMaxNameChars> slot(std::string_view namtab, int32_t nnames, int32_t i) {
  const std::size_t length = namtab.size() / static_cast<std::size_t>(nnames);
  return io::Text<kMaxNameChars>(namtab.substr((static_cast<std::size_t>(i) - 1) * length, length));
}

// The directory arrays in the order of their numbers after the table.
struct DirectoryArray {
  std::string_view name;
  int64_t words_per_number;  // 0: a fixed size of kNumrafWords
};
constexpr std::array<DirectoryArray, 3> kDirectoryArrays = {{
    {kNumraf, 0},
    {kKeyraf, kEntryWords},
    {kIarrnm, 2},
}};

}  // namespace

void INIDMS(io::WorkArray& ia, int32_t nw, std::string_view namtab, int32_t nnames, int32_t nchar,
            int32_t iraf, int32_t imsg, int32_t& istat) {
  if (istat != 0) return;
  if (nnames > INT32_MAX - 3) {
    istat = -1;
  } else {
    int32_t ierr = 0;
    dms::DMSOPN_32(ia, nw, -(nnames + 3), 0, imsg, ierr);
    if (ierr < 0) {
      istat = -1;
    } else {
      ARINI1(ia, namtab, nchar, nnames, iraf, imsg, istat);
    }
  }
  if (istat != 0) set_failed(imsg, "*** ERROR IN INIDMS ***", istat);
}

void ARINI1(io::WorkArray& ia, std::string_view namtab, int32_t nchar, int32_t nnames, int32_t iraf,
            int32_t imsg, int32_t& istat) {
  if (istat != 0) return;
  auto fail = [&] { set_failed(imsg, "*** ERROR IN ARINI1 ***", istat); };
  std::array<int32_t, kNumrafWords> lnum{};
  ARINIT(ia, namtab, nchar, nnames, dms::kExplicitNumbering, imsg, istat);
  GTARAF(std::as_writable_bytes(std::span(lnum)), kNumrafWords, kStoredNumraf, 1, 0, iraf, imsg,
         istat);
  if (istat != 0) return fail();
  const int64_t e = lnum[kEntryLength - 1];
  const int64_t n = lnum[kNumbers - 1];
  if (lnum[kRafBase - 1] != kBase) return fail();

  int32_t pnum = 0;
  ARPOIN(ia, kNumraf, pnum, imsg, istat);
  io::IntView numraf = numraf_view(ia, pnum);
  if (istat != 0 || numraf.size() == 0) return fail();
  // The stored entries are merged word for word, so they must have the
  // length of the entries in memory; their number must fit the booking.
  if (e != numraf(kEntryLength) || n < 0 || (e + 2) * n > INT32_MAX) return fail();
  for (int64_t w = kFileOnce; w <= kFileRest; ++w) numraf.set(w, lnum[w - 1]);

  int32_t pscra = 0;
  ARBOOK(ia, kMscra, pscra, static_cast<int32_t>((e + 2) * n), "SKIP", "IN", imsg, istat);
  if (istat != 0) return fail();
  const io::IntView scratch = int_view(ia, kMscra, pscra);
  if (scratch.size() != (e + 2) * n) return fail();
  const io::IntView fkey(ia, scratch.word(1), e * n);
  const io::IntView fnam(ia, scratch.word(e * n + 1), 2 * n);
  GTARAF(as_bytes(fkey), static_cast<int32_t>(e * n), kStoredKeyraf, 1, 0, iraf, imsg, istat);
  GTARAF(as_bytes(fnam), static_cast<int32_t>(2 * n), kStoredIarrnm, 1, 0, iraf, imsg, istat);

  int32_t pkey = 0, pnam = 0;
  ARPOIN(ia, kKeyraf, pkey, imsg, istat);
  ARPOIN(ia, kIarrnm, pnam, imsg, istat);
  if (istat != 0) return fail();
  ARMERG(fnam, fkey, static_cast<int32_t>(n), static_cast<int32_t>(e), int_view(ia, kIarrnm, pnam),
         int_view(ia, kKeyraf, pkey), nnames);
  ARFREE(ia, kMscra, "NOCLEAN", imsg, istat);
  if (istat != 0) fail();
}

void ARINIT(io::WorkArray& ia, std::string_view namtab, int32_t nchar, int32_t nnames, int32_t kind,
            int32_t imsg, int32_t& istat) {
  if (istat != 0) return;
  auto fail = [&] { set_failed(imsg, "*** ERROR IN ARINIT ***", istat); };
  const int64_t numbers = int64_t{nnames} + 3;
  if (nchar > kMaxNameChars || nnames < 0 || kEntryWords * numbers > INT32_MAX) return fail();
  dms::DMSANN(ia, kind, dms::kKeepCase, 0);
  if (dms::DMSSTA(ia) < 0) return fail();

  const int32_t available = dms::DMSGEN(ia, dms::kGenHighestNumber);
  if (available < numbers) {
    write_group(imsg, "*** ERROR IN ARINIT ***");
    if (imsg > 0) {
      io::write_record(imsg, "");
      io::write_record(imsg, io::Line().x(6).a("DMS initiated with too few array_numbers ").view());
      io::write_record(imsg, io::Line().x(6).a("Required : ").i(numbers, 8).view());
      io::write_record(imsg, io::Line().x(6).a("Available: ").i(available, 8).view());
    }
    dms::decrease(istat);
    return report(imsg, kCodeNone, {});
  }

  // Definitions: the table's names as placeholders, then the directory.
  const bool explicit_numbers = kind == dms::kExplicitNumbering;
  if (explicit_numbers) {
    for (int32_t i = dms::kFirstNumber; i <= nnames; ++i) {
      const auto name = slot(namtab, nnames, i);
      if (io::LENNB(name) > 0) dms::DMSDFN(ia, io::trimmed(name), i, 0, kPlaceholderWords, 0);
    }
  }
  for (std::size_t k = 0; k < kDirectoryArrays.size(); ++k) {
    const DirectoryArray& d = kDirectoryArrays[k];
    const int64_t dim = d.words_per_number == 0 ? kNumrafWords : d.words_per_number * numbers;
    const int64_t number = explicit_numbers ? nnames + 1 + static_cast<int64_t>(k) : 0;
    dms::DMSDFN(ia, d.name, static_cast<int32_t>(number), static_cast<int32_t>(dim), 1, 0);
  }
  if (dms::DMSSTA(ia) < 0) return fail();

  // Storage, cleared; the constants; the directory arrays' own entries.
  std::array<int32_t, 3> pointers{};
  std::array<io::IntView, 3> views;
  for (std::size_t k = 0; k < kDirectoryArrays.size(); ++k) {
    pointers[k] = dms::DMSPTN(ia, kDirectoryArrays[k].name, 0);
    views[k] = int_view(ia, kDirectoryArrays[k].name, pointers[k]);
    dms::IVFILL(views[k], static_cast<int32_t>(views[k].size()), 1, 0);
  }
  io::IntView numraf = numraf_view(ia, pointers[0]);
  const io::IntView keyraf = views[1];
  const io::IntView iarrnm = views[2];
  if (numraf.size() == 0 || keyraf.size() == 0 || iarrnm.size() == 0) return fail();
  numraf.set(kOnceCounter, 1);
  numraf.set(kEntryLength, kEntryWords);
  numraf.set(kNumbers, static_cast<int32_t>(numbers));
  numraf.set(kNameLength, nchar);
  numraf.set(kRafBase, kBase);
  numraf.set(kDivisor, kBase);
  for (std::size_t k = 0; k < kDirectoryArrays.size(); ++k) {
    const std::string_view name = kDirectoryArrays[k].name;
    if (k > 0) advance(numraf, kOnceCounter);
    ARINFO(keyraf, dms::DMSNUM(ia, name, 0), "-AR-", "IN",
           dms::DMSINF(ia, name, dms::kInfDimension), 1, numraf(kEntryLength), numraf, pointers[k],
           imsg, istat);
    if (istat != 0) return fail();
  }

  // The character numbers of every name.
  if (explicit_numbers) {
    for (int32_t i = dms::kFirstNumber; i <= nnames; ++i) {
      const auto name = slot(namtab, nnames, i);
      if (io::LENNB(name) > 0) store_name(ia, iarrnm, i, io::trimmed(name));
    }
  }
  for (const DirectoryArray& d : kDirectoryArrays) {
    store_name(ia, iarrnm, dms::DMSNUM(ia, d.name, 0), d.name);
  }
  if (dms::DMSSTA(ia) < 0) fail();
}

void ARMERG(io::IntView fnam, io::IntView fkey, int32_t nf, int32_t e, io::IntView inam,
            io::IntView ikey, int32_t nnames) {
  if (e < 1) return;
  const int64_t known = std::min({int64_t{nnames}, inam.size() / 2, ikey.size() / e});
  const int64_t stored = std::min({int64_t{nf}, fnam.size() / 2, fkey.size() / e});
  for (int64_t m = 1; m <= known; ++m) {
    const int32_t cn1 = inam(2 * m - 1), cn2 = inam(2 * m);
    if (cn1 == 0 && cn2 == 0) continue;
    for (int64_t f = 1; f <= stored; ++f) {
      if (fnam(2 * f - 1) != cn1 || fnam(2 * f) != cn2) continue;
      for (int64_t w = 1; w <= e; ++w) ikey.set((m - 1) * e + w, fkey((f - 1) * e + w));
      break;
    }
  }
}

}  // namespace arrays
