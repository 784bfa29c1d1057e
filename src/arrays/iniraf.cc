#include "arrays/iniraf.h"

#include <string>

#include "arrays/armess.h"
#include "io/text.h"
#include "raflib/messages.h"
#include "raflib/open.h"

namespace arrays {

namespace {

constexpr std::string_view kHeader = "*** ERROR IN INIRAF ***";

}  // namespace

void INIRAF(std::string_view stat, std::string_view fname, int32_t maxarr, int32_t iraf,
            int32_t iout, int32_t irfu, int32_t& istat) {
  if (istat != 0) return;
  const std::string_view name = io::trimmed(fname);
  if (name.empty()) {
    istat = -1;
    return report(iout, kCodeFailed, {kHeader, kLf, "No File name Specified"});
  }
  raflib::RAFINI(irfu);
  int32_t st = 0;
  raflib::RAFCLS(iraf, st);
  if (st == raflib::kMsgNoFileOpen) st = 0;
  if (st >= 0) {
    std::string completed(name);
    if (io::Text<3>(stat).view() == "OLD") {
      raflib::RAFOLD(iraf, completed, st);
    } else {
      raflib::RAFNEW(iraf, completed, "U", maxarr, st);
    }
  }
  if (st < 0 || st == raflib::kMsgCannotOpen) {
    istat = -1;
    report(iout, kCodeOpen, {kHeader, kLf, "Error Opening raf_file   : ", name});
  } else if (st == raflib::kMsgUnitInUse || st == raflib::kMsgTooManyFiles) {
    istat = -1;
    report(iout, kCodeFailed, {kHeader, kLf, "Problems with Raf Book Keeping System "});
  }
}

}  // namespace arrays
