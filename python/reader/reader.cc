#include "reader/reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "arrays/inidms.h"
#include "arrays/keywords.h"
#include "arrays/name_table.h"
#include "arrays/recall.h"
#include "arrays/views.h"
#include "arrays/work_space.h"
#include "dms/names.h"
#include "driver/process_state.h"
#include "info/failure.h"
#include "info/gather.h"
#include "info/json_report.h"
#include "info/text_report.h"
#include "info/values.h"
#include "io/text.h"
#include "io/work_array.h"
#include "raflib/inspect.h"

namespace reader {

namespace {

constexpr int32_t kUnit = info::kRafUnit;
constexpr int32_t kQuiet = info::kQuiet;
constexpr int64_t kBaseWords = 1000000;
constexpr int64_t kEndForces = 12;  // per element in TFLE: six at each end

// The file set up in the libraries, and the work array its arrays are
// recalled into: room for the layer's book-keeping and for every array of
// the file, which takes at most twice its words on the file.
struct Session {
  uint64_t owner = 0;
  std::unique_ptr<int32_t[]> block;
  io::WorkArray ia;
};

Session& session() {
  static Session s;
  return s;
}

uint64_t next_id() {
  static uint64_t last = 0;
  return ++last;
}

Error file_error(std::string text) {
  return {Error::Kind::kFile, std::move(text)};
}

Error request_error(std::string text) {
  return {Error::Kind::kRequest, std::move(text)};
}

Error raflib_error(std::string what) {
  return file_error(info::describe(info::raflib_failure(std::move(what), info::kRefused)));
}

// Sets file up in the libraries unless it is set up already.
Error attach(const File& file) {
  Session& s = session();
  if (file.id == 0) return request_error("the file is closed");
  if (s.owner == file.id) return {};
  end_session();
  int32_t istat = 0;
  raflib::open_to_inspect(kUnit, file.path, kQuiet, istat);
  if (istat < 0) return raflib_error("opening the file");
  istat = 0;
  const int64_t size = file.facts.key ? file.facts.key->file_size : 0;
  const auto words = static_cast<int32_t>(std::min<int64_t>(kBaseWords + size / 2, INT32_MAX));
  s.block.reset(new (std::nothrow) int32_t[static_cast<std::size_t>(words)]);
  if (!s.block)
    return file_error("cannot allocate a work array of " + std::to_string(words) + " words");
  s.ia = io::WorkArray(s.block.get(), words);
  arrays::INIDMS(s.ia, words, arrays::kNameTable, arrays::kNameSlots, arrays::kNameChars, kUnit,
                 kQuiet, istat);
  if (istat != 0) return raflib_error("array directory (records 101 to 103)");
  s.owner = file.id;
  return {};
}

bool in_mfp(const File& file, int32_t key) {
  const auto& mfp = *file.facts.mfp;
  return std::any_of(mfp.begin(), mfp.end(),
                     [key](const info::MfpEntry& e) { return e.number == key; });
}

// True when the array's class keeps a record per step (results, restart data).
bool per_step(int32_t icode) {
  const arrays::StoreInfo* info = arrays::store_code_info(icode);
  return info != nullptr && (info->post || info->rest);
}

// Recalls name for step index irfins into out, flat.
Error recall_in_session(File& file, std::string_view name, int32_t irfins, bool step_given,
                        Array& out) {
  if (Error e = attach(file)) return e;
  io::WorkArray& ia = session().ia;
  const std::string what =
      std::string(name) + (step_given ? " for step " + std::to_string(irfins) : "");
  if (dms::DMSNUM(ia, name, 0) < 1)
    return request_error(std::string(name) + ": not an array the converter knows");
  arrays::Keys k;
  int32_t istat = 0;
  arrays::keys_of(ia, name, irfins, k, kQuiet, istat);
  if (istat != 0 || k.key < 0) return raflib_error("directory entry of " + std::string(name));
  if (k.itype == 0) return request_error(std::string(name) + ": not on the file");
  if (!step_given && per_step(k.icode) && k.key == 0) {
    return request_error(std::string(name) + " is stored per step: give a step");
  }
  if (k.key == 0 || !in_mfp(file, k.key)) return request_error(what + ": no record on the file");
  int32_t ipoint = 0;
  arrays::ARREC1(ia, name, ipoint, irfins, kUnit, kQuiet, istat);
  if (istat != 0) return raflib_error("array " + what);
  out = Array{};
  out.name = name;
  out.type = std::string(io::trimmed(k.type));
  const std::span<const std::byte> bytes = arrays::storage_bytes(ia, name, ipoint);
  switch (k.itype) {
    case arrays::kTypeInteger:
      info::append_elements<int32_t>(bytes, k.ndim, out.ints);
      break;
    case arrays::kTypeSingle:
      info::append_elements<float>(bytes, k.ndim, out.reals);
      break;
    case arrays::kTypeReal:
      info::append_elements<double>(bytes, k.ndim, out.reals);
      break;
    case arrays::kTypeInteger8:
      info::append_elements<int64_t>(bytes, k.ndim, out.longs);
      break;
  }
  return {};
}

// recall_in_session, after whose failure the session is ended: the layer
// may have counted an error that would refuse every later call.
Error recall(File& file, std::string_view name, int32_t irfins, bool step_given, Array& out) {
  const Error e = recall_in_session(file, name, irfins, step_given, out);
  if (e) end_session();
  return e;
}

Error recall_model(File& file, std::string_view name, Array& out) {
  return recall(file, name, 0, false, out);
}

// Arrays of a row per node, element, section, material or step: the
// parameter that counts the rows and the row length, fixed or a parameter.
struct Columns {
  std::string_view name, rows;
  int32_t width;
  std::string_view width_parameter;
};

constexpr std::array<Columns, 12> kColumns = {{
    {"TCOORD", "NNP", 3, ""},
    {"U", "NNP", 6, ""},
    {"NBOUN", "NNP", 6, ""},
    {"TMIDFO", "NEL", 6, ""},
    {"TROT", "NEL", 9, ""},
    {"ECC", "NECC", 9, ""},
    {"ZLOC", "NLC", 3, ""},
    {"TCRGEO", "NGE", 0, "MXGEPR"},
    {"TMAPA", "NMA", 0, "MXMAPR"},
    {"MGLRES", "MXSTEP", 0, "MXGLPR"},
    {"TGLRES", "MXSTEP", 0, "MXGLPR"},
    {"TGEPA", "NGE", 0, "MXGEPR"},
}};

std::size_t size_of(const Array& a) {
  return a.ints.size() + a.longs.size() + a.reals.size();
}

void shape_by_columns(const File& file, Array& a) {
  for (const Columns& c : kColumns) {
    if (c.name != a.name) continue;
    const std::optional<int32_t> rows = parameter(file, c.rows);
    const std::optional<int32_t> width = c.width_parameter.empty()
                                             ? std::optional<int32_t>(c.width)
                                             : parameter(file, c.width_parameter);
    if (rows && width && *rows > 0 && *width > 0 &&
        size_of(a) == std::size_t(*rows) * std::size_t(*width)) {
      a.shape = {*rows, *width};
    }
  }
}

// Row starts from a 1-based index array of rows + 1 entries (rows cut
// values, n in all): offsets when every row lies inside the values in order.
bool cut(const std::vector<int32_t>& starts, std::size_t n, std::vector<int64_t>& offsets) {
  if (starts.empty()) return false;
  for (std::size_t r = 0; r < starts.size(); ++r) {
    if (starts[r] < 1 || std::size_t(starts[r]) - 1 > n) return false;
    if (r > 0 && starts[r] < starts[r - 1]) return false;
  }
  offsets.clear();
  for (const int32_t s : starts) offsets.push_back(s - 1);
  return true;
}

// The node lists (MNPC) and their eccentricities (MELECC) by element, from
// MPMNPC; TFLE by element from MPEVEC, twelve values each. An index array
// that cannot be recalled or does not fit leaves the array flat.
void shape_by_index(File& file, Array& a) {
  if (a.name == "MNPC" || a.name == "MELECC") {
    Array starts;
    if (!recall_model(file, "MPMNPC", starts) && !cut(starts.ints, a.ints.size(), a.offsets)) {
      a.offsets.clear();
    }
    return;
  }
  Array mpevec;
  const std::optional<int32_t> nel = parameter(file, "NEL");
  if (a.name != "TFLE" || !nel || recall_model(file, "MPEVEC", mpevec) ||
      std::size_t(*nel) != mpevec.ints.size()) {
    return;
  }
  std::vector<double> rows;
  rows.reserve(kEndForces * mpevec.ints.size());
  for (const int32_t p : mpevec.ints) {
    if (p < 1 || std::size_t(p) - 1 + kEndForces > a.reals.size()) return;
    rows.insert(rows.end(), a.reals.begin() + (p - 1), a.reals.begin() + (p - 1 + kEndForces));
  }
  a.reals = std::move(rows);
  a.shape = {*nel, kEndForces};
}

// The external number of internal number k through ex (1-based), the SIF
// writer's rule: 0 or less stays as it is.
bool external(const std::vector<int32_t>& ex, int32_t k, int32_t& out) {
  if (k <= 0) {
    out = k;
    return true;
  }
  if (std::size_t(k) > ex.size()) return false;
  out = ex[std::size_t(k) - 1];
  return true;
}

// The mesh of the file's model, for mesh().
Error build_mesh(File& file, std::optional<int32_t> step, Mesh& out) {
  out = Mesh{};
  const std::optional<int32_t> nnp = parameter(file, "NNP"), nel = parameter(file, "NEL");
  if (!nnp || !nel || *nnp < 0 || *nel < 0)
    return file_error("the structure parameters give no NNP or NEL");
  Array tcoord, mnpex, mpmnpc, mnpc, meltyp, melex, melmat, mexmat, melgeo, mexgeo;
  for (auto [name, a] : {std::pair{"TCOORD", &tcoord},
                         {"MNPEX", &mnpex},
                         {"MPMNPC", &mpmnpc},
                         {"MNPC", &mnpc},
                         {"MELTYP", &meltyp},
                         {"MELEX", &melex},
                         {"MELMAT", &melmat},
                         {"MEXMAT", &mexmat},
                         {"MELGEO", &melgeo},
                         {"MEXGEO", &mexgeo}}) {
    if (Error e = recall_model(file, name, *a)) return e;
  }
  const auto nodes = static_cast<std::size_t>(*nnp), elements = static_cast<std::size_t>(*nel);
  if (tcoord.reals.size() < 3 * nodes || mnpex.ints.size() < nodes) {
    return file_error("TCOORD or MNPEX holds fewer than NNP nodes");
  }
  std::vector<int64_t> offsets;
  if (mpmnpc.ints.size() < elements + 1 ||
      !cut({mpmnpc.ints.begin(), mpmnpc.ints.begin() + std::ptrdiff_t(elements + 1)},
           mnpc.ints.size(), offsets)) {
    return file_error("MPMNPC does not cut MNPC into NEL node lists");
  }
  for (const Array* a : {&meltyp, &melex, &melmat, &melgeo}) {
    if (a->ints.size() < elements) return file_error(a->name + " holds fewer than NEL elements");
  }
  out.points.assign(tcoord.reals.begin(), tcoord.reals.begin() + std::ptrdiff_t(3 * nodes));
  out.node_numbers.assign(mnpex.ints.begin(), mnpex.ints.begin() + std::ptrdiff_t(nodes));
  for (std::size_t i = 0; i < elements; ++i) {
    const auto n = static_cast<int32_t>(offsets[i + 1] - offsets[i]);
    auto block = std::find_if(out.blocks.begin(), out.blocks.end(),
                              [n](const Mesh::Block& b) { return b.nodes >= n; });
    if (block == out.blocks.end() || block->nodes != n)
      block = out.blocks.insert(block, {n, {}, {}});
    for (int64_t p = offsets[i]; p < offsets[i + 1]; ++p) {
      const int32_t node = mnpc.ints[std::size_t(p)];
      if (node < 1 || node > *nnp) {
        return file_error("element " + std::to_string(i + 1) + " names node " +
                          std::to_string(node) + ", outside 1 to NNP = " + std::to_string(*nnp));
      }
      block->connectivity.push_back(node - 1);
    }
    block->elements.push_back(static_cast<int32_t>(i + 1));
    int32_t mat = 0, geo = 0;
    if (!external(mexmat.ints, melmat.ints[i], mat) ||
        !external(mexgeo.ints, melgeo.ints[i], geo)) {
      return file_error("element " + std::to_string(i + 1) +
                        " has a material or section outside MEXMAT or MEXGEO");
    }
    out.types.push_back(meltyp.ints[i]);
    out.numbers.push_back(melex.ints[i]);
    out.materials.push_back(mat);
    out.sections.push_back(geo);
  }
  if (!step) return {};
  Array u, tfle, mpevec;
  if (Error e = recall(file, "U", *step, true, u)) return e;
  if (Error e = recall(file, "TFLE", *step, true, tfle)) return e;
  if (Error e = recall_model(file, "MPEVEC", mpevec)) return e;
  if (u.reals.size() < 6 * nodes) return file_error("U holds fewer than NNP nodes");
  out.displacements.assign(u.reals.begin(), u.reals.begin() + std::ptrdiff_t(6 * nodes));
  out.forces.assign(kEndForces * elements, std::numeric_limits<double>::quiet_NaN());
  for (std::size_t i = 0; i < elements && i < mpevec.ints.size(); ++i) {
    const int32_t p = mpevec.ints[i];
    if (p < 1 || std::size_t(p) - 1 + kEndForces > tfle.reals.size()) continue;
    std::copy_n(tfle.reals.begin() + (p - 1), kEndForces,
                out.forces.begin() + std::ptrdiff_t(kEndForces * i));
  }
  return {};
}

}  // namespace

Error open(const std::string& path, File& file) {
  end_session();
  info::Request request;
  request.file = path;
  file = File{};
  file.path = path;
  file.facts = info::gather(request);
  end_session();
  if (file.facts.failure) return file_error(info::describe(*file.facts.failure));
  if (!file.facts.directory || !file.facts.directory->present) {
    return file_error("the file has no array directory");
  }
  file.id = next_id();
  return {};
}

void close(File& file) {
  if (file.id != 0 && session().owner == file.id) end_session();
  file.id = 0;
}

std::optional<int32_t> parameter(const File& file, std::string_view name) {
  if (!file.facts.parameters) return std::nullopt;
  for (const info::Parameter& p : file.facts.parameters->values) {
    if (p.name == name) return p.value;
  }
  return std::nullopt;
}

Error array(File& file, std::string_view name, std::optional<int32_t> step, Array& out) {
  const int32_t mxstep = file.facts.steps ? file.facts.steps->mxstep : 0;
  if (step && (*step < 1 || *step > mxstep)) {
    return request_error("step " + std::to_string(*step) +
                         ": the steps are 1 to MXSTEP = " + std::to_string(mxstep));
  }
  const Error e = recall(file, name, step.value_or(0), step.has_value(), out);
  if (e) return e;
  shape_by_columns(file, out);
  shape_by_index(file, out);
  return {};
}

Error mesh(File& file, std::optional<int32_t> step, Mesh& out) {
  const Error e = build_mesh(file, step, out);
  if (e) out = Mesh{};
  return e;
}

Error work_words(File& file, int64_t& words) {
  if (file.id == 0) return request_error("the file is closed");
  end_session();
  int32_t istat = 0;
  words = arrays::work_words(file.path, istat);
  end_session();
  if (istat != 0)
    return file_error(file.path + ": the work space a conversion needs cannot be found");
  return {};
}

void report(const std::string& path, bool json, std::string& text, std::string& failure) {
  end_session();
  info::Request request;
  request.file = path;
  const info::Facts facts = info::gather(request);
  end_session();
  text = json ? info::json_report(facts) : info::text_report(facts);
  failure = facts.failure ? info::describe(*facts.failure) : std::string();
}

void end_session() {
  Session& s = session();
  driver::reset_process_state();
  s.owner = 0;
  s.ia = io::WorkArray();
  s.block.reset();
}

}  // namespace reader
