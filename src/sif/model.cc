#include "sif/model.h"

#include "sif/elements.h"
#include "sif/framing.h"
#include "sif/materials.h"
#include "sif/nodes.h"
#include "sif/sections.h"

namespace sif {

void WSIF_MODEL(const Model& m, int32_t unit, int32_t& istat) {
  const auto failed = [&] { return istat != 0; };

  WSIF_IDENT(unit);
  if (m.nnp > 0) {
    WSIF_GNODE(m.nnp, m.mnpex, unit, istat);
    if (failed()) return;
    WSIF_GCOORD(m.nnp, m.tcoord, unit, istat);
    if (failed()) return;
  }
  if (m.nel > 0) {
    WSIF_GELMNT1(m.nel, m.nnp, m.mnpc, m.mpmnpc, m.melex, m.meltyp, unit, istat);
    if (failed()) return;
    WSIF_GELREF1(m.nel, m.mpmnpc, m.melgeo, m.melmat, m.melecc, m.melloc, m.mexmat, m.mexgeo,
                 m.mexecc, m.mexloc, unit, istat);
    if (failed()) return;
  }
  if (m.nge > 0) {
    WSIF_GSECT(m.nge, m.mxgepr, m.mgetyp, m.mexgeo, m.tcrgeo, unit, istat);
    if (failed()) return;
  }
  if (m.nlc > 0) {
    WSIF_GUNIVEC(m.nlc, m.zloc, m.mexloc, unit, istat);
    if (failed()) return;
  }
  if (m.necc > 0) {
    WSIF_GECCEN(m.necc, m.mexecc, m.ecc, unit, istat);
    if (failed()) return;
  }
  if (m.nma > 0) {
    WSIF_MISOSEL(m.nma, m.mxmapr, m.mexmat, m.tmapa, m.matyp, unit, istat);
    if (failed()) return;
    WSIF_MGSPRNG(m.nma, m.mxmapr, m.mexmat, m.tmapa, m.matyp, unit, istat);
    if (failed()) return;
  }
  WSIF_MISOPL(m.nma, m.mxmapr, m.mexmat, m.tmapa, m.matyp, unit, istat);
  if (failed()) return;
  WSIF_BNBCD(m.nnp, m.nboun, unit, istat);
  if (failed()) return;
  WSIF_IEND(unit);
}

}  // namespace sif
