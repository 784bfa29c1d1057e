#include "sif/geo.h"

#include <string_view>

#include "arrays/access.h"
#include "arrays/stru.h"
#include "arrays/views.h"
#include "io/units.h"
#include "sif/beams.h"
#include "sif/check.h"
#include "sif/geometry.h"

namespace sif {

namespace {

constexpr ErrorHeader kGeoError{2, " * ERROR   IN ROUTINE WSIF_GEO  *"};

// Look-ups by name on one message unit and one status word. The array
// layer's rule makes the first failure the one reported: every look-up after
// it does nothing. ARGTIP and ARPOIN differ in the header of their block.
class Lookup {
 public:
  enum class Via { kArgtip, kArpoin };

  Lookup(io::WorkArray& ia, io::IntView mstru, Via via, int32_t lpu, int32_t& istat)
      : ia_(ia), mstru_(mstru), via_(via), lpu_(lpu), istat_(istat) {}

  io::IntView ints(std::string_view name) { return arrays::int_view(ia_, name, pointer(name)); }
  io::RealView reals(std::string_view name) { return arrays::real_view(ia_, name, pointer(name)); }
  int32_t count(std::string_view name) { return arrays::GTSTRU(mstru_, name, lpu_, istat_); }

  // Presence checks: the array or parameter must exist, though no record
  // reads it.
  void require_array(std::string_view name) { pointer(name); }
  void require_count(std::string_view name) { count(name); }

 private:
  int32_t pointer(std::string_view name) {
    if (via_ == Via::kArgtip) return arrays::ARGTIP(ia_, name, lpu_, istat_);
    int32_t ipoint = 0;
    arrays::ARPOIN(ia_, name, ipoint, lpu_, istat_);
    return ipoint;
  }

  io::WorkArray& ia_;
  io::IntView mstru_;
  Via via_;
  int32_t lpu_;
  int32_t& istat_;
};

}  // namespace

Model find_model(io::WorkArray& ia, int32_t lpu, int32_t& istat) {
  Model m;
  const io::IntView mstru = arrays::int_view(ia, "MSTRU", arrays::ARGTIP(ia, "MSTRU", lpu, istat));
  Lookup argtip(ia, mstru, Lookup::Via::kArgtip, lpu, istat);
  Lookup arpoin(ia, mstru, Lookup::Via::kArpoin, lpu, istat);

  // The element arrays the preparation changes, and its counts.
  m.nel = argtip.count("NEL");
  m.nnp = argtip.count("NNP");
  m.nma = argtip.count("NMA");
  m.mxmapr = argtip.count("MXMAPR");
  m.meltyp = argtip.ints("MELTYP");
  m.melmat = argtip.ints("MELMAT");
  m.melgeo = argtip.ints("MELGEO");
  m.matyp = argtip.ints("MATYP");
  m.tmapa = argtip.reals("TMAPA");
  if (istat != 0) return m;

  // What the model records read.
  arpoin.require_array("ICRPRE");
  arpoin.require_count("NBEAM");
  arpoin.require_count("NSCHAR");
  m.nge = arpoin.count("NGE");
  m.nlc = arpoin.count("NLC");
  m.ntrans = arpoin.count("NTRANS");
  m.necc = arpoin.count("NECC");
  arpoin.require_count("NLDCS");
  m.mxgepr = arpoin.count("MXGEPR");
  arpoin.require_count("NOLOAD");
  m.mgetyp = arpoin.ints("MGETYP");
  m.tcrgeo = arpoin.reals("TCRGEO");
  m.ecc = arpoin.reals("ECC");
  m.zloc = arpoin.reals("ZLOC");
  m.mnpex = arpoin.ints("MNPEX");
  m.tcoord = arpoin.reals("TCOORD");
  m.melecc = arpoin.ints("MELECC");
  m.melloc = arpoin.ints("MELLOC");
  m.mnpc = arpoin.ints("MNPC");
  m.mpmnpc = arpoin.ints("MPMNPC");
  m.melex = arpoin.ints("MELEX");
  m.nboun = arpoin.ints("NBOUN");
  arpoin.require_array("MNELNP");
  arpoin.require_array("MELNP");
  m.mexgeo = arpoin.ints("MEXGEO");
  m.mexmat = arpoin.ints("MEXMAT");
  m.mexecc = arpoin.ints("MEXECC");
  m.rntran = arpoin.reals("RNTRAN");
  m.mextra = arpoin.ints("MEXTRA");
  m.mexloc = arpoin.ints("MEXLOC");
  arpoin.require_count("ICHECK");
  arpoin.require_count("IPRINT");
  if (istat != 0) write_header(lpu, kGeoError);
  return m;
}

void find_result_arrays(io::WorkArray& ia, Model& m, int32_t lpu, int32_t& istat) {
  const io::IntView mstru = arrays::int_view(ia, "MSTRU", arrays::ARGTIP(ia, "MSTRU", lpu, istat));
  Lookup argtip(ia, mstru, Lookup::Via::kArgtip, lpu, istat);
  m.trot = argtip.reals("TROT");
  argtip.require_array("MNT");
  m.mpevec = argtip.ints("MPEVEC");
}

void WSIF_GEO(const Model& m, int32_t unit, int32_t& istat) {
  const auto stop = [&] {
    write_header(unit, kGeoError);
    istat -= 1;
  };
  int32_t st = 0;

  // The model records; the model-closing IEND gives way to whatever comes
  // next.
  WSIF_MODEL(m, unit, st);
  if (st != 0) return stop();
  io::backspace(unit);

  // The computed sections and the transformations.
  WGBeamG(m.mexgeo, m.tcrgeo, m.nge, m.mxgepr, m.mgetyp, unit, st);
  if (st != 0) return stop();
  WSIF_BNTRCOS(m.ntrans, m.rntran, m.mextra, unit, st);
  if (st != 0) return stop();
}

}  // namespace sif
