// The facts as rafinfo prints them for a reader: a section per fact, with
// fixed columns, in the order the facts were gathered.
#ifndef RAF2SIF_INFO_TEXT_REPORT_H_
#define RAF2SIF_INFO_TEXT_REPORT_H_

#include <string>

#include "info/facts.h"

namespace info {

// The report, lines ended by a line feed. Sections not reached are left out;
// the failure is not part of it.
std::string text_report(const Facts& f);

}  // namespace info

#endif  // RAF2SIF_INFO_TEXT_REPORT_H_
