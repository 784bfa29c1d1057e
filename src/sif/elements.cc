#include "sif/elements.h"

#include <algorithm>
#include <array>

#include "sif/check.h"
#include "sif/geometry.h"
#include "sif/passes.h"
#include "sif/record.h"

namespace sif {

namespace {

constexpr ErrorHeader kGelmnt1Error{1, "  *** ERROR IN WSIF_GELMNT1 ***"};
constexpr ErrorHeader kGelref1Error{1, "  *** ERROR IN WSIF_GELREF1 ***"};
constexpr ErrorHeader kGunivecError{1, "  *** ERROR IN WSIF_GUNIVEC ***"};
constexpr ErrorHeader kGeccenError{1, "  *** ERROR IN WSIF_GECCEN ***"};

constexpr int32_t kNodeListType = 70;  // written with every one of its nodes
constexpr int kMaxListedNodes = 12;    // of any other type
constexpr int kReferencedNodes = 4;    // whose eccentricities GELREF1 carries

constexpr io::SifStyle kPlain = io::SifStyle::kPlain;

// The node lines of a type-70 element, in pieces of whole lines so that the
// element's size needs no buffer of its own.
void put_node_lines(int32_t unit, io::IntView mnpc, int64_t first, int64_t n) {
  std::array<double, 16 * kValuesPerLine> lines;
  std::size_t filled = 0;
  for (int64_t p = first; p < first + n; ++p) {
    lines[filled++] = mnpc(p);
    if (filled == lines.size()) {
      put_record(unit, "", lines, kPlain);
      filled = 0;
    }
  }
  if (filled > 0) put_record(unit, "", std::span<const double>(lines.data(), filled), kPlain);
}

// The external number of an internal one of element i, an internal number of
// 0 or less standing for itself; false when it is out of range of mex.
bool external_number(RangeCheck& check, std::string_view name, io::IntView mex, int32_t internal,
                     int32_t i, double& out) {
  if (internal <= 0) {
    out = internal;
    return true;
  }
  if (!check.index(name, internal, mex.size(), Item::kElement, i)) return false;
  out = mex(internal);
  return true;
}

}  // namespace

void WSIF_GELMNT1(int32_t nel, int32_t nnp, io::IntView mnpc, io::IntView mpmnpc, io::IntView melex,
                  io::IntView meltyp, int32_t unit, int32_t& istat) {
  RangeCheck check(kGelmnt1Error, unit, istat);
  if (!check.count("MPMNPC", int64_t{nel} + 1, mpmnpc.size(), Item::kElement) ||
      !check.count("MELEX", nel, melex.size(), Item::kElement) ||
      !check.count("MELTYP", nel, meltyp.size(), Item::kElement)) {
    return;
  }
  put_pass(unit, nel, istat, [&](int32_t from, int32_t to, int32_t lun, int32_t& st) {
    RangeCheck c(kGelmnt1Error, lun, st);
    for (int32_t i = from; i <= to; ++i) {
      const int32_t type = meltyp(i);
      int64_t first = 0;
      int64_t n = 0;
      if (!c.node_list("MNPC", mpmnpc, i, mnpc.size(), first, n)) return false;
      const int64_t listed = type == kNodeListType ? n : std::min<int64_t>(n, kMaxListedNodes);
      // A node the model does not have would make the SIF element refer to
      // nothing; GNODE writes the nodes of MNPEX, 1 .. NNP.
      for (int64_t p = first; p < first + listed; ++p) {
        if (!c.index("MNPEX", mnpc(p), nnp, Item::kElement, i)) return false;
      }
      if (type == kNodeListType) {
        put_record(lun, "GELMNT1", {double(melex(i)), double(i), double(type), double(n)}, kPlain);
        put_node_lines(lun, mnpc, first, listed);
        continue;
      }
      std::array<double, kValuesPerLine + kMaxListedNodes> v = {double(melex(i)), double(i),
                                                                double(type), 0.0};
      for (int64_t k = 0; k < listed; ++k) v[kValuesPerLine + k] = mnpc(first + k);
      const int node_lines = n > 8 ? 3 : n > 4 ? 2 : 1;
      put_record(lun, "GELMNT1",
                 std::span<const double>(v.data(), kValuesPerLine * (1 + node_lines)), kPlain);
    }
    return true;
  });
}

void WSIF_GELREF1(int32_t nel, io::IntView mpmnpc, io::IntView melgeo, io::IntView melmat,
                  io::IntView melecc, io::IntView melloc, io::IntView mexmat, io::IntView mexgeo,
                  io::IntView mexecc, io::IntView mexloc, int32_t unit, int32_t& istat) {
  RangeCheck check(kGelref1Error, unit, istat);
  if (!check.count("MPMNPC", int64_t{nel} + 1, mpmnpc.size(), Item::kElement) ||
      !check.count("MELGEO", nel, melgeo.size(), Item::kElement) ||
      !check.count("MELMAT", nel, melmat.size(), Item::kElement) ||
      !check.count("MELLOC", nel, melloc.size(), Item::kElement)) {
    return;
  }
  put_pass(unit, nel, istat, [&](int32_t from, int32_t to, int32_t lun, int32_t& st) {
    RangeCheck c(kGelref1Error, lun, st);
    for (int32_t i = from; i <= to; ++i) {
      double mat = 0.0;
      double geo = 0.0;
      double loc = 0.0;
      if (!external_number(c, "MEXMAT", mexmat, melmat(i), i, mat) ||
          !external_number(c, "MEXGEO", mexgeo, melgeo(i), i, geo) ||
          !external_number(c, "MEXLOC", mexloc, melloc(i), i, loc)) {
        return false;
      }
      int64_t first = 0;
      int64_t n = 0;
      if (!c.node_list("MELECC", mpmnpc, i, melecc.size(), first, n)) return false;
      std::array<double, kReferencedNodes> e = {0.0, 0.0, 0.0, 0.0};
      for (int64_t k = 0; k < std::min<int64_t>(n, kReferencedNodes); ++k) {
        if (!external_number(c, "MEXECC", mexecc, std::max(melecc(first + k), 0), i, e[k])) {
          return false;
        }
      }

      // One common eccentricity, unless a 2- or 4-node element has differing
      // ones; any other node count takes its first node's.
      const bool differ =
          (n == 2 && e[0] != e[1]) || (n == 4 && !(e[0] == e[1] && e[1] == e[2] && e[2] == e[3]));
      if (differ) {
        put_record(lun, "GELREF1",
                   {double(i), mat, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, geo, 0.0, -1.0, loc, e[0], e[1],
                    e[2], e[3]},
                   kPlain);
      } else {
        put_record(lun, "GELREF1",
                   {double(i), mat, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, geo, 0.0, e[0], loc}, kPlain);
      }
    }
    return true;
  });
}

void WSIF_GUNIVEC(int32_t nlc, io::RealView zloc, io::IntView mexloc, int32_t unit,
                  int32_t& istat) {
  RangeCheck check(kGunivecError, unit, istat);
  if (!check.count("MEXLOC", nlc, mexloc.size(), Item::kUnitVector) ||
      !check.columns("ZLOC", nlc, 3, zloc.size(), Item::kUnitVector)) {
    return;
  }
  for (int32_t k = 1; k <= nlc; ++k) {
    if (mexloc(k) <= 0) continue;
    const Column z(zloc, 3, k);
    put_record(unit, "GUNIVEC", {double(mexloc(k)), z(1), z(2), z(3)}, kPlain);
  }
}

void WSIF_GECCEN(int32_t necc, io::IntView mexecc, io::RealView ecc, int32_t unit, int32_t& istat) {
  RangeCheck check(kGeccenError, unit, istat);
  if (!check.count("MEXECC", necc, mexecc.size(), Item::kEccentricity) ||
      !check.columns("ECC", necc, kEccValues, ecc.size(), Item::kEccentricity)) {
    return;
  }
  for (int32_t k = 1; k <= necc; ++k) {
    const std::array<double, 3> v = eccentricity_vector(Column(ecc, kEccValues, k));
    put_record(unit, "GECCEN", {double(mexecc(k)), v[0], v[1], v[2]}, kPlain);
  }
}

}  // namespace sif
