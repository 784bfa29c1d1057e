#include "writer/frame.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace writer {

namespace {

constexpr int32_t kMxgepr = 20;
constexpr int32_t kMxmapr = 40;
constexpr int32_t kMxglpr = 12;
constexpr int32_t kStoredWord = 10;  // word of an MGLRES column that flags stored results
constexpr int32_t kBeam = 15;

enum Section : int32_t { kNoSection = 0, kTube = 1, kIBeam = 2, kBox = 3, kGeneral = 4 };
enum Material : int32_t { kSteel = 1, kPlastic = 2, kSpring = 3, kConcrete = 4, kAluminium = 5 };
enum UnitVector : int32_t { kNoVector = 0, kAlongX = 1, kAlongZ = 2, kAlongY = 3 };

using Vec = std::array<double, 3>;

// The values of "RE" arrays are computed in single precision, so that they
// read back unchanged. (Rounding double values through float instead is
// dropped by the SLP vectoriser of GCC 12 when two such stores are next to
// each other.)
std::vector<double> widen(const std::vector<float>& v) {
  return {v.begin(), v.end()};
}

Vec cross(const Vec& a, const Vec& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vec unit(const Vec& a) {
  const double l = std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]);
  return l > 0 ? Vec{a[0] / l, a[1] / l, a[2] / l} : Vec{0, 0, 0};
}

struct Shape {
  int32_t nx = 1, ny = 1, levels = 1;  // columns along x and y, levels with the ground
  int32_t nodes = 1;                   // nodes taken from the grid, level by level
  int32_t elements = -1;               // < 0: the grid's beams and the special elements
  int32_t nstep = 0;
  int32_t mxstep = 0;
  std::vector<int32_t> stored;
  std::string title;
};

struct Element {
  int32_t type;
  std::vector<int32_t> nodes;  // internal node numbers
  int32_t mat, geo, loc;
  std::vector<int32_t> ecc;  // internal eccentricity number per node, 0 = none
};

// The fixed tables of the model: sections, materials, unit vectors,
// eccentricities and transformations, with their external numbers.
void add_tables(Model& m) {
  m.add(int_array("MGETYP", "STRU", {kTube, kIBeam, kBox, kGeneral}));
  m.add(int_array("MEXGEO", "STRU", {101, 102, 103, 104}));
  std::vector<float> geo(4 * kMxgepr, 0.0f);
  const std::array<std::vector<float>, 4> dims = {{
      {0.3, 0.324, 0.012},                  // tube: DI, DY, T
      {0.5, 0.01, 0.2, 0.016, 0.2, 0.016},  // I: H, TY, BT, TT, BB, TB
      {0.4, 0.012, 0.012, 0.012, 0.3},      // box: H, TW, TT, TB, B
      {0.012, 2.5e-5, 3.1e-4, 1.2e-4, 0.0, 1.6e-3, 2.1e-3, 9.0e-4, 6.0e-3, 5.0e-3},
  }};
  for (std::size_t j = 0; j < dims.size(); ++j) {
    std::copy(dims[j].begin(), dims[j].end(),
              geo.begin() + static_cast<std::ptrdiff_t>(j * kMxgepr));
  }
  m.add(real_array("TCRGEO", "RE", "STRU", widen(geo)));

  m.add(int_array("MATYP", "STRU", {1, 2, 5, 10, 1}));
  m.add(int_array("MEXMAT", "STRU", {10, 20, 30, 40, 50}));
  std::vector<double> mat(5 * kMxmapr, 0.0);
  auto set = [&mat](int32_t material, std::vector<std::pair<int, double>> values) {
    for (const auto& [k, v] : values)
      mat[static_cast<std::size_t>((material - 1) * kMxmapr + k - 1)] = v;
  };
  set(kSteel, {{1, 2.1e11}, {2, 0.3}, {3, 3.55e8}, {4, 7850.0}, {5, 1.2e-5}});
  set(kPlastic, {{1, 2.1e11},
                 {2, 0.3},
                 {3, 3.55e8},
                 {4, 7850.0},
                 {5, 1.2e-5},
                 {8, 3.0},
                 {9, 0.0017},
                 {10, 3.55e8},
                 {11, 0.02},
                 {12, 4.1e8},
                 {13, 0.15},
                 {14, 5.1e8}});
  const std::array<double, 6> stiffness = {1.0e7, 1.0e7, 5.0e7, 2.0e6, 2.0e6, 1.0e6};
  for (int k = 0; k < 6; ++k)
    set(kSpring, {{k * 6 + k + 1, stiffness[static_cast<std::size_t>(k)]}});
  set(kSpring, {{2, 1.0e5}, {7, 1.0e5}});
  set(kConcrete, {{1, 3.0e10}, {2, 0.2}, {4, 2500.0}, {5, 1.0e-5}});
  set(kAluminium, {{1, 7.0e10}, {2, 0.33}, {3, 2.4e8}, {4, 2700.0}, {5, 2.3e-5}});
  m.add(real_array("TMAPA", "DP", "STRU", mat));

  m.add(real_array("ZLOC", "RE", "STRU", {1, 0, 0, 0, 0, 1, 0, 1, 0}));
  m.add(int_array("MEXLOC", "STRU", {1, 2, 3}));
  const std::vector<float> ecc = {0,     0, -0.2f, 0,     0, 0, 0, 0,     0,   // offset
                                  0.15f, 0, 0,     0,     0, 0, 0, 0,     0,   // offset
                                  1,     0, 0.05f, -0.1f, 1, 0, 0, 0.08f, 1};  // matrix
  m.add(real_array("ECC", "RE", "STRU", widen(ecc)));
  m.add(int_array("MEXECC", "STRU", {1, 2, 3}));
  const double c = std::cos(std::acos(-1.0) / 6), s = 0.5;
  m.add(real_array("RNTRAN", "DP", "STRU", {1, 0, 0, 0,  1, 0, 0, 0, 1,  //
                                            c, s, 0, -s, c, 0, 0, 0, 1,  //
                                            0, 0, 0, 0,  0, 0, 0, 0, 0}));
  m.add(int_array("MEXTRA", "STRU", {1, 2, 3}));
}

class Frame {
 public:
  explicit Frame(Shape s) : s_(std::move(s)) {
    for (int32_t k = 0; k < s_.nodes; ++k) {
      const int32_t i = k % s_.nx, j = k / s_.nx % s_.ny, z = k / (s_.nx * s_.ny);
      grid_.push_back({i, j, z});
      xyz_.push_back({6.0 * i, 5.0 * j, 3.5 * z});
    }
    add_grid();
    if (s_.elements < 0) {
      add_special();
    } else {
      if (static_cast<int32_t>(el_.size()) > s_.elements)
        el_.resize(static_cast<std::size_t>(s_.elements));
      for (int32_t k = 0; static_cast<int32_t>(el_.size()) < s_.elements; ++k) {
        el_.push_back({18, {k % s_.nodes + 1}, kSpring, kNoSection, kNoVector, {0}});
      }
    }
  }

  Model model() const;

 private:
  // Internal number of the grid node (i, j, z); 0 beyond the nodes taken.
  int32_t node(int32_t i, int32_t j, int32_t z) const {
    const int64_t k = (int64_t{z} * s_.ny + j) * s_.nx + i + 1;
    return k <= s_.nodes ? static_cast<int32_t>(k) : 0;
  }

  void beam(int32_t a, int32_t b, int32_t mat, int32_t geo, int32_t loc, int32_t e1, int32_t e2) {
    if (a != 0 && b != 0) el_.push_back({kBeam, {a, b}, mat, geo, loc, {e1, e2}});
  }

  // Level by level: the columns below it, the beams along x, those along y.
  void add_grid() {
    for (int32_t z = 1; z < s_.levels; ++z) {
      for (int32_t j = 0; j < s_.ny; ++j) {
        for (int32_t i = 0; i < s_.nx; ++i) {
          const bool corner = (i == 0 || i == s_.nx - 1) && (j == 0 || j == s_.ny - 1);
          beam(node(i, j, z - 1), node(i, j, z), kSteel, corner ? kTube : kBox, kAlongX, 0,
               z == 1 && i == s_.nx - 1 ? 3 : 0);
        }
      }
      for (int32_t j = 0; j < s_.ny; ++j) {
        for (int32_t i = 0; i + 1 < s_.nx; ++i) {
          const int32_t e = i == 0 ? 1 : 0;
          beam(node(i, j, z), node(i + 1, j, z), kPlastic, kIBeam, kAlongZ, e, e);
        }
      }
      for (int32_t i = 0; i < s_.nx; ++i) {
        for (int32_t j = 0; j + 1 < s_.ny; ++j) {
          beam(node(i, j, z), node(i, j + 1, z), kAluminium, kGeneral, kAlongZ, j == 0 ? 2 : 0, 0);
        }
      }
    }
  }

  // Springs to the ground, an element of each of the types the converter
  // maps (48 and 49), and a four-node element.
  void add_special() {
    el_.push_back({18, {node(0, 0, 0)}, kSpring, kNoSection, kNoVector, {0}});
    el_.push_back({18, {node(1, 0, 0)}, kSpring, kNoSection, kNoVector, {0}});
    el_.push_back({48, {node(2, 0, 0)}, kSpring, kNoSection, kNoVector, {0}});
    el_.push_back({49, {node(0, 0, 1), node(1, 1, 1)}, kConcrete, kIBeam, kAlongZ, {0, 0}});
    el_.push_back({70,
                   {node(0, 0, 1), node(2, 0, 1), node(2, 2, 1), node(0, 2, 1)},
                   kConcrete,
                   kNoSection,
                   kNoVector,
                   {0, 0, 0, 0}});
  }

  void add_nodes(Model& m) const;
  void add_elements(Model& m) const;
  void add_steps(Model& m) const;

  Shape s_;
  std::vector<std::array<int32_t, 3>> grid_;
  std::vector<Vec> xyz_;
  std::vector<Element> el_;
};

void Frame::add_nodes(Model& m) const {
  const auto nnp = static_cast<std::size_t>(s_.nodes);
  std::vector<int32_t> mnpex(nnp), nboun(6 * nnp, 0), mnt(nnp, 0);
  std::vector<double> tcoord(3 * nnp);
  for (std::size_t k = 0; k < nnp; ++k) {
    const auto [i, j, z] = grid_[k];
    mnpex[k] = 10 * static_cast<int32_t>(k + 1);
    std::copy(xyz_[k].begin(), xyz_[k].end(), tcoord.begin() + static_cast<std::ptrdiff_t>(3 * k));
    if (z == 0) {
      static constexpr std::array<std::array<int32_t, 6>, 3> kSupports = {
          {{1, 1, 1, 1, 1, 1}, {1, 1, 1, 0, 0, 0}, {5, 5, 5, 0, 0, 0}}};
      const auto& codes = kSupports[static_cast<std::size_t>((i + j) % 3)];
      std::copy(codes.begin(), codes.end(), nboun.begin() + static_cast<std::ptrdiff_t>(6 * k));
      mnt[k] = 1;
    } else if (z == 1 && i == 0) {
      mnt[k] = 2;
    }
  }
  m.add(int_array("MNPEX", "STRU", std::move(mnpex)));
  m.add(real_array("TCOORD", "DP", "STRU", std::move(tcoord)));
  m.add(int_array("NBOUN", "STRU", std::move(nboun)));
  m.add(int_array("MNT", "STRU", std::move(mnt)));
}

void Frame::add_elements(Model& m) const {
  const std::size_t nel = el_.size();
  std::vector<int32_t> melex(nel), meltyp(nel), melmat(nel), melgeo(nel), melloc(nel), mpevec(nel);
  std::vector<int32_t> mpmnpc(nel + 1), mnpc, melecc;
  std::vector<double> trot(9 * nel);
  std::vector<std::vector<int32_t>> at_node(static_cast<std::size_t>(s_.nodes));
  static constexpr std::array<Vec, 3> kVectors = {{{1, 0, 0}, {0, 0, 1}, {0, 1, 0}}};
  for (std::size_t e = 0; e < nel; ++e) {
    const Element& el = el_[e];
    melex[e] = 5000 + static_cast<int32_t>(e + 1);
    meltyp[e] = el.type;
    melmat[e] = el.mat;
    melgeo[e] = el.geo;
    melloc[e] = el.loc;
    mpevec[e] = 12 * static_cast<int32_t>(e) + 1;
    mpmnpc[e] = static_cast<int32_t>(mnpc.size()) + 1;
    for (std::size_t k = 0; k < el.nodes.size(); ++k) {
      mnpc.push_back(el.nodes[k]);
      melecc.push_back(el.ecc[k]);
      at_node[static_cast<std::size_t>(el.nodes[k] - 1)].push_back(static_cast<int32_t>(e + 1));
    }
    // The element's axes, column by column: x along the element, z near
    // its unit vector.
    Vec x{1, 0, 0}, y{0, 1, 0}, z{0, 0, 1};
    if (el.nodes.size() >= 2) {
      const Vec& p1 = xyz_[static_cast<std::size_t>(el.nodes[0] - 1)];
      const Vec& p2 = xyz_[static_cast<std::size_t>(el.nodes[1] - 1)];
      x = unit({p2[0] - p1[0], p2[1] - p1[1], p2[2] - p1[2]});
      const Vec ref = el.loc > 0 ? kVectors[static_cast<std::size_t>(el.loc - 1)] : Vec{0, 0, 1};
      y = unit(cross(ref, x));
      z = cross(x, y);
    }
    for (int k = 0; k < 3; ++k) {
      trot[9 * e + k] = x[static_cast<std::size_t>(k)];
      trot[9 * e + 3 + k] = y[static_cast<std::size_t>(k)];
      trot[9 * e + 6 + k] = z[static_cast<std::size_t>(k)];
    }
  }
  mpmnpc[nel] = static_cast<int32_t>(mnpc.size()) + 1;
  std::vector<int32_t> mnelnp, melnp;
  for (const auto& list : at_node) {
    mnelnp.push_back(static_cast<int32_t>(melnp.size()) + 1);
    melnp.insert(melnp.end(), list.begin(), list.end());
  }
  mnelnp.push_back(static_cast<int32_t>(melnp.size()) + 1);

  m.add(int_array("MELEX", "STRU", std::move(melex)));
  m.add(int_array("MELTYP", "STRU", std::move(meltyp)));
  m.add(int_array("MPMNPC", "STRU", std::move(mpmnpc)));
  m.add(int_array("MNPC", "STRU", std::move(mnpc)));
  m.add(int_array("MELMAT", "STRU", std::move(melmat)));
  m.add(int_array("MELGEO", "STRU", std::move(melgeo)));
  m.add(int_array("MELLOC", "STRU", std::move(melloc)));
  m.add(int_array("MELECC", "STRU", std::move(melecc)));
  m.add(int_array("MNELNP", "STRU", std::move(mnelnp)));
  m.add(int_array("MELNP", "STRU", std::move(melnp)));
  m.add(real_array("TROT", "DP", "STRU", std::move(trot)));
  m.add(int_array("MPEVEC", "STRU", std::move(mpevec)));
}

// The global step table, the control arrays and the results of the stored
// steps, each a multiple of the step's load factor.
void Frame::add_steps(Model& m) const {
  const auto columns = static_cast<std::size_t>(s_.mxstep);
  std::vector<int32_t> mglres(kMxglpr * columns, 0);
  std::vector<float> tglres(kMxglpr * columns, 0.0f);
  const auto stored = [this](int32_t step) {
    return std::find(s_.stored.begin(), s_.stored.end(), step) != s_.stored.end();
  };
  for (int32_t j = 1; j <= s_.nstep; ++j) {
    const std::size_t c = static_cast<std::size_t>(j - 1) * kMxglpr;
    mglres[c] = j;
    mglres[c + 1] = 1;
    mglres[c + 2] = 3 + j % 4;
    mglres[c + kStoredWord - 1] = stored(j) ? 1 : 0;
    tglres[c] = static_cast<float>(j) / static_cast<float>(s_.nstep);
    tglres[c + 1] = 0.1f * static_cast<float>(j);
  }
  m.add(int_array("MGLRES", "GLOB", std::move(mglres)));
  m.add(real_array("TGLRES", "RE", "GLOB", widen(tglres)));

  std::vector<int32_t> ictext(80, ' ');
  std::copy(s_.title.begin(), s_.title.end(), ictext.begin());
  m.add(int_array("ICTEXT", "CTRL", std::move(ictext)));
  m.add(int_array("STATUS", "CTRL",
                  {1, s_.nstep, static_cast<int32_t>(s_.stored.size()), 0, 0, 0, 0, 0, 0, 0}));

  Array tfle = empty_array("TFLE", "DP", "POST");
  Array tmidfo = empty_array("TMIDFO", "RE", "POST");
  Array u = empty_array("U", "DP", "POST");
  const std::size_t nel = el_.size(), nnp = xyz_.size();
  for (const int32_t step : s_.stored) {
    const double lf = static_cast<double>(step) / s_.nstep;
    const float lf_single = static_cast<float>(step) / static_cast<float>(s_.nstep);
    std::vector<double>& f = tfle.steps[step].reals;
    std::vector<double>& mid = tmidfo.steps[step].reals;
    std::vector<double>& d = u.steps[step].reals;
    f.resize(12 * nel);
    mid.resize(6 * nel);
    d.resize(6 * nnp);
    for (std::size_t e = 0; e < nel; ++e) {
      for (std::size_t k = 0; k < 12; ++k) {
        f[12 * e + k] = lf * 1000.0 * static_cast<double>((k + 1) * (1 + e % 5)) * (k % 2 ? -1 : 1);
      }
      for (std::size_t k = 0; k < 6; ++k) {
        mid[6 * e + k] = lf_single * 500.0f * static_cast<float>((k + 1) * (1 + e % 3));
      }
    }
    for (std::size_t n = 0; n < nnp; ++n) {
      for (std::size_t k = 0; k < 6; ++k) {
        const double scale = k < 3 ? 1.0e-3 : 1.0e-5;
        d[6 * n + k] = lf * scale * (xyz_[n][2] + 1.0) * static_cast<double>(k % 3 + 1) +
                       1.0e-6 * static_cast<double>(n % 7);
      }
    }
  }
  m.add(std::move(tfle));
  m.add(std::move(tmidfo));
  m.add(std::move(u));
}

Model Frame::model() const {
  Model m;
  m.nstep = s_.nstep;
  add_nodes(m);
  add_elements(m);
  add_tables(m);
  add_steps(m);
  const auto nel = static_cast<int32_t>(el_.size());
  const auto beams = static_cast<int32_t>(
      std::count_if(el_.begin(), el_.end(), [](const Element& e) { return e.type == kBeam; }));
  m.parameters = {{"NNP", s_.nodes},
                  {"NEL", nel},
                  {"NBEAM", beams},
                  {"NMA", 5},
                  {"NSCHAR", 0},
                  {"NGE", 4},
                  {"NLC", 3},
                  {"NTRANS", 3},
                  {"NECC", 3},
                  {"NLDCS", 1},
                  {"MXGEPR", kMxgepr},
                  {"MXMAPR", kMxmapr},
                  {"NOLOAD", 0},
                  {"ICHECK", 0},
                  {"IPRINT", 0},
                  {"MXGLPR", kMxglpr},
                  {"MXSTEP", s_.mxstep},
                  {"MXSTA1", 6 * s_.nodes},
                  {"MXSTA2", 12 * nel},
                  {"MXSTA3", 6 * nel},
                  {"LSTSTO", s_.stored.empty() ? 0 : s_.stored.back()}};
  return m;
}

}  // namespace

Model sample_frame() {
  Shape s;
  s.nx = s.ny = 3;
  s.levels = 4;
  s.nodes = 36;
  s.nstep = 10;
  s.mxstep = 12;
  s.stored = {3, 5, 8};
  s.title = "SAMPLE FRAME - THREE STOREYS, 3 X 3 COLUMNS";
  return Frame(std::move(s)).model();
}

Model large_frame(int32_t nodes, int32_t elements, int32_t steps) {
  Shape s;
  s.nodes = std::max(nodes, 1);
  s.levels = std::clamp(s.nodes / 100, 1, 20);
  const int32_t per_level = (s.nodes + s.levels - 1) / s.levels;
  s.nx = static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(per_level))));
  s.ny = (per_level + s.nx - 1) / s.nx;
  s.elements = std::max(elements, 0);
  s.nstep = s.mxstep = 2 * std::max(steps, 0);
  for (int32_t k = 1; k <= std::max(steps, 0); ++k) s.stored.push_back(2 * k);
  s.title = "LARGE FRAME";
  return Frame(std::move(s)).model();
}

}  // namespace writer
