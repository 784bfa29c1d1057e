#include "driver/z2edi.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "arrays/access.h"
#include "arrays/armess.h"
#include "arrays/booking.h"
#include "arrays/inidms.h"
#include "arrays/iniraf.h"
#include "arrays/name_table.h"
#include "arrays/recall.h"
#include "arrays/stru.h"
#include "arrays/views.h"
#include "driver/raf2sif.h"
#include "driver/strings.h"
#include "io/text.h"
#include "io/units.h"

namespace driver {

namespace {

using Field = io::Text<256>;

// The file unit 17 wrote to in the last failed run.
std::string& failed_run_messages() {
  static std::string file;
  return file;
}

// Asks one question and reads the answer line into field. The end of the
// input (or a console that cannot be read) ends the dialogue.
bool ask(std::string_view prompt, Field& field) {
  PROMPT(io::kConsoleOut, prompt);
  const int rc = io::read_line(io::kConsoleIn, field.span());
  if (rc == 0) return true;
  if (rc == io::kIostatEnd) {
    std::fputs("raf2sif: unexpected end of input\n", stderr);
  } else {
    std::fprintf(stderr, "raf2sif: cannot read the console: %s\n", std::strerror(rc));
  }
  return false;
}

// Asks for a step number: a blank answer is 0.
bool ask_step(std::string_view prompt, Field& answer, int32_t& step) {
  if (!ask(prompt, answer)) return false;
  int value = 0;
  if (!read_integer(answer.view(), value)) {
    const std::string_view typed = answer.view();
    const int first = io::IFSTNB(typed);
    std::fprintf(stderr, "raf2sif: invalid step number: %.*s\n", io::LENNB(typed) - first + 1,
                 typed.data() + first - 1);
    return false;
  }
  step = value;
  return true;
}

// Closes unit 17. A write that failed on it (a full disk) is said on standard
// error: the file is not complete.
bool close_sif_unit() {
  const std::string file(io::file_name(kSifUnit));
  const int rc = io::close(kSifUnit);
  if (rc == 0) return true;
  std::fprintf(stderr, "raf2sif: cannot write %s: %s\n", file.c_str(),
               rc > 0 && rc < io::kIostatOwn ? std::strerror(rc) : "input/output error");
  return false;
}

}  // namespace

int32_t z2edi(io::WorkArray& ia, int32_t nwiwa) {
  Field name;
  Field prefix;
  Field answer;
  int32_t ifwst1 = 0;
  int32_t ifwst2 = 0;
  int32_t istat = 0;
  failed_run_messages().clear();

  const auto failure = [] {
    arrays::write_group(kSifUnit, "*** ERROR IN Z2EDI   ***");
    failed_run_messages() = io::file_name(kSifUnit);
    close_sif_unit();
    return -1;
  };

  if (!ask("Give RAF File Name Prefix         :  ", name)) return kInputStop;
  prefix = name.view();
  ADDEXT(name.span(), ".raf");
  arrays::INIRAF("OLD", name.view(), 1, kRafUnit, io::kConsoleOut, kSifUnit, istat);
  if (istat != 0) return failure();

  if (!ask("Give Output File Name             :  ", name)) return kInputStop;
  if (!ask_step("First TORVE step to be written    :  ", answer, ifwst1)) return kInputStop;
  if (!ask_step("Last  TORVE step                  :  ", answer, ifwst2)) return kInputStop;

  arrays::INIDMS(ia, nwiwa, arrays::kNameTable, arrays::kNameSlots, arrays::kNameChars, kRafUnit,
                 kSifUnit, istat);
  if (istat != 0) return failure();

  int32_t icrpre = 0;
  arrays::ARBOOK(ia, "ICRPRE", icrpre, 256, "SKIP", "IN", kSifUnit, istat);
  if (istat != 0) return failure();
  CH2INT(io::trimmed(prefix.view()), arrays::int_view(ia, "ICRPRE", icrpre), 256, 1, kSifUnit,
         istat);
  if (istat != 0) return failure();

  arrays::ARRECL(ia, "**Recall structure data**", 1, kRafUnit, kSifUnit, istat);
  arrays::ARRECL(ia, "**Recall control data  **", 1, kRafUnit, kSifUnit, istat);
  arrays::ARRECL(ia, "**Recall global data   **", 1, kRafUnit, kSifUnit, istat);
  if (istat != 0) return failure();

  const int32_t mstru = arrays::ARGTIP(ia, "MSTRU", kSifUnit, istat);
  if (istat != 0) return failure();
  const io::IntView parameters = arrays::int_view(ia, "MSTRU", mstru);
  arrays::PTSTRU(parameters, "iFWST1", ifwst1, kSifUnit, istat);
  arrays::PTSTRU(parameters, "iFWST2", ifwst2, kSifUnit, istat);
  if (istat != 0) return failure();

  raf2sif(ia, name.view(), kRafUnit, kSifUnit, istat);
  if (istat != 0) return failure();

  return close_sif_unit() ? 0 : -1;
}

std::string_view messages_file() {
  return failed_run_messages();
}

}  // namespace driver
