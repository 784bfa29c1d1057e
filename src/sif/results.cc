#include "sif/results.h"

#include <array>

#include "io/units.h"
#include "sif/check.h"
#include "sif/geometry.h"
#include "sif/passes.h"
#include "sif/record.h"

namespace sif {

namespace {

constexpr ErrorHeader kIniError{1, "  *** ERROR IN WSIF_INI ***"};
constexpr ErrorHeader kForError{1, "  *** ERROR IN WSIF_FOR ***"};
constexpr ErrorHeader kDisError{1, "  *** ERROR IN WSIF_DIS ***"};

constexpr io::SifStyle kScaled = io::SifStyle::kScaled;

constexpr int32_t kBeam = 15;      // the element type that has results
constexpr int kMaxNodes = 10;      // of an element, for its result points
constexpr int kRotation = 9;       // values per TROT column
constexpr int kEndForces = 6;      // per end in TFLE, and in TMIDFO
constexpr int kDisplacements = 6;  // per node in U

// Signs that turn the analysis' forces into the SIF convention, component by
// component, at the first end, the middle and the second end.
constexpr std::array<double, kEndForces> kEnd1Sign = {-1.0, 1.0, -1.0, -1.0, 1.0, -1.0};
constexpr std::array<double, kEndForces> kMiddleSign = {1.0, -1.0, 1.0, 1.0, -1.0, 1.0};
constexpr std::array<double, kEndForces> kEnd2Sign = {1.0, -1.0, 1.0, 1.0, -1.0, 1.0};

// Beam i's pointer into TFLE and its column of TMIDFO lie in the arrays.
bool forces_inside(const Model& m, int32_t i, io::RealView tfle, io::RealView tmidfo,
                   RangeCheck& check) {
  if (!check.index("MPEVEC", i, m.mpevec.size(), Item::kElement, i)) return false;
  const int64_t p = m.mpevec(i);
  return check.index("TFLE", p, tfle.size(), Item::kElement, i) &&
         check.index("TFLE", p + 2 * kEndForces - 1, tfle.size(), Item::kElement, i) &&
         check.column("TMIDFO", i, kEndForces, kEndForces, tmidfo.size(), Item::kElement, i);
}

// The places of an RVFORCES record that change from beam to beam: the
// element's number and its forces at the ends and the middle.
constexpr std::array<int, 1 + 3 * kEndForces> kForceSlots = {2,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                                             14, 15, 16, 17, 18, 19, 20, 21, 22};

// The places of an RVNODDIS record that change from node to node: the node's
// number and its displacements.
constexpr std::array<int, 1 + kDisplacements> kDisplacementSlots = {2, 5, 6, 7, 8, 9, 10};

// The RVFORCES records of the beams among elements first .. last; false at
// the first beam whose indices fail their check, with its block on the unit.
bool put_forces(const Model& m, int32_t isto, io::RealView tfle, io::RealView tmidfo, int32_t first,
                int32_t last, int32_t unit, int32_t& istat) {
  RangeCheck check(kForError, unit, istat);
  // Copies of the views, which stay in registers across the record writes.
  const io::IntView meltyp = m.meltyp;
  const io::IntView mpevec = m.mpevec;
  std::array<double, 5 + 3 * kEndForces> v{23.0, double(isto), 0.0, 1.0, 15.0};
  const RecordPattern pattern("RVFORCES", v, kForceSlots, kScaled);
  for (int32_t i = first; i <= last; ++i) {
    if (meltyp(i) != kBeam) continue;
    if (!forces_inside(m, i, tfle, tmidfo, check)) return false;
    const int64_t p = mpevec(i);
    const Column middle(tmidfo, kEndForces, i);
    v[2] = double(i);
    for (int k = 0; k < kEndForces; ++k) {
      v[5 + k] = kEnd1Sign[k] * tfle(p + k);
      v[5 + kEndForces + k] = kMiddleSign[k] * middle(k + 1);
      v[5 + 2 * kEndForces + k] = kEnd2Sign[k] * tfle(p + kEndForces + k);
    }
    pattern.put(unit, v);
  }
  return true;
}

// The RDPOINTS record of beam i: its ends from COOELM, which may warn on the
// unit, its middle and the rows of its TROT matrix; false, with the block on
// the unit, when its coordinates or its axes cannot be found.
bool put_points(const Model& m, int32_t i, int32_t unit, int32_t& istat) {
  std::array<double, 3 * kMaxNodes> coor{};
  int32_t st = 0;
  COOELM(i, coor, m.mnpc, m.mpmnpc, m.melecc, m.tcoord, m.ecc, kEccValues, kMaxNodes, unit, st);
  if (st != 0) {
    write_header(unit, kIniError);
    istat -= 1;
    return false;
  }
  RangeCheck check(kIniError, unit, istat);
  if (!check.column("TROT", i, kRotation, kRotation, m.trot.size(), Item::kElement, i))
    return false;
  const Column r(m.trot, kRotation, i);  // 3 x 3, column by column
  const double* p1 = &coor[0];
  const double* p2 = &coor[3];
  const double xm = (p1[0] + p2[0]) * 0.5;
  const double ym = (p1[1] + p2[1]) * 0.5;
  const double zm = (p1[2] + p2[2]) * 0.5;
  // One row per line of the record.
  // clang-format off
  put_record(unit, "RDPOINTS",
             {30.0,  1.0,  double(i), 15.0,
              15.0,  3.0,  10103.0,   1.0,
              0.0,   1.0,  p1[0],     p1[1],
              p1[2], 2.0,  xm,        ym,
              zm,    3.0,  p2[0],     p2[1],
              p2[2], r(1), r(4),      r(7),
              r(2),  r(5), r(8),      r(3),
              r(6),  r(9)},
             kScaled);
  // clang-format on
  return true;
}

}  // namespace

void WSIF_INI(const Model& m, int32_t nstore, int32_t unit, int32_t& istat) {
  const int32_t nel = m.nel;
  RangeCheck check(kIniError, unit, istat);
  if (!check.count("MELTYP", nel, m.meltyp.size(), Item::kElement)) return;

  put_record(unit, "RDFORCES", {9.0, 15.0, 6.0, 1.0, 2.0, 3.0, 10.0, 11.0, 12.0}, kScaled);
  put_record(unit, "RDNODRES", {9.0, 6.0, 6.0, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0}, kScaled);
  put_record(unit, "RDPOINTS", {-4.0, 2.0, 1.0, double(nel)}, kScaled);
  const bool whole =
      put_pass(unit, nel, istat, [&](int32_t first, int32_t last, int32_t lun, int32_t& st) {
        for (int32_t i = first; i <= last; ++i) {
          if (m.meltyp(i) == kBeam && !put_points(m, i, lun, st)) return false;
        }
        return true;
      });
  if (!whole) return;
  put_record(unit, "RDIELCOR", {8.0, 15.0, 0.0, 0.0, 0.0, -1.0, 0.0, 1.0}, kScaled);
  for (int32_t k = 1; k <= nstore; ++k) {
    put_record(unit, "RDRESREF",
               {10.0, double(k), 1.0, double(k), 0.0, 0.0, 0.0, 10.0, double(k), 0.0}, kScaled);
  }
  for (int32_t k = 1; k <= nstore; ++k) {
    put_record(unit, "RBLODCMB", {7.0, double(k), 0.0, 1.0, double(k), 1.0, 0.0}, kScaled);
  }
}

void WSIF_FOR(const Model& m, int32_t isto, io::RealView tfle, io::RealView tmidfo, int32_t nstore,
              int32_t unit, int32_t& istat) {
  const int32_t nel = m.nel;
  RangeCheck check(kForError, unit, istat);
  if (!check.count("MELTYP", nel, m.meltyp.size(), Item::kElement)) return;

  if (isto == 1) put_record(unit, "RVFORCES", {-4.0, 2.0, double(nstore), double(nel)}, kScaled);
  put_pass(unit, nel, istat, [&](int32_t first, int32_t last, int32_t lun, int32_t& st) {
    return put_forces(m, isto, tfle, tmidfo, first, last, lun, st);
  });
}

void WSIF_DIS(const Model& m, int32_t isto, io::RealView u, int32_t nstore, int32_t unit,
              int32_t& istat) {
  const int32_t nnp = m.nnp;
  RangeCheck check(kDisError, unit, istat);
  if (!check.columns("U", nnp, kDisplacements, u.size(), Item::kNode)) return;

  if (isto == 1) put_record(unit, "RVNODDIS", {-4.0, 2.0, double(nstore), double(nnp)}, kScaled);
  const std::array<double, 11> fixed{11.0, double(isto), 0.0, 6.0, 0.0};
  const RecordPattern pattern("RVNODDIS", fixed, kDisplacementSlots, kScaled);
  put_pass(unit, nnp, istat, [&](int32_t first, int32_t last, int32_t lun, int32_t&) {
    std::array<double, 11> v = fixed;
    for (int32_t n = first; n <= last; ++n) {
      const Column d(u, kDisplacements, n);
      v[2] = double(n);
      for (int k = 0; k < kDisplacements; ++k) v[5 + k] = d(k + 1);
      pattern.put(lun, v);
    }
    return true;
  });
}

}  // namespace sif
