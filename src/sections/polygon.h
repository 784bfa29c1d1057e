// Thin-walled polygon sections (kind 9): the two storage forms of their
// description inside the dimensions array, the lumped-area table built from
// it, and the constants summed over that table.
//
// Plain form: CDT(1) NN nodes, CDT(2) NE segments; then y, z of each node;
// the NE segment thicknesses; the two end node numbers of each segment.
// Compact form, used when the plain NN or NE lies outside 1..200: every
// 8-byte slot holds two single-precision reals. CDT(1) holds (NN, NE),
// CDT(1+i) (y, z) of node i, CDT(1+NN+j) (thickness, 1000*NA + NB) of
// segment j from node NA to node NB.
#ifndef RAF2SIF_SECTIONS_POLYGON_H_
#define RAF2SIF_SECTIONS_POLYGON_H_

#include <cstdint>
#include <span>

namespace sections {

// Outcome of packing, unpacking or lumping a description.
enum class PolygonStatus {
  kDone,
  kTooLarge,     // counts negative or beyond the tables given
  kBeyondArray,  // the description runs beyond the dimensions array
  kBadNode,      // a segment ends at a node number outside 1..NN
};

// Fills sc(1..20) items 1 to 9 from the lumped areas of the polygon in cdt
// (10 points per segment, coordinates as stored). A polygon beyond 200
// nodes or 50 segments, or beyond cdt: the PLYCRO refusal block on lpu,
// ierr = -1.
void PLYCRO(std::span<double> cdt, std::span<double, 20> sc, int32_t lpu, int32_t& ierr);

// MODE 2: unpacks the description in cdt into node coordinates y (pairs
// y, z), thicknesses t and segment node pairs ic, setting nn and ne; the
// compact form is read when the plain counts lie outside 1..200. MODE 1:
// packs nn nodes and ne segments into cdt in the plain form. Other modes do
// nothing.
[[nodiscard]] PolygonStatus PLYUNP(std::span<double> cdt, std::span<double> y, std::span<double> t,
                                   std::span<int32_t> ic, int32_t& nn, int32_t& ne, int32_t mode);

// As PLYUNP, for the compact form.
[[nodiscard]] PolygonStatus PLYCMP(std::span<double> cdt, std::span<double> y, std::span<double> t,
                                   std::span<int32_t> ic, int32_t& nn, int32_t& ne, int32_t mode);

// MODE 1: stores x1 and x2 as single-precision reals in the first and second
// half of the 8-byte slot. MODE 2: reads them back as doubles. Other modes
// do nothing.
void R4PAIR(double& slot, double& x1, double& x2, int32_t mode);

// Builds the lumped-area table pts of np = NE * nsub points (y, z, area):
// each segment gives nsub points of equal area from its start node on,
// its end node excluded.
[[nodiscard]] PolygonStatus PLYLMP(std::span<double> cdt, int32_t& np, int32_t nsub,
                                   std::span<double> pts);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_POLYGON_H_
