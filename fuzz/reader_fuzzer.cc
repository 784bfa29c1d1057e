// libFuzzer target: the Python package's reader entry points (python/reader,
// plain C++ under the module's open, array and mesh) on the fuzzer's input
// (a header, then the RAF file; input.h). The file is opened, one array
// recalled (the slot of the converter's name table byte 4 picks, stored once
// or for the step of byte 3 when byte 2 is odd), the mesh built with and
// without that step, and the work space asked for. A finding besides the
// sanitizers' reports: an error without its one-line text, an array whose
// shape or row offsets do not cut its values, or a mesh whose parts do not
// fit its nodes and elements. The mutator is that of raf_mutator.h.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "input.h"
#include "reader/reader.h"

namespace {

constexpr const char* kRafFile = "reader.raf";

[[noreturn]] void finding(const char* what) {
  std::fprintf(stderr, "reader_fuzzer: %s\n", what);
  std::abort();
}

void check(const reader::Error& e) {
  if (e && (e.text.empty() || e.text.find('\n') != std::string::npos)) {
    finding("an error that is not one line of text");
  }
}

void check(const reader::Array& a) {
  const std::size_t n = a.ints.size() + a.longs.size() + a.reals.size();
  if (!a.shape.empty() &&
      (a.shape.size() != 2 || a.shape[0] < 0 || a.shape[1] < 0 ||
       static_cast<uint64_t>(a.shape[0]) * static_cast<uint64_t>(a.shape[1]) != n)) {
    finding("an array's shape does not hold its values");
  }
  if (!a.offsets.empty()) {
    if (a.offsets.front() != 0 || a.offsets.back() != static_cast<int64_t>(n)) {
      finding("an array's row offsets do not span its values");
    }
    for (std::size_t r = 1; r < a.offsets.size(); ++r) {
      if (a.offsets[r] < a.offsets[r - 1]) finding("an array's row offsets go back");
    }
  }
}

void check(const reader::Mesh& m, bool with_step) {
  const std::size_t nodes = m.node_numbers.size();
  const std::size_t elements = m.types.size();
  if (m.points.size() != 3 * nodes) finding("the mesh's points are not three per node");
  if (m.numbers.size() != elements || m.materials.size() != elements ||
      m.sections.size() != elements) {
    finding("the mesh's element columns differ in length");
  }
  for (const reader::Mesh::Block& b : m.blocks) {
    if (b.connectivity.size() != static_cast<std::size_t>(b.nodes) * b.elements.size()) {
      finding("a block's connectivity is not its node count per element");
    }
    for (int64_t i : b.connectivity) {
      if (i < 0 || static_cast<std::size_t>(i) >= nodes)
        finding("a block names a node the mesh lacks");
    }
    for (int32_t e : b.elements) {
      if (e < 1 || static_cast<std::size_t>(e) > elements)
        finding("a block names an element the mesh lacks");
    }
  }
  if (with_step && (m.displacements.size() != 6 * nodes || m.forces.size() != 12 * elements)) {
    finding("the step's results do not fit the mesh");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  fuzz::enter_private_dir();
  const fuzz::Input in = fuzz::split({data, size});
  fuzz::write_file(kRafFile, in.raf);
  const std::optional<int32_t> step = fuzz::requested_step(in.header);

  reader::File file;
  const reader::Error opened = reader::open(kRafFile, file);
  check(opened);
  if (!opened) {
    const std::string name = fuzz::requested_array(in.header);
    reader::Array a;
    if (!name.empty()) {
      const reader::Error e = reader::array(file, name, step, a);
      check(e);
      if (!e) check(a);
    }
    reader::Mesh m;
    reader::Error e = reader::mesh(file, std::nullopt, m);
    check(e);
    if (!e) check(m, false);
    if (step) {
      reader::Mesh ms;
      e = reader::mesh(file, step, ms);
      check(e);
      if (!e) check(ms, true);
    }
    int64_t words = 0;
    check(reader::work_words(file, words));
    reader::parameter(file, "NNP");
  }
  reader::close(file);
  reader::end_session();
  return 0;
}
