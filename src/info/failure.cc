#include "info/failure.h"

#include "io/text.h"
#include "raflib/diagnostics.h"
#include "raflib/state.h"

namespace info {

Failure raflib_failure(std::string what, std::string_view otherwise) {
  raflib::Report& first = raflib::state().first_error;
  Failure f{std::move(what), first.number,
            std::string(first.number != 0 ? io::trimmed(first.text) : otherwise)};
  first = raflib::Report{};
  return f;
}

Failure catalogue_failure(std::string what, int32_t n, int32_t value) {
  io::Text<raflib::kMessageChars> text;
  int32_t severity = 0, level = 0;
  raflib::RFMSG(n, text, severity, level);
  raflib::RFSUBS(text.span(), value, raflib::kDummy);
  return {std::move(what), n, std::string(io::trimmed(text))};
}

std::string describe(const Failure& f) {
  std::string line = f.what;
  if (f.message != 0) line += ": RAFLIB message " + std::to_string(f.message);
  if (!f.text.empty()) line += ": " + f.text;
  return line;
}

}  // namespace info
