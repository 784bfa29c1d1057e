#include "sif/materials.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "sif/check.h"
#include "sif/record.h"

namespace sif {

namespace {

constexpr ErrorHeader kMisoselError{1, "  *** ERROR IN WSIF_MISOSEL ***"};
constexpr ErrorHeader kMgsprngError{1, "  *** ERROR IN WSIF_MGSPRNG ***"};
constexpr ErrorHeader kMisoplError{1, "  *** ERROR IN WSIF_MISOPL ***"};

constexpr int32_t kElastic = 1;
constexpr int32_t kPlastic = 2;
constexpr int32_t kSpring = 5;
constexpr int32_t kElasticOnly = 10;

constexpr io::SifStyle kPlain = io::SifStyle::kPlain;

// Positions in T(1) .. T(36) of the lower triangle of the 6 x 6 spring
// matrix held column by column, column after column.
constexpr std::array<int, 21> kLowerTriangle = {1,  2,  3,  4,  5,  6,  8,  9,  10, 11, 12,
                                                15, 16, 17, 18, 22, 23, 24, 29, 30, 36};

// Parameters of MISOPL before its pairs, and where the pairs start.
constexpr int kPlasticHead = 8;

// The number of pairs: T(8) rounded to the nearest integer, halves away from
// zero. A value beyond any array (or not a number) becomes one that no
// column can hold, so that the range check rejects it.
int64_t pair_count(double t8) {
  constexpr double kLimit = 2147483647.0;
  const double r = std::round(t8);
  if (std::isnan(r)) return static_cast<int64_t>(kLimit);
  return static_cast<int64_t>(std::clamp(r, -kLimit, kLimit));
}

// Materials 1 .. nma of the given types with their parameter columns, after
// the checks every material writer needs.
template <typename Write>
void for_each_material(const ErrorHeader& header, int32_t nma, int32_t mxmapr, io::IntView mexmat,
                       io::RealView tmapa, io::IntView matyp, int32_t unit, int32_t& istat,
                       std::initializer_list<int32_t> types, int used, Write write) {
  RangeCheck check(header, unit, istat);
  if (!check.count("MATYP", nma, matyp.size(), Item::kMaterial) ||
      !check.count("MEXMAT", nma, mexmat.size(), Item::kMaterial)) {
    return;
  }
  for (int32_t m = 1; m <= nma; ++m) {
    const int32_t type = matyp(m);
    if (std::find(types.begin(), types.end(), type) == types.end()) continue;
    if (!check.column("TMAPA", m, mxmapr, used, tmapa.size(), Item::kMaterial, m)) return;
    if (!write(check, m, type, double(mexmat(m)), Column(tmapa, mxmapr, m))) return;
  }
}

}  // namespace

void WSIF_MISOSEL(int32_t nma, int32_t mxmapr, io::IntView mexmat, io::RealView tmapa,
                  io::IntView matyp, int32_t unit, int32_t& istat) {
  for_each_material(kMisoselError, nma, mxmapr, mexmat, tmapa, matyp, unit, istat,
                    {kElastic, kElasticOnly}, 5,
                    [&](RangeCheck&, int32_t, int32_t type, double mat, const Column& t) {
                      const double a = type == kElastic ? 1.0 : 0.0;
                      const double b = type == kElastic ? t(3) : 0.0;
                      put_record(unit, "MISOSEL", {mat, t(1), t(2), t(4), 0.0, t(5), a, b}, kPlain);
                      return true;
                    });
}

void WSIF_MGSPRNG(int32_t nma, int32_t mxmapr, io::IntView mexmat, io::RealView tmapa,
                  io::IntView matyp, int32_t unit, int32_t& istat) {
  for_each_material(kMgsprngError, nma, mxmapr, mexmat, tmapa, matyp, unit, istat, {kSpring},
                    kLowerTriangle.back(),
                    [&](RangeCheck&, int32_t, int32_t, double mat, const Column& t) {
                      std::array<double, 2 + kLowerTriangle.size()> v = {mat, 6.0};
                      for (std::size_t k = 0; k < kLowerTriangle.size(); ++k) {
                        v[2 + k] = t(kLowerTriangle[k]);
                      }
                      put_record(unit, "MGSPRNG", v, kPlain);
                      return true;
                    });
}

void WSIF_MISOPL(int32_t nma, int32_t mxmapr, io::IntView mexmat, io::RealView tmapa,
                 io::IntView matyp, int32_t unit, int32_t& istat) {
  for_each_material(kMisoplError, nma, mxmapr, mexmat, tmapa, matyp, unit, istat, {kPlastic},
                    kPlasticHead,
                    [&](RangeCheck& check, int32_t m, int32_t, double mat, const Column& t) {
                      const int64_t pairs = pair_count(t(kPlasticHead));
                      if (pairs > 0 && !check.column("TMAPA", m, mxmapr, kPlasticHead + 2 * pairs,
                                                     tmapa.size(), Item::kMaterial, m)) {
                        return false;
                      }
                      put_record(unit, "MISOPL", {mat, t(1), 0.0, 0.0, 0.0, 0.0, 0.0, 0.0}, kPlain);
                      put_count_line(unit, pairs);
                      for (int64_t q = 1; q <= pairs; ++q) {
                        const int64_t k = kPlasticHead + 2 * q - 1;
                        put_record(unit, "", {t(k), t(k + 1)}, kPlain);
                      }
                      return true;
                    });
}

}  // namespace sif
