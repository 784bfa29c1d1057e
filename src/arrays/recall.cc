#include "arrays/recall.h"

#include <array>

#include "arrays/access.h"
#include "arrays/armess.h"
#include "arrays/booking.h"
#include "arrays/directory.h"
#include "arrays/keywords.h"
#include "arrays/views.h"
#include "dms/messages.h"
#include "dms/names.h"
#include "io/text.h"
#include "raflib/readers.h"

namespace arrays {

namespace {

// The recall instructions and the store codes each selects.
struct Instruction {
  std::string_view text;
  std::array<int32_t, 3> codes;
  int count;
};
constexpr std::array<Instruction, 6> kInstructions = {{
    {"**Recall structure data**", {1, 4, 5}, 3},
    {"**Recall control data  **", {11}, 1},
    {"**Recall global data   **", {13}, 1},
    {"**Recall exclusive data *", {50}, 1},
    {"**Recall result data   **", {3, 5}, 2},
    {"**Recall restart data  **", {2, 4}, 2},
}};

bool selects(const Instruction& in, int32_t code) {
  for (int i = 0; i < in.count; ++i) {
    if (in.codes[static_cast<std::size_t>(i)] == code) return true;
  }
  return false;
}

// How a record is stored on the file and delivered, and its reader.
enum class FileType { kInteger, kSingle, kWidened, kDouble };
using Reader = void (*)(std::span<std::byte>, int32_t, int32_t, int32_t, int32_t&);
constexpr std::array<Reader, 4> kReaders = {raflib::RAFGIN, raflib::RAFGRE, raflib::RAFGRD,
                                            raflib::RAFGDP};

// Reads n elements of record key into buf; the RAFLIB status.
int32_t read_raf(std::span<std::byte> buf, int32_t n, int32_t key, FileType t, int32_t iraf) {
  int32_t st = 0;
  kReaders[static_cast<std::size_t>(t)](buf, n, key, iraf, st);
  return st;
}

// The file type of a record of type code itype (1 integers, 2 single
// precision, 3 double precision, stored single when single is 1); false for
// a code of no reader.
bool file_type(int32_t itype, int32_t single, FileType& t) {
  switch (itype) {
    case kTypeInteger:
      t = FileType::kInteger;
      return true;
    case kTypeSingle:
      t = FileType::kSingle;
      return true;
    case kTypeReal:
      t = single == 1 ? FileType::kWidened : FileType::kDouble;
      return true;
    default:
      return false;
  }
}

// Reads the record into the array booked at ipoint, by its type code: 0, or
// the RAFLIB status (which refuses more elements than the storage holds),
// or -1 for an element count beyond 32 bits or a type code of no reader:
// such an entry comes from a damaged directory, and an array left unread
// must not pass for a recalled one.
int32_t read_record(io::WorkArray& ia, std::string_view name, int32_t ipoint, const Keys& k,
                    int32_t iraf) {
  const std::span<std::byte> bytes = storage_bytes(ia, name, ipoint);
  if (k.itype == kTypeInteger8) {
    const int64_t words = int64_t{k.ndim} * k.nwpe;
    if (words < 0 || words > INT32_MAX) return -1;
    return read_raf(bytes, static_cast<int32_t>(words), k.key, FileType::kInteger, iraf);
  }
  FileType t;
  if (!file_type(k.itype, k.refl, t)) return -1;
  return read_raf(bytes, k.ndim, k.key, t, iraf);
}

}  // namespace

Keys entry_keys(const Entry& e, int32_t n, int32_t irfins, io::IntView numraf, io::IntView keyraf) {
  Keys k;
  k.itype = e(kTypeCode);
  k.nwpe = e(kElementWords);
  k.ndim = e(kDimension);
  k.icode = e(kStoreCode);
  k.ser1 = e(kOnceSerial);
  k.ser2 = e(kPostSerial);
  k.ser3 = e(kRestSerial);
  k.refl = e(kSingleFlag);
  k.key = ARRKEY(n, irfins, numraf, keyraf);
  k.type = type_keyword(k.itype, k.refl);
  k.store = store_keyword(k.icode);
  return k;
}

void keys_of(io::WorkArray& ia, std::string_view name, int32_t irfins, Keys& k, int32_t imsg,
             int32_t& istat) {
  ARKEYS(ia, name, irfins, k.key, k.itype, k.nwpe, k.ndim, k.icode, k.ser1, k.ser2, k.ser3, k.refl,
         k.store.span(), k.type.span(), imsg, istat);
}

int32_t ARRKEY(int32_t n, int32_t irfins, io::IntView numraf, io::IntView keyraf) {
  if (!numraf.has(kRafBase)) return -1;
  const Entry e(keyraf, numraf(kEntryLength), n);
  if (!e.valid()) return -1;
  const int64_t n4 = numraf(kFileOnce), n5 = numraf(kFilePost), n6 = numraf(kFileRest);
  const int64_t k0 = numraf(kRafBase);
  if (n4 + n5 + n6 <= 0) return 0;
  const StoreInfo* s = store_code_info(e(kStoreCode));
  if (s == nullptr) return 0;
  int64_t key = 0;
  if (irfins >= 1 && (s->post || s->rest)) {
    const int64_t step = k0 + n4 + (int64_t{irfins} - 1) * (n5 + n6);
    key = s->post ? step + e(kPostSerial) : step + n5 + e(kRestSerial);
  } else if (s->once) {
    key = k0 + e(kOnceSerial);
  } else {
    return 0;
  }
  return key > k0 && key <= INT32_MAX ? static_cast<int32_t>(key) : -1;
}

void ARKEYS(io::WorkArray& ia, std::string_view name, int32_t irfins, int32_t& key, int32_t& itype,
            int32_t& nwpe, int32_t& ndim, int32_t& icode, int32_t& iser1, int32_t& iser2,
            int32_t& iser3, int32_t& irefl, std::span<char> store, std::span<char> type,
            int32_t imsg, int32_t& istat) {
  if (istat != 0) return;
  auto fail = [&] {
    write_group(imsg, "*** ERROR IN ARKEYS ***");
    dms::decrease(istat);
  };
  int32_t n = 0;
  ARNUMB(ia, name, n, imsg, istat);
  if (istat != 0 || n < 1) return fail();
  int32_t pnum = 0, pkey = 0;
  ARPOIN(ia, kNumraf, pnum, imsg, istat);
  ARPOIN(ia, kKeyraf, pkey, imsg, istat);
  if (istat != 0) return fail();
  const io::IntView numraf = numraf_view(ia, pnum);
  const io::IntView keyraf = int_view(ia, kKeyraf, pkey);
  const Entry e(keyraf, numraf.size() > 0 ? numraf(kEntryLength) : 0, n);
  if (!e.valid()) return fail();
  const Keys k = entry_keys(e, n, irfins, numraf, keyraf);
  itype = k.itype;
  nwpe = k.nwpe;
  ndim = k.ndim;
  icode = k.icode;
  iser1 = k.ser1;
  iser2 = k.ser2;
  iser3 = k.ser3;
  irefl = k.refl;
  key = k.key;
  io::assign(type, k.type.view());
  io::assign(store, k.store.view());
}

void ARRECL(io::WorkArray& ia, std::string_view instr, int32_t irfins, int32_t iraf, int32_t imsg,
            int32_t& istat) {
  if (istat != 0) return;
  constexpr std::string_view kHeader = "*** ERROR IN ARRECL ***";
  io::Text<8> field;
  auto fail = [&] {
    dms::decrease(istat);
    report(imsg, kCodeFailed, {kHeader});
  };
  auto read_failure = [&] {
    dms::decrease(istat);
    report(imsg, kCodeFailed, {kHeader, kLf, "Occured during recall  of: ", field.view()});
  };
  int32_t pnum = 0, pkey = 0;
  ARPOIN(ia, kNumraf, pnum, imsg, istat);
  ARPOIN(ia, kKeyraf, pkey, imsg, istat);
  const io::IntView numraf = numraf_view(ia, pnum);
  const io::IntView keyraf = int_view(ia, kKeyraf, pkey);
  if (istat != 0 || numraf.size() == 0) return read_failure();
  const int32_t e = numraf(kEntryLength);

  const io::Text<25> text(instr);
  const Instruction* in = nullptr;
  for (const Instruction& i : kInstructions) {
    if (text.view() == i.text) in = &i;
  }
  if (in == nullptr) {
    dms::decrease(istat);
    return report(imsg, kCodeFailed, {kHeader, kLf, "Unknown Instruction      : ", text.view()});
  }

  for (int64_t i = dms::kFirstNumber; i <= numraf(kNumbers); ++i) {
    const Entry entry(keyraf, e, i);
    if (!entry.valid()) return fail();
    const int32_t code = entry(kStoreCode);
    if (code == kDirectoryCode || !selects(*in, code)) continue;
    int32_t nchar = 0;
    dms::DMSNAM(ia, static_cast<int32_t>(i), 0, field.span(), nchar);
    if (nchar == 0) continue;
    const std::string_view name = field.view().substr(0, static_cast<std::size_t>(nchar));
    Keys k;
    keys_of(ia, name, irfins, k, imsg, istat);
    if (istat != 0) return fail();
    if (k.key == 0) continue;
    if (k.key < 0) return read_failure();
    int32_t ipoint = 0;
    ARBOOK(ia, name, ipoint, k.ndim, k.store, k.type, imsg, istat);
    if (istat != 0) return fail();
    if (read_record(ia, name, ipoint, k, iraf) != 0) return read_failure();
  }
}

void ARREC1(io::WorkArray& ia, std::string_view name, int32_t& ipoint, int32_t irfins, int32_t iraf,
            int32_t imsg, int32_t& istat) {
  if (istat != 0) return;
  constexpr std::string_view kHeader = "*** ERROR IN ARREC1 ***";
  auto fail = [&] {
    dms::decrease(istat);
    report(imsg, kCodeFailed, {kHeader});
  };
  auto recall_failure = [&] {
    dms::decrease(istat);
    report(imsg, kCodeFailed, {kHeader, kLf, "Error During Recallin Array: ", name});
  };
  if (dms::DMSNUM(ia, io::trimmed(name), 0) < 1) return;
  Keys k;
  keys_of(ia, name, irfins, k, imsg, istat);
  if (istat != 0) return fail();
  if (k.key <= 0) return recall_failure();
  ARBOOK(ia, name, ipoint, k.ndim, k.store, k.type, imsg, istat);
  if (istat != 0) return fail();
  if (read_record(ia, name, ipoint, k, iraf) != 0) recall_failure();
}

void GTARAF(std::span<std::byte> buf, int32_t nwords, int32_t key, int32_t itype, int32_t iprec,
            int32_t iraf, int32_t imsg, int32_t& istat) {
  if (istat != 0) return;
  FileType t;
  if (!file_type(itype, iprec, t)) return;
  if (read_raf(buf, nwords, key, t, iraf) != 0) set_failed(imsg, "*** ERROR IN GTARAF ***", istat);
}

}  // namespace arrays
