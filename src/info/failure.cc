#include "info/failure.h"

#include "raflib/inspect.h"

namespace info {

Failure raflib_failure(std::string what, std::string_view otherwise) {
  const raflib::ErrorInfo first = raflib::first_error();
  raflib::clear_first_error();
  return {std::move(what), first.number, first.number != 0 ? first.text : std::string(otherwise)};
}

Failure catalogue_failure(std::string what, int32_t n, int32_t value) {
  return {std::move(what), n, raflib::message_text(n, value)};
}

std::string describe(const Failure& f) {
  std::string line = f.what;
  if (f.message != 0) line += ": RAFLIB message " + std::to_string(f.message);
  if (!f.text.empty()) line += ": " + f.text;
  return line;
}

}  // namespace info
