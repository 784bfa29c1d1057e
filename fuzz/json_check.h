// A strict check of JSON text (RFC 8259): one value, nothing but white space
// after it. The inspector target asks it whether rafinfo's document parses.
#ifndef RAF2SIF_FUZZ_JSON_CHECK_H_
#define RAF2SIF_FUZZ_JSON_CHECK_H_

#include <string>
#include <string_view>

namespace fuzz {

// True when text is one JSON document. members gets the names of the
// top-level object's members when it is an object.
bool parses_as_json(std::string_view text, std::string* members = nullptr);

}  // namespace fuzz

#endif  // RAF2SIF_FUZZ_JSON_CHECK_H_
