// rafwrite: writes the sample analysis or a large one as a RAF file.
//
//   rafwrite sample OUT.raf [options]
//   rafwrite large NODES STEPS OUT.raf [options]
//
// Options: --big-endian (as computer type 8 writes it), --version0 (format
// version 0), --fixed-mstru (MSTRU in the fixed layout), -h/--help, --version.
#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "writer/frame.h"
#include "writer/write_raf.h"

namespace {

constexpr std::string_view kUsage =
    "usage: rafwrite sample OUT.raf [options]\n"
    "       rafwrite large NODES STEPS OUT.raf [options]\n"
    "\n"
    "Writes a RAF file of a 3D frame analysis as the converter reads it.\n"
    "  sample   three storeys, 36 nodes, 68 elements, steps 3, 5 and 8 stored\n"
    "  large    NODES nodes and as many elements, STEPS stored steps\n"
    "\n"
    "options:\n"
    "  --big-endian    the byte order of computer type 8\n"
    "  --version0      format version 0 (upgraded when opened)\n"
    "  --fixed-mstru   structure parameters in the fixed layout\n"
    "  -h, --help      this text\n"
    "  --version       the program's version\n";

int usage(std::FILE* out, int status) {
  std::fwrite(kUsage.data(), 1, kUsage.size(), out);
  return status;
}

// A wrong command line: what is wrong, then the usage.
int wrong(const std::string& problem) {
  std::fprintf(stderr, "rafwrite: %s\n", problem.c_str());
  return usage(stderr, 2);
}

bool number(std::string_view s, int32_t& v) {
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  return ec == std::errc() && end == s.data() + s.size() && v >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> words;
  writer::Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "-h" || a == "--help") return usage(stdout, 0);
    if (a == "--version") {
      std::printf("rafwrite %s\n", RAF2SIF_VERSION);
      return 0;
    }
    if (a == "--big-endian") {
      options.computer_type = 8;
    } else if (a == "--version0") {
      options.version0 = true;
    } else if (a == "--fixed-mstru") {
      options.mstru.layout = writer::MstruLayout::kFixed;
    } else if (a.starts_with("-")) {
      return wrong("unknown option '" + std::string(a) + "'");
    } else {
      words.push_back(a);
    }
  }
  writer::Model model;
  std::string out;
  int32_t nodes = 0, steps = 0;
  if (words.size() == 2 && words[0] == "sample") {
    model = writer::sample_frame();
    out = words[1];
  } else if (words.size() == 4 && words[0] == "large" && number(words[1], nodes) &&
             number(words[2], steps)) {
    model = writer::large_frame(nodes, nodes, steps);
    out = words[3];
  } else {
    return wrong("expected sample OUT.raf, or large NODES STEPS OUT.raf with counts of 0 or more");
  }
  const int32_t st = writer::write_raf(model, out, options);
  if (st != 0) {
    std::fprintf(stderr, "rafwrite: cannot write %s (status %d)\n", out.c_str(), st);
    return 1;
  }
  return 0;
}
