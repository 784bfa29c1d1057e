// rafinfo: what is in a RAF file. Reads the file through the converter's own
// RAF library and array layer, for reading only, and prints its key, its
// MFP, the named arrays of its array directory, its structure parameters and
// its steps.
//
//   rafinfo [--json] [--array NAME [--step S]] FILE.raf
//
// Exit status 0; 1 when the file cannot be read whole (what could be read is
// printed, then one error line on standard error); 2 for a wrong command line.
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

#include "info/failure.h"
#include "info/gather.h"
#include "info/json_report.h"
#include "info/text_report.h"
#include "io/text.h"

namespace {

constexpr std::string_view kUsage =
    "usage: rafinfo [--json] [--array NAME [--step S]] FILE.raf\n"
    "\n"
    "Prints what a RAF file holds: its key, its MFP (the numbered arrays),\n"
    "the named arrays of its array directory, its structure parameters and\n"
    "its steps. The file is only read.\n"
    "\n"
    "options:\n"
    "  --json          the same facts as one JSON document\n"
    "  --array NAME    also the values of the named array\n"
    "  --step S        of step S (default 1)\n"
    "  -h, --help      this text\n"
    "  --version       the program's version\n";

int usage(std::FILE* out, int status) {
  std::fwrite(kUsage.data(), 1, kUsage.size(), out);
  return status;
}

// A wrong command line: what is wrong, then the usage.
int wrong(const std::string& problem) {
  std::fprintf(stderr, "rafinfo: %s\n", problem.c_str());
  return usage(stderr, 2);
}

bool number(std::string_view s, int32_t& v) {
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && end == s.data() + s.size();
}

}  // namespace

int main(int argc, char** argv) {
  info::Request request;
  bool json = false, step_given = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "-h" || a == "--help") return usage(stdout, 0);
    if (a == "--version") {
      std::printf("rafinfo %s (RAF format version 2, revision 1)\n", RAF2SIF_VERSION);
      return 0;
    }
    if (a == "--json") {
      json = true;
    } else if (a == "--array" && has_value) {
      request.array = argv[++i];
      io::upper_case(request.array);
    } else if (a == "--step" && has_value && number(argv[i + 1], request.step)) {
      step_given = true;
      ++i;
    } else if (a == "--array" || a == "--step") {
      return wrong("option " + std::string(a) +
                   (has_value ? " needs an integer step, not '" + std::string(argv[i + 1]) + "'"
                              : " needs a value"));
    } else if (a.starts_with("-")) {
      return wrong("unknown option '" + std::string(a) + "'");
    } else if (!request.file.empty()) {
      return wrong("more than one file: '" + std::string(a) + "'");
    } else {
      request.file = a;
    }
  }
  if (request.file.empty()) return wrong("no RAF file given");
  if (step_given && request.array.empty()) return wrong("--step needs --array NAME");

  const info::Facts facts = info::gather(request);
  const std::string report = json ? info::json_report(facts) : info::text_report(facts);
  std::fwrite(report.data(), 1, report.size(), stdout);
  std::fflush(stdout);
  if (!facts.failure) return 0;
  std::fprintf(stderr, "rafinfo: %s: %s\n", request.file.c_str(),
               info::describe(*facts.failure).c_str());
  return 1;
}
