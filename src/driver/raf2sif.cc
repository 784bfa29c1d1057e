#include "driver/raf2sif.h"

#include <algorithm>
#include <array>

#include "arrays/access.h"
#include "arrays/armess.h"
#include "arrays/booking.h"
#include "arrays/recall.h"
#include "arrays/stru.h"
#include "arrays/views.h"
#include "driver/progress.h"
#include "io/text.h"
#include "io/units.h"
#include "sif/check.h"
#include "sif/framing.h"
#include "sif/geo.h"
#include "sif/opnfil.h"
#include "sif/prepare.h"
#include "sif/results.h"

namespace driver {

namespace {

// MGLRES words of a step: two that say the step exists, one that says its
// results are stored.
constexpr int32_t kWordPresent1 = 2;
constexpr int32_t kWordPresent2 = 3;
constexpr int32_t kWordStored = 10;

int32_t word(io::IntView mglres, int32_t mxglpr, int32_t step, int32_t w) {
  return mglres((int64_t{step} - 1) * mxglpr + w);
}

// The detail of a bad MGLRES extent precedes the driver's own block.
constexpr sif::ErrorHeader kNoHeader{0, ""};

// The arrays of one pass and their extents, looked up by name.
struct Model {
  int32_t nel = 0;
  int32_t nnp = 0;
  io::IntView meltyp, mnpc, mpmnpc, melecc, mnt, mpevec;
  io::RealView ecc, tcoord, trot;
};

}  // namespace

int32_t STPCNT(io::IntView mglres, int32_t mxglpr, int32_t mxstep, int32_t& istat) {
  istat = 0;
  int32_t nstep = 0;
  while (nstep < mxstep && (word(mglres, mxglpr, nstep + 1, kWordPresent1) != 0 ||
                            word(mglres, mxglpr, nstep + 1, kWordPresent2) != 0)) {
    ++nstep;
  }
  return nstep;
}

int32_t STPSTO(io::IntView mglres, int32_t mxglpr, io::IntView mscra, int32_t i1, int32_t i2) {
  int32_t nstore = 0;
  for (int32_t step = i1; step <= i2; ++step) {
    if (word(mglres, mxglpr, step, kWordStored) != 1) continue;
    const int64_t at = int64_t{3} * nstore;
    mscra.set(at + 1, word(mglres, mxglpr, step, kWordPresent1));
    mscra.set(at + 2, word(mglres, mxglpr, step, kWordPresent2));
    mscra.set(at + 3, word(mglres, mxglpr, step, kWordStored));
    ++nstore;
  }
  return nstore;
}

void raf2sif(io::WorkArray& ia, std::string_view name, int32_t iraf, int32_t lpu, int32_t& istat) {
  int32_t st = 0;
  const auto failure = [&] {
    arrays::write_group(lpu, "*** ERROR IN raf2sif   ***");
    istat = -1;
  };
  // The run cannot succeed once a write on the SIF file has failed (a full
  // disk): stop at once rather than format what cannot be written.
  const auto written = [&] { return io::write_status(lpu) == 0; };

  // 1. The SIF file.
  sif::OPNSIF(io::trimmed(name), lpu, 0, st);
  if (st != 0) return failure();

  // 2-3. The step table and the range.
  const int32_t p_mstru = arrays::ARGTIP(ia, "MSTRU", lpu, st);
  const int32_t p_mglres = arrays::ARGTIP(ia, "MGLRES", lpu, st);
  arrays::ARGTIP(ia, "TGLRES", lpu, st);
  arrays::ARGTIP(ia, "ICTEXT", lpu, st);
  arrays::ARGTIP(ia, "STATUS", lpu, st);
  if (st != 0) return failure();
  const io::IntView mstru = arrays::int_view(ia, "MSTRU", p_mstru);
  const io::IntView mglres = arrays::int_view(ia, "MGLRES", p_mglres);
  const int32_t mxglpr = arrays::GTSTRU(mstru, "MXGLPR", lpu, st);
  const int32_t mxstep = arrays::GTSTRU(mstru, "MXSTEP", lpu, st);
  arrays::GTSTRU(mstru, "MXSTA1", lpu, st);
  arrays::GTSTRU(mstru, "MXSTA2", lpu, st);
  arrays::GTSTRU(mstru, "MXSTA3", lpu, st);
  arrays::GTSTRU(mstru, "LSTSTO", lpu, st);
  const int32_t ifwst1 = arrays::GTSTRU(mstru, "IFWST1", lpu, st);
  const int32_t ifwst2 = arrays::GTSTRU(mstru, "IFWST2", lpu, st);
  if (st != 0) return failure();
  sif::RangeCheck check(kNoHeader, lpu, st);
  if (mxstep > 0 && !check.column("MGLRES", mxstep, mxglpr, kWordStored, mglres.size(),
                                  sif::Item::kStep, mxstep)) {
    return failure();
  }

  // 4-5. Steps present; the range, a last step beyond the table limited to it.
  const int32_t nstep = STPCNT(mglres, mxglpr, mxstep, st);
  if (st != 0) return failure();
  const int32_t i1 = ifwst1 >= 1 ? ifwst1 : 1;
  const int32_t i2 = std::min(ifwst2 >= 1 ? ifwst2 : nstep, std::max(mxstep, 0));

  // 6. The stored steps of the range, into a scratch table with room for
  // every step of the range, whatever the flags say.
  const int32_t in_range = std::max(1, i2 - i1 + 1);
  int32_t p_mscra = 0;
  arrays::ARBOOK(ia, "MSCRA", p_mscra, 3 * in_range, "SKIP", "IN", lpu, st);
  if (st != 0) return failure();
  const int32_t nstore = STPSTO(mglres, mxglpr, arrays::int_view(ia, "MSCRA", p_mscra), i1, i2);
  arrays::ARFREE(ia, "MSCRA", "NOCLEAN", lpu, st);
  if (st != 0) return failure();

  // 7. What the run found.
  arrays::PTSTRU(mstru, "LPTO80", iraf, lpu, st);
  arrays::PTSTRU(mstru, "NOLOAD", 1, lpu, st);
  arrays::PTSTRU(mstru, "NSTEP", nstep, lpu, st);
  arrays::PTSTRU(mstru, "NSTORE", nstore, lpu, st);
  if (st != 0) return failure();

  // 8-9. The element types the SIF model knows under other codes.
  const int32_t nel = arrays::GTSTRU(mstru, "NEL", lpu, st);
  arrays::GTSTRU(mstru, "NNP", lpu, st);
  const int32_t nma = arrays::GTSTRU(mstru, "NMA", lpu, st);
  const int32_t mxmapr = arrays::GTSTRU(mstru, "MXMAPR", lpu, st);
  const int32_t p_meltyp = arrays::ARGTIP(ia, "MELTYP", lpu, st);
  const int32_t p_melmat = arrays::ARGTIP(ia, "MELMAT", lpu, st);
  const int32_t p_melgeo = arrays::ARGTIP(ia, "MELGEO", lpu, st);
  const int32_t p_matyp = arrays::ARGTIP(ia, "MATYP", lpu, st);
  const int32_t p_tmapa = arrays::ARGTIP(ia, "TMAPA", lpu, st);
  if (st != 0) return failure();
  sif::WSIF_CHG_MODEL(
      nel, arrays::int_view(ia, "MELTYP", p_meltyp), arrays::int_view(ia, "MELMAT", p_melmat),
      arrays::int_view(ia, "MELGEO", p_melgeo), nma, mxmapr, arrays::int_view(ia, "MATYP", p_matyp),
      arrays::real_view(ia, "TMAPA", p_tmapa), lpu, st);
  if (st != 0) return failure();

  // 10. The model.
  sif::WSIF_GEO(ia, lpu, st);
  if (st != 0 || !written()) return failure();

  // 11-12. The result definitions.
  Model m;
  m.nel = arrays::GTSTRU(mstru, "NEL", lpu, st);
  m.nnp = arrays::GTSTRU(mstru, "NNP", lpu, st);
  const auto ints = [&](std::string_view array) {
    return arrays::int_view(ia, array, arrays::ARGTIP(ia, array, lpu, st));
  };
  const auto reals = [&](std::string_view array) {
    return arrays::real_view(ia, array, arrays::ARGTIP(ia, array, lpu, st));
  };
  m.meltyp = ints("MELTYP");
  m.mnpc = ints("MNPC");
  m.mpmnpc = ints("MPMNPC");
  m.melecc = ints("MELECC");
  m.ecc = reals("ECC");
  m.tcoord = reals("TCOORD");
  m.trot = reals("TROT");
  m.mnt = ints("MNT");
  m.mpevec = ints("MPEVEC");
  if (st != 0) return failure();
  sif::WSIF_INI(m.nel, m.meltyp, m.mnpc, m.mpmnpc, m.melecc, m.tcoord, m.ecc, m.trot, nstore, lpu,
                st);
  if (st != 0) return failure();

  // One pass over the stored steps of the range, numbered 1 .. NSTORE: a
  // recall failure stops it before the step is written, a writer or write
  // failure after.
  Progress progress(nstore);
  const auto pass = [&](std::string_view what, const auto& recall, const auto& write) {
    int32_t isto = 0;
    for (int32_t step = i1; step <= i2; ++step) {
      if (word(mglres, mxglpr, step, kWordStored) == 0) continue;
      if (++isto > nstore) return false;
      progress.show(what, isto);
      if (!recall(step)) return false;
      write(isto);
      if (st != 0 || !written()) return false;
    }
    return true;
  };

  // 13. The element forces of every stored step.
  int32_t p_tfle = 0;
  int32_t p_tmidfo = 0;
  const bool forces = pass(
      "forces",
      [&](int32_t step) {
        arrays::ARREC1(ia, "TFLE", p_tfle, step, iraf, lpu, st);
        arrays::ARREC1(ia, "TMIDFO", p_tmidfo, step, iraf, lpu, st);
        return st == 0;
      },
      [&](int32_t isto) {
        sif::WSIF_FOR(m.nel, isto, m.meltyp, arrays::real_view(ia, "TFLE", p_tfle), m.mpevec,
                      arrays::real_view(ia, "TMIDFO", p_tmidfo), nstore, lpu, st);
      });
  if (!forces) return failure();

  // 14. The nodal displacements of every stored step, numbered again.
  int32_t p_u = 0;
  const bool displacements = pass(
      "displacements",
      [&](int32_t step) {
        arrays::ARREC1(ia, "U", p_u, step, iraf, lpu, st);
        return st == 0;
      },
      [&](int32_t isto) {
        sif::WSIF_DIS(m.nnp, isto, m.mnt, m.trot, arrays::real_view(ia, "U", p_u), nstore, lpu, st);
      });
  if (!displacements) return failure();

  // 15. The end of the file.
  sif::write_final_iend_pair(lpu);

  // 16. The model arrays as the RAF file holds them.
  int32_t p = 0;
  for (const std::string_view array : {"MELTYP", "MELMAT", "MELGEO", "MATYP", "TMAPA"}) {
    arrays::ARREC1(ia, array, p, 1, iraf, lpu, st);
  }
  if (st != 0) return failure();
}

}  // namespace driver
