#include "sif/geometry.h"

#include <algorithm>
#include <cmath>

#include "io/fields.h"
#include "io/units.h"
#include "sif/record.h"

namespace sif {

namespace {

constexpr ErrorHeader kCooelmError{2, " *** ERROR   IN ROUTINE COOELM ***"};
constexpr ErrorHeader kBntrcosError{1, "  *** ERROR IN WSIF_BNTRCOS ***"};

// The limits are single-precision constants: their double values decide.
constexpr double kNoRotation = static_cast<double>(1.0e-10f);
constexpr double kZeroTransformation = static_cast<double>(0.001f);

constexpr int kTransformationValues = 9;

void write_node_warning(int32_t lpu, int32_t iel, int64_t n, int32_t maxnod) {
  if (lpu < 1) return;
  io::write_record(lpu, "");
  io::write_record(lpu, "");
  io::write_record(lpu, " *** Warning from routine COOELM ***");
  io::write_record(lpu, "");
  io::write_record(lpu, "");
  io::write_record(lpu, "   Number of nodes per element ecceded !");
  io::write_record(lpu, io::Line().a("   Actual element number, (internal) : ").i(iel, 10).view());
  io::write_record(lpu, io::Line().a("   Actual number of element nodes    : ").i(n, 10).view());
  io::write_record(lpu,
                   io::Line().a("   Max number of element nodes       : ").i(maxnod, 10).view());
}

}  // namespace

std::array<double, 3> eccentricity_vector(const Column& e) {
  double rotation = 0.0;
  for (int k = 4; k <= kEccValues; ++k) rotation += std::fabs(e(k));
  if (rotation < kNoRotation) return {e(1), e(2), e(3)};
  return {e(8), e(3), e(4)};
}

void COOELM(int32_t iel, std::span<double> coor, io::IntView mnpc, io::IntView mpmnpc,
            io::IntView melecc, io::RealView tcoord, io::RealView ecc, int32_t ndecc,
            int32_t maxnod, int32_t lpu, int32_t& istat) {
  if (iel < 1) {
    write_header(lpu, kCooelmError);
    istat -= 1;
    return;
  }
  RangeCheck check(kCooelmError, lpu, istat);
  int64_t first = 0;
  int64_t n = 0;
  if (!check.node_list("MNPC", mpmnpc, iel, mnpc.size(), first, n)) return;
  if (n > maxnod) {
    write_node_warning(lpu, iel, n, maxnod);
    n = maxnod;
  }
  if (n == 0) return;
  const int64_t last = first + n - 1;
  if (!check.index("MELECC", last, melecc.size(), Item::kElement, iel) ||
      !check.index("COOR", 3 * n, static_cast<int64_t>(coor.size()), Item::kElement, iel)) {
    return;
  }

  std::fill_n(coor.begin(), 3 * n, 0.0);
  const int64_t ecc_used = ndecc == kEccValues ? kEccValues : 3;
  for (int64_t k = 0; k < n; ++k) {
    const int64_t p = first + k;
    const int32_t node = mnpc(p);
    if (!check.column("TCOORD", node, 3, 3, tcoord.size(), Item::kElement, iel)) return;
    const Column x(tcoord, 3, node);
    std::array<double, 3> offset = {0.0, 0.0, 0.0};
    if (const int32_t e = melecc(p); e > 0) {
      if (!check.column("ECC", e, ndecc, ecc_used, ecc.size(), Item::kElement, iel)) return;
      const Column column(ecc, ndecc, e);
      offset = ndecc == kEccValues ? eccentricity_vector(column)
                                   : std::array<double, 3>{column(1), column(2), column(3)};
    }
    for (int j = 0; j < 3; ++j) coor[3 * k + j] = x(j + 1) + offset[j];
  }
}

void WSIF_BNTRCOS(int32_t ntrans, io::RealView rntran, io::IntView mextra, int32_t unit,
                  int32_t& istat) {
  RangeCheck check(kBntrcosError, unit, istat);
  if (!check.count("MEXTRA", ntrans, mextra.size(), Item::kTransformation)) return;
  for (int32_t k = 1; k <= ntrans; ++k) {
    const int32_t external = mextra(k);
    if (external <= 0) continue;
    if (!check.column("RNTRAN", k, kTransformationValues, kTransformationValues, rntran.size(),
                      Item::kTransformation, k)) {
      return;
    }
    const Column r(rntran, kTransformationValues, k);
    double squares = 0.0;
    for (int j = 1; j <= kTransformationValues; ++j) squares += r(j) * r(j);
    if (squares < kZeroTransformation) continue;
    put_record(unit, "BNTRCOS",
               {double(external), r(1), r(2), r(3), r(4), r(5), r(6), r(7), r(8), r(9), 0.0, 0.0},
               io::SifStyle::kPlain);
  }
}

}  // namespace sif
