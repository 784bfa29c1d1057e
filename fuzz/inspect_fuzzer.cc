// libFuzzer target: rafinfo's inspection in-process on the fuzzer's input (a
// header, then the RAF file; input.h): the facts gathered through RAFLIB and
// the array layer, with one array's values asked for when the header names
// one, and both reports. A finding besides the sanitizers' reports: a JSON
// document that does not parse or whose "error" member does not say whether
// the inspection failed, a text report that does not begin with the file's
// line, or a failure that rafinfo could not say in one error line. The
// mutator is that of raf_mutator.h.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "driver/process_state.h"
#include "info/failure.h"
#include "info/gather.h"
#include "info/json_report.h"
#include "info/text_report.h"
#include "input.h"
#include "support/json.h"

namespace {

constexpr const char* kRafFile = "inspect.raf";

[[noreturn]] void finding(const char* what) {
  std::fprintf(stderr, "inspect_fuzzer: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::enter_private_dir();
  const fuzz::Input in = fuzz::split({data, size});
  fuzz::write_file(kRafFile, in.raf);
  driver::reset_process_state();
  const info::Facts facts = info::gather(
      {kRafFile, fuzz::requested_array(in.header), fuzz::requested_step(in.header).value_or(1)});
  driver::reset_process_state();

  if (!info::text_report(facts).starts_with("RAF file "))
    finding("the text report lacks its first line");
  testing_support::Json doc;
  if (!testing_support::JsonReader(info::json_report(facts)).read(doc))
    finding("the JSON report does not parse");
  if (doc.has("error") != facts.failure.has_value()) {
    finding("the JSON report's error member does not match the inspection's failure");
  }
  if (facts.failure) {
    const std::string line = info::describe(*facts.failure);
    if (line.empty() || line.find('\n') != std::string::npos)
      finding("a failure that is not one line");
  }
  return 0;
}
