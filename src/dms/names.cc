#include "dms/names.h"

#include <algorithm>

#include "dms/messages.h"
#include "dms/open.h"
#include "io/text.h"

namespace dms {

namespace {

constexpr std::size_t kMaxNameLength = 8;
constexpr int32_t kFirstPrintable = 33;  // "!"
constexpr int32_t kLastPrintable = 126;  // "~"
constexpr int32_t kCodeBias = 30;        // a character is coded as its code minus 30

State the_state;

// Decodes the groups of one character number onto text from position count
// on, from the most significant end; the first group takes every digit above
// the last three pairs, so that a number too large for four characters is an
// illegal code rather than another name. A group 00 ends the name. False
// after error 13.
bool decode_number(Mcm& m, int32_t number, int32_t label, char* text, int32_t& count) {
  int32_t rest = number;
  for (int32_t scale = 1000000; scale >= 1; scale /= 100) {
    const int32_t group = rest / scale;
    rest -= group * scale;
    if (group == 0) return true;
    const int32_t code = group + kCodeBias;
    if (code < kFirstPrintable || code > kLastPrintable) {
      name_error(m, kNameIllegalCode, "", code, label);
      return false;
    }
    text[count++] = static_cast<char>(code);
  }
  return true;
}

// Decodes cn1 and, when all four of its groups were characters, a positive
// cn2 into text; count is the number of characters. False after error 13.
bool decode_name(Mcm& m, int32_t cn1, int32_t cn2, int32_t label, char (&text)[kMaxNameLength],
                 int32_t& count) {
  count = 0;
  if (!decode_number(m, cn1, label, text, count)) return false;
  if (count < 4 || cn2 <= 0) return true;
  return decode_number(m, cn2, label, text, count);
}

}  // namespace

State& state() {
  return the_state;
}

void reset() {
  the_state = State();
}

bool names_ready(Mcm& m, int32_t label) {
  if (m.sound() && m.named()) return true;
  number_error(m.work(), kMcmCorrupt, 0, 0, 0, label);
  return false;
}

bool convert_name(Mcm& m, std::string_view name, int32_t label) {
  State& s = state();
  s.cn1 = 0;
  s.cn2 = 0;
  if (name.size() > kMaxNameLength) {
    name_error(m, kNameTooLong, name, 0, label);
    return false;
  }
  // An empty name would code as "no name" and match every unnamed number.
  if (name.empty()) {
    name_error(m, kNameIllegalChar, name, 0, label);
    return false;
  }
  const bool fold = m.nt(kCaseSwitch) == kFoldCase;
  int32_t cn[2] = {0, 0};
  for (std::size_t i = 0; i < kMaxNameLength; ++i) {
    int32_t group = 0;
    if (i < name.size()) {
      int32_t code = static_cast<unsigned char>(name[i]);
      if (code < kFirstPrintable || code > kLastPrintable) {
        name_error(m, kNameIllegalChar, name, 0, label);
        return false;
      }
      if (fold && code >= 'a' && code <= 'z') code -= 'a' - 'A';
      group = code - kCodeBias;
    }
    cn[i / 4] = cn[i / 4] * 100 + group;
  }
  s.cn1 = cn[0];
  s.cn2 = cn[1];
  return true;
}

int32_t look_up(Mcm& m) {
  State& s = state();
  s.number = DMSLKP(m.names(), s.cn1, s.cn2);
  return s.number;
}

bool find_name(Mcm& m, std::string_view name, int32_t label, int32_t& no) {
  no = 0;
  if (!names_ready(m, label)) return false;
  if (!convert_name(m, name, label)) {
    name_error(m, kNameFollowUp, name, 0, label);
    return false;
  }
  no = look_up(m);
  return true;
}

void store_name(Mcm& m, int32_t no) {
  io::IntView nt = m.names();
  nt.set(2 * int64_t{no} - 1, state().cn1);
  nt.set(2 * int64_t{no}, state().cn2);
}

void DMSCHN(io::WorkArray& iwa, std::string_view name, int32_t label, int32_t& cn1, int32_t& cn2) {
  cn1 = 0;
  cn2 = 0;
  Mcm m(iwa);
  if (!names_ready(m, label) || !convert_name(m, name, label)) return;
  cn1 = state().cn1;
  cn2 = state().cn2;
}

void DMSNCH(io::WorkArray& iwa, int32_t cn1, int32_t cn2, int32_t label, std::span<char> name,
            int32_t& nchar) {
  io::assign(name, "");
  nchar = 0;
  Mcm m(iwa);
  if (!m.sound()) return number_error(iwa, kMcmCorrupt, 0, 0, 0, label);
  char text[kMaxNameLength];
  decode_name(m, cn1, cn2, label, text, nchar);
  io::assign(name, {text, static_cast<std::size_t>(nchar)});
}

int32_t DMSLKP(io::IntView nt, int32_t cn1, int32_t cn2) {
  if (!nt.has(kHighestNamed)) return 0;
  const int64_t last = std::min<int64_t>(nt(kHighestNamed), nt.size() / 2);
  for (int64_t j = kFirstNumber; j <= last; ++j) {
    if (nt(2 * j - 1) == cn1 && nt(2 * j) == cn2) return static_cast<int32_t>(j);
  }
  return 0;
}

int32_t DMSNUM(io::WorkArray& iwa, std::string_view name, int32_t label) {
  Mcm m(iwa);
  int32_t no = 0;
  find_name(m, name, label, no);
  return no;
}

void DMSNAM(io::WorkArray& iwa, int32_t no, int32_t label, std::span<char> name, int32_t& nchar) {
  io::assign(name, "");
  nchar = 0;
  Mcm m(iwa);
  if (!names_ready(m, label)) return;
  if (no < kFirstNumber || no > m.n()) return name_error(m, kNameOfIllegalNumber, "", no, label);
  State& s = state();
  s.number = no;
  s.cn1 = m.nt(2 * no - 1);
  s.cn2 = m.nt(2 * no);
  char text[kMaxNameLength];
  const bool decoded = decode_name(m, s.cn1, s.cn2, label, text, nchar);
  io::assign(name, {text, static_cast<std::size_t>(nchar)});
  if (!decoded) name_error(m, kNameFollowUp, {name.data(), name.size()}, 0, label);
}

}  // namespace dms
