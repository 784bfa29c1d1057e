#include "raf_mutator.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "arrays/identifiers.h"
#include "driver/process_state.h"
#include "info/gather.h"
#include "input.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t max_size);

namespace fuzz {

namespace {

constexpr int64_t kRecord = 512;
constexpr const char* kScratchFile = "mutator.raf";

constexpr std::array<int32_t, 22> kInts = {
    0,
    1,
    -1,
    2,
    3,
    4,
    5,
    7,
    10,
    12,
    13,
    100,
    101,
    127,
    128,
    255,
    256,
    65536,
    std::numeric_limits<int32_t>::max(),
    std::numeric_limits<int32_t>::min(),
    1 << 30,
    -12345,
};
constexpr std::array<double, 18> kReals = {
    std::numeric_limits<double>::quiet_NaN(),
    -std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    std::numeric_limits<double>::max(),
    -std::numeric_limits<double>::max(),
    std::numeric_limits<double>::denorm_min(),
    std::numeric_limits<double>::min(),
    1e300,
    -1e300,
    1e-300,
    0.0,
    -0.0,
    1.0,
    -1.0,
    0.5,
    1e-6,
    1e38,
};
constexpr std::array<float, 6> kFloats = {
    std::numeric_limits<float>::max(),
    std::numeric_limits<float>::min(),
    std::numeric_limits<float>::denorm_min(),
    -std::numeric_limits<float>::max(),
    3.4e38f,
    1e-38f,
};
// Store codes of the directory, and a few that no keyword gives.
constexpr std::array<int32_t, 13> kStoreCodes = {0, 1, 2, 3, 4, 5, 11, 13, 50, 51, 6, -1, 99};
// Computer types: both byte orders, and one that cannot be read here.
constexpr std::array<int32_t, 8> kComputerTypes = {5, 8, 12, 14, 15, 7, 0, 99};

// A numeric field of the key: its first column (1-based) and width.
struct KeyField {
  int32_t column, width;
};
constexpr std::array<KeyField, 13> kKeyFields = {{
    {9, 4},
    {13, 4},
    {57, 4},
    {109, 4},
    {113, 4},
    {117, 8},
    {125, 8},
    {133, 8},
    {141, 8},
    {149, 8},
    {157, 4},
    {161, 8},
    {169, 8},
}};

// The fixed layout of MSTRU has 200 words; directory words D(1) to D(5).
constexpr int32_t kMstruDirectoryWords = 5;

class Mutator {
 public:
  Mutator(std::vector<uint8_t>& raf, Header& header, const info::Facts& facts, unsigned seed)
      : raf_(raf), header_(header), facts_(facts), rng_(seed) {
    swapped_ = facts.key && facts.key->converted;
    for (const info::MfpEntry& e : *facts.mfp) {
      for (int32_t n : {e.allocated, e.stored}) interesting_.push_back(n);
    }
    if (facts.parameters) {
      for (const info::Parameter& p : facts.parameters->values) interesting_.push_back(p.value);
    }
  }

  // One structured mutation; false when the one chosen found nothing to
  // work on.
  bool mutate() {
    switch (below(20)) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
      case 6:
        return array_value();
      case 7:
      case 8:
        return directory_word();
      case 9:
      case 10:
        return mstru_word();
      case 11:
      case 12:
        return mfp_word();
      case 13:
      case 14:
        return key_field();
      case 15:
      case 16:
        return header_field();
      case 17:
        return copy_values();
      default:
        return truncate();
    }
  }

 private:
  uint32_t below(uint32_t n) { return n == 0 ? 0 : static_cast<uint32_t>(rng_() % n); }
  template <typename T, std::size_t N>
  T pick(const std::array<T, N>& a) {
    return a[below(N)];
  }

  // A value near one the file holds (counts, lengths, parameters), or one of
  // the edges of the integers.
  int32_t integer(int32_t current) {
    switch (below(5)) {
      case 0:
        return pick(kInts);
      case 1:
        return near(current, 2);
      case 2:
        return static_cast<int32_t>(below(16));
      default:
        if (interesting_.empty()) return pick(kInts);
        return near(interesting_[below(static_cast<uint32_t>(interesting_.size()))], 1);
    }
  }
  // v moved by at most d, wrapping at the ends of the integers.
  int32_t near(int32_t v, uint32_t d) {
    return static_cast<int32_t>(static_cast<uint32_t>(v) + below(2 * d + 1) - d);
  }

  // A real in single precision: beyond its range, an infinity.
  static float single(double v) {
    if (std::isnan(v)) return std::numeric_limits<float>::quiet_NaN();
    if (std::fabs(v) > std::numeric_limits<float>::max()) {
      return v > 0 ? std::numeric_limits<float>::infinity()
                   : -std::numeric_limits<float>::infinity();
    }
    return static_cast<float>(v);
  }

  double real(double current) {
    switch (below(6)) {
      case 0:
      case 1:
        return pick(kReals);
      case 2:
        return -current;
      case 3:
        return current * (below(2) ? 1e10 : 1e-10);
      case 4:
        return static_cast<double>(below(14));  // kinds and small counts
      default:
        return current + 1.0;
    }
  }

  // Words of the file, in its byte order; offsets outside it read 0 and
  // write nothing.
  bool fits(int64_t off, int64_t n) const {
    return off >= 0 && n >= 0 && off + n <= static_cast<int64_t>(raf_.size());
  }
  template <typename T>
  T get(int64_t off) const {
    std::array<uint8_t, sizeof(T)> b{};
    if (!fits(off, sizeof(T))) return T{};
    std::memcpy(b.data(), raf_.data() + off, sizeof(T));
    if (swapped_) std::reverse(b.begin(), b.end());
    return std::bit_cast<T>(b);
  }
  template <typename T>
  void put(int64_t off, T v) {
    auto b = std::bit_cast<std::array<uint8_t, sizeof(T)>>(v);
    if (swapped_) std::reverse(b.begin(), b.end());
    if (fits(off, sizeof(T))) std::memcpy(raf_.data() + off, b.data(), sizeof(T));
  }

  const info::MfpEntry* entry(int64_t number) const {
    for (const info::MfpEntry& e : *facts_.mfp) {
      if (e.number == number) return &e;
    }
    return nullptr;
  }
  static int64_t unit_size(int32_t type) { return type == 3 ? 8 : 4; }
  static int64_t data_offset(const info::MfpEntry& e) { return (int64_t{e.address} - 1) * kRecord; }
  // The elements of an entry that lie in the file.
  int64_t elements(const info::MfpEntry& e) const {
    const int64_t off = data_offset(e);
    if (off < 0 || off >= static_cast<int64_t>(raf_.size()) || e.stored <= 0) return 0;
    return std::min<int64_t>(e.stored,
                             (static_cast<int64_t>(raf_.size()) - off) / unit_size(e.type));
  }
  // The offset of element i (0-based) of an entry, or -1.
  int64_t element(const info::MfpEntry& e, int64_t i) const {
    return i >= 0 && i < elements(e) ? data_offset(e) + i * unit_size(e.type) : -1;
  }

  // An entry with data: mostly the records of named arrays, else any.
  const info::MfpEntry* some_entry() {
    const auto& mfp = *facts_.mfp;
    if (mfp.empty()) return nullptr;
    if (facts_.directory && !facts_.directory->arrays.empty() && below(4) != 0) {
      const auto& arrays = facts_.directory->arrays;
      const info::NamedArray& a = arrays[below(static_cast<uint32_t>(arrays.size()))];
      const int32_t steps = std::max(1, facts_.steps ? facts_.steps->count : 1);
      const int64_t key = a.step1_key != 0 && (a.once_key == 0 || below(2))
                              ? a.step1_key + int64_t{a.stride} * below(steps)
                              : a.once_key;
      if (const info::MfpEntry* e = entry(key)) return e;
    }
    return &mfp[below(static_cast<uint32_t>(mfp.size()))];
  }

  // One value, or a run of values, of an array set anew.
  bool array_value() {
    const info::MfpEntry* e = some_entry();
    if (e == nullptr || elements(*e) == 0) return false;
    const int64_t n = elements(*e);
    const int64_t first = below(static_cast<uint32_t>(std::min<int64_t>(n, UINT32_MAX)));
    const int64_t run = below(4) == 0 ? std::min<int64_t>(n - first, 1 + below(8)) : 1;
    for (int64_t i = first; i < first + run; ++i) {
      const int64_t off = element(*e, i);
      if (e->type == 3) {
        put(off, real(get<double>(off)));
      } else if (e->type == 2) {
        put(off, below(4) == 0 ? pick(kFloats) : single(real(get<float>(off))));
      } else {
        put(off, integer(get<int32_t>(off)));
      }
    }
    return true;
  }

  // A word of NUMRAF, of a KEYRAF entry, or an IARRNM name.
  bool directory_word() {
    const info::MfpEntry* numraf = entry(101);
    const info::MfpEntry* keyraf = entry(102);
    const info::MfpEntry* iarrnm = entry(103);
    if (numraf == nullptr || keyraf == nullptr) return false;
    const int32_t e = get<int32_t>(element(*numraf, 6));
    switch (below(4)) {
      case 0: {  // the counts, E, N, the base
        const int64_t off = element(*numraf, below(11));
        put(off, integer(get<int32_t>(off)));
        return true;
      }
      case 1:
      case 2: {  // a word of an array's entry
        if (e <= 0 || e > 64) return false;
        const int64_t entries = elements(*keyraf) / e;
        if (entries == 0) return false;
        const int64_t n = below(static_cast<uint32_t>(std::min<int64_t>(entries, UINT32_MAX)));
        const int32_t w = static_cast<int32_t>(below(8));
        const int64_t off = element(*keyraf, n * e + w);
        int32_t v = get<int32_t>(off);
        if (w == 0) v = static_cast<int32_t>(below(7)) - 1;          // type code
        if (w == 3) v = pick(kStoreCodes);                           // store code
        if (w == 7) v = static_cast<int32_t>(below(3));              // "RE" flag
        if (w == 1 || w == 2 || (w >= 4 && w <= 6)) v = integer(v);  // size, serials
        put(off, v);
        return true;
      }
      default: {  // a name given to another array number, or taken away
        if (iarrnm == nullptr) return false;
        const int64_t names = elements(*iarrnm) / 2;
        if (names < 2) return false;
        const int64_t a = below(static_cast<uint32_t>(names)),
                      b = below(static_cast<uint32_t>(names));
        const int32_t a1 = get<int32_t>(element(*iarrnm, 2 * a));
        const int32_t a2 = get<int32_t>(element(*iarrnm, 2 * a + 1));
        put(element(*iarrnm, 2 * a), below(3) == 0 ? 0 : get<int32_t>(element(*iarrnm, 2 * b)));
        put(element(*iarrnm, 2 * a + 1), get<int32_t>(element(*iarrnm, 2 * b + 1)));
        put(element(*iarrnm, 2 * b), a1);
        put(element(*iarrnm, 2 * b + 1), a2);
        return true;
      }
    }
  }

  const info::MfpEntry* mstru() const {
    if (!facts_.directory) return nullptr;
    for (const info::NamedArray& a : facts_.directory->arrays) {
      if (a.name == "MSTRU") return entry(a.once_key != 0 ? a.once_key : a.step1_key);
    }
    return nullptr;
  }

  // A parameter's value (by its word in either layout), the layout flag,
  // the directory's place, one of its words or an identifier's code.
  bool mstru_word() {
    const info::MfpEntry* m = mstru();
    if (m == nullptr || elements(*m) == 0) return false;
    const auto at = [&](int64_t word) { return element(*m, word - 1); };
    const bool fixed = get<int32_t>(at(1)) >= 0;
    const auto& values =
        facts_.parameters ? facts_.parameters->values : std::vector<info::Parameter>{};
    const int64_t place = get<int32_t>(at(2));
    switch (below(fixed ? 3 : 5)) {
      case 0:
      case 1: {
        if (values.empty()) return false;
        const std::size_t i = below(static_cast<uint32_t>(values.size()));
        const int64_t word = fixed ? arrays::IDFIX(values[i].name) : static_cast<int64_t>(i) + 1;
        put(at(word), integer(get<int32_t>(at(word))));
        return true;
      }
      case 2:  // the layout flag
        put(at(1), below(2) ? -static_cast<int32_t>(below(300)) : integer(get<int32_t>(at(1))));
        return true;
      case 3:
        put(at(below(2) ? 2 : place + 1 + below(kMstruDirectoryWords)),
            integer(get<int32_t>(at(2))));
        return true;
      default: {  // an identifier's code word
        const int64_t word = place + 6 + below(static_cast<uint32_t>(2 * values.size() + 2));
        const uint32_t how = below(3);
        put(at(word), how == 0 ? -1 : how == 1 ? 0 : near(get<int32_t>(at(word)), 1));
        return true;
      }
    }
  }

  // A word of an MFP entry, allocated or not, in the MFP area.
  bool mfp_word() {
    const info::Key& key = *facts_.key;
    if (!key.mfpadr || !key.mfpmax || *key.mfpmax <= 0 || *key.mfpadr < 1) return false;
    const auto& mfp = *facts_.mfp;
    const int32_t n = !mfp.empty() && below(4) != 0
                          ? mfp[below(static_cast<uint32_t>(mfp.size()))].number
                          : 1 + static_cast<int32_t>(below(static_cast<uint32_t>(*key.mfpmax)));
    const int32_t w = static_cast<int32_t>(below(4));
    const int64_t off = (int64_t{*key.mfpadr} - 1 + 2 * ((n - 1) / 64)) * kRecord +
                        int64_t{(n - 1) % 64} * 16 + 4 * w;
    int32_t v = get<int32_t>(off);
    if (w == 0) {
      v = below(2) && !mfp.empty() ? mfp[below(static_cast<uint32_t>(mfp.size()))].address
                                   : integer(v);
      if (below(4) == 0) v = static_cast<int32_t>(raf_.size() / kRecord) + 1;
    } else if (w == 1) {
      v = static_cast<int32_t>(below(7));
    } else {
      v = integer(v);
    }
    put(off, v);
    return true;
  }

  // A key field written anew: a number near the one it holds, an edge, or
  // text that is no number.
  bool key_field() {
    if (raf_.size() < 2 * kRecord) return false;
    if (below(10) == 0) {  // the identification
      static constexpr std::array<std::string_view, 3> kIds = {"RAFLIB  ", "RAFLIb  ", "        "};
      const std::string_view id = pick(kIds);
      std::memcpy(raf_.data(), id.data(), id.size());
      return true;
    }
    const KeyField f = pick(kKeyFields);
    const std::string_view old(reinterpret_cast<const char*>(raf_.data()) + f.column - 1,
                               static_cast<std::size_t>(f.width));
    int32_t current = 0;
    const std::size_t digits = std::min(old.find_first_not_of(' '), old.size());
    std::from_chars(old.data() + digits, old.data() + old.size(), current);
    std::string text;
    switch (below(6)) {
      case 0:
        text = "x";
        break;
      case 1:
        text = "";
        break;
      case 2:
        text = std::to_string(pick(kComputerTypes));
        break;
      default:
        text = std::to_string(integer(current));
        break;
    }
    text = text.substr(0, static_cast<std::size_t>(f.width));
    text.insert(0, static_cast<std::size_t>(f.width) - text.size(), ' ');
    std::memcpy(raf_.data() + f.column - 1, text.data(), text.size());
    return true;
  }

  bool header_field() {
    switch (below(4)) {
      case 0:
        header_.names = static_cast<uint8_t>(below(2) ? 0 : rng_());
        break;
      case 1:
        // Kinds are read modulo their number; the other targets read the
        // step's kind as whether a step is given and the last one as a slot
        // of the name table.
        header_.first_kind = static_cast<uint8_t>(rng_());
        header_.first = static_cast<int8_t>(below(2) ? below(16) : rng_());
        break;
      case 2:
        header_.last_kind = static_cast<uint8_t>(rng_());
        header_.last = static_cast<int8_t>(below(2) ? below(16) : rng_());
        break;
      default:  // small work spaces find the ends of the booking
        header_.words =
            static_cast<uint16_t>(below(3) == 0 ? 0 : 1 + below(below(2) ? 512 : 65535));
        break;
    }
    return true;
  }

  // The values of one array copied over those of another of the same type.
  bool copy_values() {
    const info::MfpEntry* from = some_entry();
    const info::MfpEntry* to = some_entry();
    if (from == nullptr || to == nullptr || from->type != to->type) return false;
    const int64_t n = std::min(elements(*from), elements(*to)) * unit_size(from->type);
    if (n == 0) return false;
    std::memmove(raf_.data() + data_offset(*to), raf_.data() + data_offset(*from),
                 static_cast<std::size_t>(n));
    return true;
  }

  // The file cut short: at a record, or inside the last one.
  bool truncate() {
    if (raf_.size() <= 2 * kRecord) return false;
    const int64_t records = static_cast<int64_t>(raf_.size()) / kRecord;
    int64_t size = (2 + below(static_cast<uint32_t>(records - 1))) * kRecord;
    if (below(2)) size -= 1 + below(kRecord - 1);
    raf_.resize(
        static_cast<std::size_t>(std::min<int64_t>(size, static_cast<int64_t>(raf_.size()))));
    return true;
  }

  std::vector<uint8_t>& raf_;
  Header& header_;
  const info::Facts& facts_;
  std::minstd_rand rng_;
  bool swapped_ = false;
  std::vector<int32_t> interesting_;
};

// What the project's reader finds in the RAF file.
info::Facts read(std::span<const uint8_t> raf) {
  enter_private_dir();
  write_file(kScratchFile, raf);
  info::Facts facts = info::gather({kScratchFile, "", 1});
  driver::reset_process_state();
  return facts;
}

}  // namespace

std::size_t mutate(uint8_t* data, std::size_t size, std::size_t max_size, unsigned seed) {
  const Input in = split({data, size});
  Header header = in.header;
  const bool room = max_size > kHeaderSize && (in.has_header || size + kHeaderSize <= max_size);
  const std::size_t head = room ? kHeaderSize : 0;
  std::minstd_rand rng(seed);
  std::vector<uint8_t> raf(in.raf.begin(), in.raf.end());

  bool done = false;
  if (rng() % 5 != 0) {
    const info::Facts facts = read(raf);
    if (facts.key && facts.key->raflib && facts.mfp) {
      // A value put in place of itself is no mutation: try again.
      const std::vector<uint8_t> before = raf;
      const Header old = header;
      Mutator m(raf, header, facts, static_cast<unsigned>(rng()));
      for (int tries = 0; tries < 4 && !done; ++tries) {
        done = m.mutate() && (raf != before || !(header == old));
      }
    }
  }
  if (!done) {
    raf.resize(max_size - head);
    raf.resize(LLVMFuzzerMutate(raf.data(), in.raf.size(), raf.size()));
  }
  raf.resize(std::min(raf.size(), max_size - head));
  if (room) put_header(header, data);
  std::memcpy(data + head, raf.data(), raf.size());
  return head + raf.size();
}

}  // namespace fuzz

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t max_size,
                                          unsigned int seed) {
  return fuzz::mutate(data, size, max_size, seed);
}
