#include "sif/geo.h"

#include <array>
#include <string_view>

#include "arrays/access.h"
#include "arrays/stru.h"
#include "arrays/views.h"
#include "io/units.h"
#include "sif/beams.h"
#include "sif/check.h"
#include "sif/geometry.h"
#include "sif/model.h"

namespace sif {

namespace {

constexpr ErrorHeader kGeoError{2, " * ERROR   IN ROUTINE WSIF_GEO  *"};

// The structure parameters, in the order they are read.
enum Parameter {
  NNP,
  NEL,
  NBEAM,
  NMA,
  NSCHAR,
  NGE,
  NLC,
  NTRANS,
  NECC,
  NLDCS,
  MXGEPR,
  MXMAPR,
  NOLOAD,
  kParameters
};
constexpr std::array<std::string_view, kParameters> kParameterNames = {
    "NNP",    "NEL",  "NBEAM", "NMA",    "NSCHAR", "NGE",   "NLC",
    "NTRANS", "NECC", "NLDCS", "MXGEPR", "MXMAPR", "NOLOAD"};

// The model arrays, in the order they are looked up; the letter says whether
// an array holds integers or reals.
enum Array {
  MGETYP,
  TCRGEO,
  TMAPA,
  MATYP,
  ECC,
  ZLOC,
  MNPEX,
  TCOORD,
  MELTYP,
  MELMAT,
  MELGEO,
  MELECC,
  MELLOC,
  MNPC,
  MPMNPC,
  MELEX,
  NBOUN,
  MNELNP,
  MELNP,
  MEXGEO,
  MEXMAT,
  MEXECC,
  RNTRAN,
  MEXTRA,
  MEXLOC,
  kArrays
};
constexpr std::array<std::string_view, kArrays> kArrayNames = {
    "MGETYP", "TCRGEO", "TMAPA",  "MATYP",  "ECC",    "ZLOC",   "MNPEX",  "TCOORD", "MELTYP",
    "MELMAT", "MELGEO", "MELECC", "MELLOC", "MNPC",   "MPMNPC", "MELEX",  "NBOUN",  "MNELNP",
    "MELNP",  "MEXGEO", "MEXMAT", "MEXECC", "RNTRAN", "MEXTRA", "MEXLOC",
};

}  // namespace

void WSIF_GEO(io::WorkArray& ia, int32_t unit, int32_t& istat) {
  const auto stop = [&] {
    write_header(unit, kGeoError);
    istat -= 1;
  };
  int32_t st = 0;

  // 1. Parameters and arrays.
  int32_t p_mstru = 0;
  int32_t p_icrpre = 0;
  arrays::ARPOIN(ia, "MSTRU", p_mstru, unit, st);
  arrays::ARPOIN(ia, "ICRPRE", p_icrpre, unit, st);
  if (st != 0) return stop();
  const io::IntView mstru = arrays::int_view(ia, "MSTRU", p_mstru);
  std::array<int32_t, kParameters> n{};
  for (int k = 0; k < kParameters; ++k) n[k] = arrays::GTSTRU(mstru, kParameterNames[k], unit, st);
  if (st != 0) return stop();
  std::array<int32_t, kArrays> pointer{};
  for (int k = 0; k < kArrays; ++k) arrays::ARPOIN(ia, kArrayNames[k], pointer[k], unit, st);
  if (st != 0) return stop();
  arrays::GTSTRU(mstru, "ICHECK", unit, st);
  arrays::GTSTRU(mstru, "IPRINT", unit, st);
  if (st != 0) return stop();
  const auto iv = [&](Array a) { return arrays::int_view(ia, kArrayNames[a], pointer[a]); };
  const auto rv = [&](Array a) { return arrays::real_view(ia, kArrayNames[a], pointer[a]); };

  // 2. The model records.
  WSIF_MODEL(n[NNP], n[NEL], n[NMA], n[NGE], n[MXMAPR], n[MXGEPR], iv(MNPC), iv(MPMNPC), iv(MNPEX),
             iv(MELEX), iv(MGETYP), iv(NBOUN), iv(MELGEO), iv(MELMAT), iv(MELECC), iv(MELLOC),
             iv(MEXMAT), iv(MEXGEO), iv(MEXECC), n[NECC], rv(TCOORD), rv(TCRGEO), rv(TMAPA),
             rv(ECC), rv(ZLOC), n[NLC], iv(MELTYP), iv(MATYP), iv(MEXLOC), unit, unit, st);
  if (st != 0) return stop();

  // 3. The model-closing IEND gives way to whatever comes next.
  io::backspace(unit);

  // 4-5. The computed sections and the transformations.
  WGBeamG(iv(MEXGEO), rv(TCRGEO), n[NGE], n[MXGEPR], iv(MGETYP), unit, st);
  if (st != 0) return stop();
  WSIF_BNTRCOS(n[NTRANS], rv(RNTRAN), iv(MEXTRA), unit, st);
  if (st != 0) return stop();
}

}  // namespace sif
