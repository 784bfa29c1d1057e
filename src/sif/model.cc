#include "sif/model.h"

#include "sif/elements.h"
#include "sif/framing.h"
#include "sif/materials.h"
#include "sif/nodes.h"
#include "sif/sections.h"

namespace sif {

void WSIF_MODEL(int32_t nnp, int32_t nel, int32_t nma, int32_t nge, int32_t mxmapr, int32_t mxgepr,
                io::IntView mnpc, io::IntView mpmnpc, io::IntView mnpex, io::IntView melex,
                io::IntView mgetyp, io::IntView nboun, io::IntView melgeo, io::IntView melmat,
                io::IntView melecc, io::IntView melloc, io::IntView mexmat, io::IntView mexgeo,
                io::IntView mexecc, int32_t necc, io::RealView tcoord, io::RealView tcrgeo,
                io::RealView tmapa, io::RealView ecc, io::RealView zloc, int32_t nlc,
                io::IntView meltyp, io::IntView matyp, io::IntView mexloc, int32_t unit,
                [[maybe_unused]] int32_t lpu, int32_t& istat) {
  const auto failed = [&] { return istat < 0; };

  WSIF_IDENT(unit, istat);
  if (failed()) return;
  if (nnp > 0) {
    WSIF_GNODE(nnp, mnpex, unit, istat);
    if (failed()) return;
    WSIF_GCOORD(nnp, tcoord, unit, istat);
    if (failed()) return;
  }
  if (nel > 0) {
    WSIF_GELMNT1(nel, nnp, mnpc, mpmnpc, melex, meltyp, unit, istat);
    if (failed()) return;
    WSIF_GELREF1(nel, mpmnpc, melgeo, melmat, melecc, melloc, mexmat, mexgeo, mexecc, mexloc, unit,
                 istat);
    if (failed()) return;
  }
  if (nge > 0) {
    WSIF_GSECT(nge, mxgepr, mgetyp, mexgeo, tcrgeo, unit, istat);
    if (failed()) return;
  }
  if (nlc > 0) {
    WSIF_GUNIVEC(nlc, zloc, mexloc, unit, istat);
    if (failed()) return;
  }
  if (necc > 0) {
    WSIF_GECCEN(necc, mexecc, ecc, unit, istat);
    if (failed()) return;
  }
  if (nma > 0) {
    WSIF_MISOSEL(nma, mxmapr, mexmat, tmapa, matyp, unit, istat);
    if (failed()) return;
    WSIF_MGSPRNG(nma, mxmapr, mexmat, tmapa, matyp, unit, istat);
    if (failed()) return;
  }
  WSIF_MISOPL(nma, mxmapr, mexmat, tmapa, matyp, unit, istat);
  if (failed()) return;
  WSIF_BNBCD(nnp, nboun, unit, istat);
  if (failed()) return;
  WSIF_IEND(unit, istat);
}

}  // namespace sif
