#include "sif/nodes.h"

#include <array>

#include "sif/check.h"
#include "sif/passes.h"
#include "sif/record.h"

namespace sif {

namespace {

constexpr ErrorHeader kGnodeError{1, "  *** ERROR IN WSIF_GNODE ***"};
constexpr ErrorHeader kGcoordError{1, "  *** ERROR IN WSIF_GCOORD ***"};
constexpr ErrorHeader kBnbcdError{1, "  *** ERROR IN WSIF_BNBCD ***"};

constexpr int kCodesPerNode = 6;
constexpr int32_t kFreeCode = 5;  // written as 0

}  // namespace

void WSIF_GNODE(int32_t nnp, io::IntView mnpex, int32_t unit, int32_t& istat) {
  RangeCheck check(kGnodeError, unit, istat);
  if (!check.count("MNPEX", nnp, mnpex.size(), Item::kNode)) return;
  put_pass(unit, nnp, istat, [&](int32_t first, int32_t last, int32_t lun, int32_t&) {
    for (int32_t i = first; i <= last; ++i) {
      put_record(lun, "GNODE", {double(mnpex(i)), double(i), 6.0, 123456.0}, io::SifStyle::kPlain);
    }
    return true;
  });
}

void WSIF_GCOORD(int32_t nnp, io::RealView tcoord, int32_t unit, int32_t& istat) {
  RangeCheck check(kGcoordError, unit, istat);
  if (!check.columns("TCOORD", nnp, 3, tcoord.size(), Item::kNode)) return;
  put_pass(unit, nnp, istat, [&](int32_t first, int32_t last, int32_t lun, int32_t&) {
    for (int32_t i = first; i <= last; ++i) {
      const Column x(tcoord, 3, i);
      put_record(lun, "GCOORD", {double(i), x(1), x(2), x(3)}, io::SifStyle::kPlain);
    }
    return true;
  });
}

void WSIF_BNBCD(int32_t nnp, io::IntView nboun, int32_t unit, int32_t& istat) {
  RangeCheck check(kBnbcdError, unit, istat);
  if (!check.columns("NBOUN", nnp, kCodesPerNode, nboun.size(), Item::kNode)) return;
  for (int32_t i = 1; i <= nnp; ++i) {
    std::array<double, 2 + kCodesPerNode> v = {double(i), 6.0};
    int64_t sum = 0;
    for (int k = 1; k <= kCodesPerNode; ++k) {
      int32_t c = nboun(int64_t{i - 1} * kCodesPerNode + k);
      if (c == kFreeCode) c = 0;
      sum += c;
      v[1 + k] = c;
    }
    if (sum > 0) put_record(unit, "BNBCD", v, io::SifStyle::kPlain);
  }
}

}  // namespace sif
