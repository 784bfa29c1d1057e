#include "sif/opnfil.h"

#include <array>

#include "io/fields.h"
#include "io/text.h"
#include "io/units.h"
#include "sif/state.h"

namespace sif {

namespace {

constexpr int32_t kBadUnit = -901;
constexpr int32_t kBadRecordLength = -902;
constexpr int32_t kDirectAccess = 20;
constexpr int32_t kDirectAccess128 = 30;
constexpr int32_t kLengthOfAccess30 = 128;

struct StatusCode {
  int32_t code;
  std::string_view text;  // 7 characters, as the report prints it
  io::OpenStatus open;
};

constexpr std::array<StatusCode, 3> kStatusCodes = {{
    {2, "OLD    ", io::OpenStatus::kOld},
    {3, "NEW    ", io::OpenStatus::kNew},
    {4, "SCRATCH", io::OpenStatus::kScratch},
}};
constexpr StatusCode kUnknown = {0, "UNKNOWN", io::OpenStatus::kUnknown};

const StatusCode& status_of(int32_t code) {
  for (const StatusCode& s : kStatusCodes) {
    if (s.code == code) return s;
  }
  return kUnknown;
}

// The first lines of every error block of OPNFIL.
void write_error_head(int32_t lpu, int32_t unit) {
  for (int k = 0; k < 3; ++k) io::write_record(lpu, "");
  io::write_record(lpu, io::Line().a(" *** ERROR DURING OPENING OF FILE UNIT").i(unit, 5).view());
}

// The platform keeps formatted files sequential and unformatted ones direct;
// the other two kinds are refused like a failed open.
int open_unit(std::string_view name, int32_t unit, const StatusCode& status, bool direct,
              bool formatted, int64_t length) {
  if (!direct && formatted) return io::open_formatted(unit, io::trimmed(name), status.open);
  if (direct && !formatted) {
    return io::open_direct(unit, io::trimmed(name), status.open, static_cast<int>(length));
  }
  return io::kIostatWrongUse;
}

void write_report(int32_t lpu, std::string_view name, int32_t unit, const StatusCode& status,
                  std::string_view access, std::string_view form, bool formatted,
                  std::string_view blank, int64_t length) {
  for (int k = 0; k < 3; ++k) io::write_record(lpu, "");
  if (status.open == io::OpenStatus::kScratch) {
    io::write_record(lpu,
                     io::Line().x(5).a("A SCRATCH FILE IS OPENED ON UNIT NO.").i(unit, 4).view());
  } else {
    io::write_record(lpu, io::Line().x(5).a("FILE  ").a(name).view());
    io::write_record(lpu, io::Line().x(5).a("IS OPENED ON UNIT NO.").i(unit, 4).view());
  }
  io::write_record(lpu, io::Line().x(5).a("FILE CHARACTERISTICS :").view());
  io::write_record(lpu, io::Line().x(10).a("STATUS =").a(status.text).view());
  io::write_record(lpu, io::Line().x(10).a("ACCESS =").a(access).view());
  io::write_record(lpu, io::Line().x(10).a("FORM   =").a(form).view());
  io::write_record(
      lpu,
      io::Line().x(10).a("LENGTH =").i(length, 5).a(" WORDS/BYTES PER RECORD (SECTOR)").view());
  if (formatted) io::write_record(lpu, io::Line().x(10).a("BLANK  =").a(blank).view());
}

}  // namespace

void OPNSIF(std::string_view name, int32_t unit, int32_t mode, int32_t& istat) {
  int32_t code = state().previous_status_code;
  if (mode == 0) code = 1;
  if (mode > 0) code = 2;
  state().previous_status_code = code;
  int32_t st = 0;
  OPNFIL(io::trimmed(name), unit, code, 0, 1, 0, 0, 0, -1, st);
  if (st != 0) istat = -1;
}

void OPNFIL(std::string_view name, int32_t unit, int32_t istatus, int32_t iaccess, int32_t iform,
            int32_t iblank, int32_t irecl, int32_t irep, int32_t lpu, int32_t& istat) {
  istat = 0;
  if (unit < 1 || unit > io::kMaxUnit) {
    if (lpu >= 1) {
      write_error_head(lpu, unit);
      io::write_record(lpu, io::Line().x(5).a("ILLEGAL FILE UNIT").view());
    }
    istat = kBadUnit;
    return;
  }

  const StatusCode& status = status_of(istatus);
  const bool direct = iaccess == kDirectAccess || iaccess == kDirectAccess128;
  bool formatted = !direct;
  if (iform == 1) formatted = true;
  if (iform == 2) formatted = false;
  const std::string_view access = direct ? "DIRECT    " : "SEQUENTIAL";
  const std::string_view form = formatted ? "FORMATTED  " : "UNFORMATTED";
  // The blank mode governs the reading of numeric fields, which this system
  // never does on these files; it is reported only.
  const std::string_view blank = iblank == 1 ? "ZERO" : "NULL";

  if (iaccess == kDirectAccess && irecl < 1) {
    if (lpu >= 1) {
      write_error_head(lpu, unit);
      io::write_record(lpu, io::Line().x(5).a("ILLEGAL RECORD LENGTH =").i(irecl, 5).view());
    }
    istat = kBadRecordLength;
    return;
  }
  int64_t length = 0;
  if (iaccess == kDirectAccess) length = formatted ? int64_t{irecl} * 4 : irecl;
  if (iaccess == kDirectAccess128) length = kLengthOfAccess30;

  if (const int rc = open_unit(name, unit, status, direct, formatted, length); rc > 0) {
    if (lpu >= 1) {
      write_error_head(lpu, unit);
      io::write_record(lpu,
                       io::Line().x(5).a("ERROR CODE =").i(rc, 5).a("  (SYSTEM PARAMETER)").view());
    }
    istat = -rc;
    return;
  }
  if (irep >= 1 && lpu >= 1) {
    write_report(lpu, name, unit, status, access, form, formatted, blank, length);
  }
}

}  // namespace sif
