// The facts as one JSON document, for scripts: the members "file", "key",
// "mfp", "directory", "parameters", "steps", "array" and "error". A section
// not reached is left out; one the file does not have is null, as is the key
// of a file shorter than its key and a key number whose field holds no
// integer.
#ifndef RAF2SIF_INFO_JSON_REPORT_H_
#define RAF2SIF_INFO_JSON_REPORT_H_

#include <string>

#include "info/facts.h"

namespace info {

// The document, ended by a line feed.
std::string json_report(const Facts& f);

}  // namespace info

#endif  // RAF2SIF_INFO_JSON_REPORT_H_
