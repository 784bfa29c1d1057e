// make_seeds: writes the fuzzer's seed corpus into a directory, one small
// valid RAF file of every kind the project's writer makes: both byte orders
// (computer types 8 and 12 besides this computer's), format version 0, both
// layouts of MSTRU, real arrays stored in single and in double precision,
// and the sample analysis. A few more carry a header (input.h) that answers
// the dialogue with a step range or gives a small work space.
//
//   make_seeds DIR
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "input.h"
#include "writer/frame.h"
#include "writer/write_raf.h"

namespace {

// A frame small enough that one conversion takes a fraction of a
// millisecond: a handful of nodes, elements and steps.
writer::Model tiny() {
  return writer::large_frame(4, 5, 2);
}

// The model with every real array stored with the type keyword type.
writer::Model reals_as(std::string type) {
  writer::Model m = tiny();
  for (writer::Array& a : m.arrays) {
    if (a.type != "IN") a.type = type;
  }
  return m;
}

writer::Options computer_type(int32_t type) {
  writer::Options o;
  o.computer_type = type;
  return o;
}

writer::Options version0() {
  writer::Options o;
  o.version0 = true;
  return o;
}

writer::Options fixed_mstru() {
  writer::Options o;
  o.mstru.layout = writer::MstruLayout::kFixed;
  return o;
}

struct Seed {
  const char* name;
  writer::Model model;
  writer::Options options;
};

// A seed of the RAF file `raf` with a header in front.
struct HeaderSeed {
  const char* name;
  const char* raf;
  fuzz::Header header;
};

fuzz::Header steps(int8_t first, int8_t last) {
  fuzz::Header h;
  h.first_kind = h.last_kind = 1;
  h.first = first;
  h.last = last;
  return h;
}

fuzz::Header work_space(uint16_t units) {
  fuzz::Header h;
  h.words = units;
  return h;
}

bool write_with_header(const std::filesystem::path& raf, const fuzz::Header& h,
                       const std::filesystem::path& out) {
  std::ifstream in(raf, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  char head[fuzz::kHeaderSize];
  fuzz::put_header(h, reinterpret_cast<uint8_t*>(head));
  std::ofstream o(out, std::ios::binary | std::ios::trunc);
  o.write(head, sizeof head).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return in && o;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: make_seeds DIR\n", stderr);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  const std::vector<Seed> seeds = {
      {"tiny.raf", tiny(), {}},
      {"tiny-type8.raf", tiny(), computer_type(8)},
      {"tiny-type12.raf", tiny(), computer_type(12)},
      {"tiny-version0.raf", tiny(), version0()},
      {"tiny-fixed-mstru.raf", tiny(), fixed_mstru()},
      {"tiny-re.raf", reals_as("RE"), {}},
      {"tiny-dp.raf", reals_as("DP"), {}},
      {"sample.raf", writer::sample_frame(), {}},
  };
  for (const Seed& s : seeds) {
    const std::string path = (dir / s.name).string();
    if (const int32_t st = writer::write_raf(s.model, path, s.options); st != 0) {
      std::fprintf(stderr, "make_seeds: cannot write %s (status %d)\n", path.c_str(), st);
      return 1;
    }
  }
  // A step range of the sample, a first step past the last, and work spaces
  // too small for the model and for the directory.
  const std::vector<HeaderSeed> with_header = {
      {"sample-steps-4-8", "sample.raf", steps(4, 8)},
      {"tiny-steps-2-1", "tiny.raf", steps(2, 1)},
      {"tiny-words-3200", "tiny.raf", work_space(50)},
      {"tiny-words-640", "tiny.raf", work_space(10)},
  };
  for (const HeaderSeed& s : with_header) {
    if (!write_with_header(dir / s.raf, s.header, dir / s.name)) {
      std::fprintf(stderr, "make_seeds: cannot write %s\n", (dir / s.name).c_str());
      return 1;
    }
  }
  return 0;
}
