// Failures as rafinfo reports them: named by what was being read and, where
// it applies, by a message of RAFLIB's catalogue.
#ifndef RAF2SIF_INFO_FAILURE_H_
#define RAF2SIF_INFO_FAILURE_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "info/facts.h"

namespace info {

// The message unit of every routine rafinfo calls: nowhere, since failures
// are reported through Failure.
constexpr int32_t kQuiet = 0;
constexpr std::string_view kRefused = "the array layer refuses it";

// The failure of what, named by the first error RAFLIB reported since RAFINI
// or since the last call, or else by the text otherwise.
Failure raflib_failure(std::string what, std::string_view otherwise = "");

// The failure of what, named by catalogue message n with value for "<I>".
Failure catalogue_failure(std::string what, int32_t n, int32_t value);

// The failure in one line: "what: RAFLIB message n: text", without the
// message when it has none and without the text when that is empty.
std::string describe(const Failure& f);

}  // namespace info

#endif  // RAF2SIF_INFO_FAILURE_H_
