#include "raflib/diagnostics.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>

#include "io/fields.h"
#include "io/units.h"
#include "raflib/date.h"
#include "raflib/state.h"

namespace raflib {

namespace {

struct Message {
  int32_t number;
  int32_t level;
  std::string_view text;
};

// Every number from 1000 to 1079 missing here is "NOT YET DEFINED".
constexpr Message kCatalogue[] = {
    {1000, 0, "RAFLIB version 1.0 - Random Access File LIBrary"},
    {1001, 1, "RAFLIB file opened"},
    {1002, 1, "RAFLIB file initialized"},
    {1003, 4, "Array read from file"},
    {1004, 4, "Array written to file"},
    {1010, 1, "File converted from RAFLIB revision <A>"},
    {1011, 1, "File converted from computer type <A>"},
    {1012, 1, "No RAFLIB file open with this number"},
    {1020, 1, "File is not a RAFLIB file"},
    {1021, 1, "RAFLIB file generated on another computer (<A>)"},
    {1022, 1, "No RAFLIB open/initialize routine called for this file"},
    {1023, 1, "File is read locked"},
    {1024, 1, "File is write locked"},
    {1025, 4, "Array type mismatch"},
    {1026, 4, "Array length mismatch (too few elements specified)"},
    {1027, 4, "Array length mismatch (too many elements specified)"},
    {1028, 1, "Too old RAFLIB file (version <A>)"},
    {1029, 1, "Too new RAFLIB file (version <A>) - update program"},
    {1030, 4, "Corrupt MFP: Negative file address"},
    {1031, 4, "Corrupt MFP: Negative file address"},
    {1032, 4, "Corrupt MFP: Unknown datatype no (<I>)"},
    {1033, 4, "Corrupt MFP: Negative no of elements (<I>)"},
    {1034, 1, "Cannot open file - Computer's error flag = <I>"},
    {1035, 4, "Cannot write to file - Computer's error flag = <I>"},
    {1036, 4, "Cannot read from file - Computer's error flag = <I>"},
    {1037, 0, "File no already in use for another RAFLIB file"},
    {1038, 0, "Attempt to open more than <I> RAFLIB files simultanously"},
    {1039, 0, "Attempt to reinitialize the file without close and reopen"},
    {1040, 0, "Illegal file status code (Not NEW, OLD or UNKNOWN)"},
    {1041, 4, "Illegal file no in FFILE"},
    {1042, 4, "Illegal operation code in FFILE"},
    {1043, 4, "Negative file address in FFILE"},
    {1045, 4, "Negative word count in FFILE"},
    {1046, 0, "Attempt to define max no of arrays in file as zero or negative"},
    {1047, 4, "Attempt to allocate an already allocated array"},
    {1048, 4, "Attempt to read a non-allocated array"},
    {1049, 0, "Illegal array numbers (or wrong order) specified for delete"},
    {1050, 1, "Core copy of CHKEY corrupted (overwritten) during execution"},
    {1060, 1, "Inconsistent CHKEY: MFPADR = <I> is illegal"},
    {1061, 1, "Inconsistent CHKEY: MFPMAX = <I> is illegal"},
    {1062, 1, "Inconsistent CHKEY: MFPCUR = <I> is illegal"},
    {1063, 1, "Inconsistent CHKEY: MFPNXT = <I> is illegal"},
    {1064, 0, "Inconsistent CHKEY: Decode error - Computer's error flag=<I>"},
    {1065, 0, "Cannot open internal scratchfile - Computer's error flag=<I>"},
    {1066, 0, "Cannot write internal scratchfile - Computer's error flag=<I>"},
    {1067, 0, "Cannot read internal scratchfile - Computer's error flag=<I>"},
    {1069, 4, "Attempt to access an array outside allocated MFP range"},
    {1070, 1, "Cannot read files generated on <A>"},
    {1071, 1, "Cannot generate files for <A>"},
};

constexpr int32_t kFirstMessage = 1000, kLastMessage = 1079;

// The severity of the catalogue's numbers, by range; numbers outside the
// catalogue are errors.
struct SeverityRange {
  int32_t first, last, severity;
};
constexpr SeverityRange kSeverities[] = {
    {1000, 1009, 1}, {1010, 1019, 2}, {1020, 1049, 3}, {1050, 1059, 4}, {1060, 1079, 3}};

// Words and markers of the severities 1 to 4.
constexpr std::array<std::string_view, 4> kWords = {"INFO       ", "WARNING    ", "ERROR      ",
                                                    "FATAL ERROR"};
constexpr std::array<std::string_view, 4> kMarkers = {"---", "===", "***", "!!!"};

constexpr int kLineChars = 100;  // the header and detail lines before squeezing

int32_t severity_of(int64_t n) {
  const auto* r = std::find_if(std::begin(kSeverities), std::end(kSeverities),
                               [n](const SeverityRange& e) { return n >= e.first && n <= e.last; });
  return r == std::end(kSeverities) ? 3 : r->severity;
}

// Writes line on each message unit of severity s.
void put(int32_t s, std::string_view line) {
  for (const int32_t unit : state().message_units[s - 1]) {
    if (unit >= 1) io::write_record(unit, line);
  }
}

// Squeezes a 100-character line and writes a blank and its first 79
// characters.
void put_squeezed(int32_t s, std::string_view text) {
  io::Text<kLineChars> line(text);
  RFSQZB(line.span());
  put(s, io::Line().x(1).a(line.view().substr(0, 79)).view());
}

// Replaces the first occurrence of marker in text by with.
void substitute(std::span<char> text, std::string_view marker, std::string_view with) {
  const std::string_view whole(text.data(), text.size());
  const std::size_t at = whole.find(marker);
  if (at == std::string_view::npos) return;
  io::Line line;
  line.a(whole.substr(0, at)).a(with).a(whole.substr(at + marker.size()));
  io::assign(text, line.view());
}

}  // namespace

void RFERR(int32_t& status, std::string_view routine, int32_t value, std::string_view text) {
  const int64_t n = status < 0 ? -static_cast<int64_t>(status) : status;
  io::Text<kMessageChars> message;
  int32_t s = 0, level = 0;
  RFMSG(n, message, s, level);
  RFSUBS(message.span(), value, text);
  Report& first = state().first_error;
  if (s >= 3 && first.number == 0) first = {n, io::Text<6>(routine), message};
  const auto& units = state().message_units[s - 1];
  if (std::any_of(units.begin(), units.end(), [](int32_t u) { return u >= 1; })) {
    const std::string_view marker = kMarkers[s - 1];
    io::Text<17> time;
    RFDATE(time.span(), 2);
    put_squeezed(s, io::Line()
                        .a(marker)
                        .a(" RAFLIB ")
                        .a(kWords[s - 1])
                        .a(" - ")
                        .a(time)
                        .a(" - Routine ")
                        .a(io::Text<6>(routine))
                        .a(":")
                        .view());
    const State& st = state();
    const int32_t file = st.current >= 1 ? st.slots[st.current - 1].unit : 0;
    io::Line detail;
    detail.a(marker).x(1).a("File ").i(file, 3);
    if (level == 4) {
      detail.a(" / Array ").i(st.entry.array, 8).a(" / Address ").i(st.entry.address, 8);
      detail.a(" / Elements ").i(st.entry.stored, 8);
    }
    detail.a(" / Msg_no ").i(n, 5).a(":");
    if (level != 0) put_squeezed(s, detail.view());
    put(s, io::Line().x(1).a(marker).x(1).a(message).view());
  }
  status = static_cast<int32_t>(s >= 3 ? -n : n);
}

void RFMSG(int64_t n, io::Text<kMessageChars>& text, int32_t& severity, int32_t& level) {
  severity = severity_of(n);
  level = 0;
  if (n < kFirstMessage || n > kLastMessage) {
    text = io::Line().a("Error no").i(n, 10).a(" (No text defined for this error number)").view();
    return;
  }
  const auto* m = std::find_if(std::begin(kCatalogue), std::end(kCatalogue),
                               [n](const Message& e) { return e.number == n; });
  if (m == std::end(kCatalogue)) {
    text = "NOT YET DEFINED";
    return;
  }
  text = m->text;
  level = m->level;
}

void RFSUBS(std::span<char> text, int32_t value, std::string_view name) {
  char number[12];
  const auto res = std::to_chars(number, number + sizeof number, value);
  substitute(
      text, "<I>",
      value == kUndefined ? std::string_view("<UNKNOWN>") : std::string_view(number, res.ptr));
  substitute(text, "<A>", io::trimmed(name));
}

void RFSQZB(std::span<char> line) {
  std::size_t out = 0;
  for (std::size_t in = 0; in < line.size();) {
    if (line[in] != ' ') {
      line[out++] = line[in++];
      continue;
    }
    std::size_t run_end = in;
    while (run_end < line.size() && line[run_end] == ' ') ++run_end;
    // A run that reaches the end of the line is the trailing blanks.
    if (run_end == line.size()) break;
    line[out++] = ' ';
    in = run_end;
  }
  std::fill(line.begin() + static_cast<std::ptrdiff_t>(out), line.end(), ' ');
}

void RFTRCE(std::string_view routine) {
  put(3, "");
  put(3, io::Line().a(" *** Error return from ").a(routine).view());
}

void RFIOER(int32_t& status, std::string_view routine, int32_t operation) {
  const int64_t n = status < 0 ? -static_cast<int64_t>(status) : status;
  int32_t value = 0;
  if (n >= kFfileUnit && n <= kFfileCount) {
    status = static_cast<int32_t>(-(kMsgFfileUnit + (n - kFfileUnit)));
  } else {
    status = operation == kWrite ? -kMsgCannotWrite : -kMsgCannotRead;
    value = static_cast<int32_t>(n);
  }
  RFERR(status, routine, value, kDummy);
}

}  // namespace raflib
