#include "driver/raf2sif.h"

#include <algorithm>
#include <array>

#include "arrays/access.h"
#include "arrays/armess.h"
#include "arrays/booking.h"
#include "arrays/recall.h"
#include "arrays/steps.h"
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

// The detail of a bad MGLRES extent precedes the driver's own block.
constexpr sif::ErrorHeader kNoHeader{0, ""};

// Presence checks: global arrays and step parameters that must exist, though
// the conversion does not read them.
constexpr std::array<std::string_view, 3> kPresentArrays = {"TGLRES", "ICTEXT", "STATUS"};
constexpr std::array<std::string_view, 4> kPresentParameters = {"MXSTA1", "MXSTA2", "MXSTA3",
                                                                "LSTSTO"};

// The step table and the chosen range: steps i1 .. i2, of which nstore are
// stored, out of the nstep steps present.
struct Range {
  io::IntView mglres;
  int32_t mxglpr = 0;
  int32_t i1 = 0, i2 = 0;
  int32_t nstep = 0, nstore = 0;
};

// Finds the steps present and the stored steps of MSTRU's range, and records
// their counts in MSTRU; failures leave st negative.
Range find_range(io::WorkArray& ia, int32_t iraf, int32_t lpu, int32_t& st) {
  Range r;
  // The step table and the range as the dialogue gave it.
  const int32_t p_mstru = arrays::ARGTIP(ia, "MSTRU", lpu, st);
  const int32_t p_mglres = arrays::ARGTIP(ia, "MGLRES", lpu, st);
  for (const std::string_view array : kPresentArrays) arrays::ARGTIP(ia, array, lpu, st);
  if (st != 0) return r;
  const io::IntView mstru = arrays::int_view(ia, "MSTRU", p_mstru);
  r.mglres = arrays::int_view(ia, "MGLRES", p_mglres);
  r.mxglpr = arrays::GTSTRU(mstru, "MXGLPR", lpu, st);
  const int32_t mxstep = arrays::GTSTRU(mstru, "MXSTEP", lpu, st);
  for (const std::string_view parameter : kPresentParameters) {
    arrays::GTSTRU(mstru, parameter, lpu, st);
  }
  const int32_t ifwst1 = arrays::GTSTRU(mstru, "IFWST1", lpu, st);
  const int32_t ifwst2 = arrays::GTSTRU(mstru, "IFWST2", lpu, st);
  if (st != 0) return r;
  sif::RangeCheck check(kNoHeader, lpu, st);
  if (mxstep > 0) {
    check.column("MGLRES", mxstep, r.mxglpr, arrays::kStepWordStored, r.mglres.size(),
                 sif::Item::kStep, mxstep);
  }
  if (st != 0) return r;

  // Steps present; the range, a last step beyond the table limited to it.
  r.nstep = arrays::STPCNT(r.mglres, r.mxglpr, mxstep, st);
  if (st != 0) return r;
  r.i1 = ifwst1 >= 1 ? ifwst1 : 1;
  r.i2 = std::min(ifwst2 >= 1 ? ifwst2 : r.nstep, std::max(mxstep, 0));

  // The stored steps of the range, into a scratch table with room for every
  // step of the range, whatever the flags say.
  const int32_t in_range = std::max(1, r.i2 - r.i1 + 1);
  int32_t p_mscra = 0;
  arrays::ARBOOK(ia, "MSCRA", p_mscra, 3 * in_range, "SKIP", "IN", lpu, st);
  if (st != 0) return r;
  r.nstore = arrays::STPSTO(r.mglres, r.mxglpr, arrays::int_view(ia, "MSCRA", p_mscra), r.i1, r.i2);
  arrays::ARFREE(ia, "MSCRA", "NOCLEAN", lpu, st);
  if (st != 0) return r;

  // What the run found.
  arrays::PTSTRU(mstru, "LPTO80", iraf, lpu, st);
  arrays::PTSTRU(mstru, "NOLOAD", 1, lpu, st);
  arrays::PTSTRU(mstru, "NSTEP", r.nstep, lpu, st);
  arrays::PTSTRU(mstru, "NSTORE", r.nstore, lpu, st);
  return r;
}

}  // namespace

void raf2sif(io::WorkArray& ia, std::string_view name, int32_t iraf, int32_t lpu, int32_t& istat) {
  int32_t st = 0;
  const auto failure = [&] {
    arrays::write_group(lpu, "*** ERROR IN raf2sif   ***");
    istat = -1;
  };
  // The run cannot succeed once a write on the SIF file has failed (a full
  // disk): stop as soon as the failure is known rather than format what
  // cannot be written. The blocks still queued are answered for at close.
  const auto written = [&] { return io::write_failure(lpu) == 0; };

  // 1. The SIF file.
  sif::OPNSIF(io::trimmed(name), lpu, 0, st);
  if (st != 0) return failure();

  // 2-7. The steps present and the stored steps of the range.
  const Range range = find_range(ia, iraf, lpu, st);
  if (st != 0) return failure();

  // 8-9. The model, its element types mapped onto those the SIF model knows.
  sif::Model model = sif::find_model(ia, lpu, st);
  if (st != 0) return failure();
  sif::WSIF_CHG_MODEL(model, lpu, st);
  if (st != 0) return failure();

  // 10. The model records.
  sif::WSIF_GEO(model, lpu, st);
  if (st != 0 || !written()) return failure();

  // 11-12. The result definitions.
  sif::find_result_arrays(ia, model, lpu, st);
  if (st != 0) return failure();
  sif::WSIF_INI(model, range.nstore, lpu, st);
  if (st != 0) return failure();

  // One pass over the steps of the range whose stored flag is set, numbered
  // 1 .. NSTORE: a flag other than 0 and 1 makes the pass meet more steps
  // than were counted, which fails it. A recall failure stops the pass
  // before the step is written, a writer or write failure after.
  Progress progress(range.nstore);
  const auto pass = [&](std::string_view what, const auto& recall, const auto& write) {
    int32_t isto = 0;
    for (int32_t step = range.i1; step <= range.i2; ++step) {
      if (arrays::stored_flag(range.mglres, range.mxglpr, step) == 0) continue;
      if (++isto > range.nstore) return false;
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
        sif::WSIF_FOR(model, isto, arrays::real_view(ia, "TFLE", p_tfle),
                      arrays::real_view(ia, "TMIDFO", p_tmidfo), range.nstore, lpu, st);
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
        sif::WSIF_DIS(model, isto, arrays::real_view(ia, "U", p_u), range.nstore, lpu, st);
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
