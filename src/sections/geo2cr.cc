#include "sections/geo2cr.h"

#include <algorithm>
#include <array>
#include <cassert>

#include "sections/box.h"
#include "sections/composite.h"
#include "sections/dimensions.h"
#include "sections/general.h"
#include "sections/isection.h"
#include "sections/lsection.h"
#include "sections/messages.h"
#include "sections/pipe_in_pipe.h"
#include "sections/polygon.h"
#include "sections/solid_bar.h"
#include "sections/tube.h"

namespace sections {

namespace {

using Dimensions = std::array<double, 20>;
using PlateRoutine = void (*)(std::span<const double>, std::span<double, 20>, int32_t, int32_t&);
using StoredRoutine = void (*)(std::span<double>, std::span<double, 20>, int32_t, int32_t&);

constexpr int32_t kEndSectionRequest = -123;  // nearest integer of CDT(20)
constexpr double kGiven = 1e-10;              // an end-2 dimension above this is given

// G(position) = value; position 0 marks an unused slot.
struct Assignment {
  int position = 0;
  double value = 0.0;
};

// The end sections of a tapered member: whether its end-2 dimensions are
// given, the work-copy changes that give end 1, then those that give end 2.
struct EndSections {
  bool given = false;
  std::array<Assignment, 3> end1;
  std::array<Assignment, 3> end2;
};

EndSections tube_ends(const Dimensions& cdt) {
  const double d2 = cdt[5];
  return {d2 > kGiven, {{{6, 0.0}}}, {{{1, d2 - 2.0 * cdt[2]}, {2, d2}}}};
}

EndSections isection_ends(const Dimensions& cdt) {
  const double h2 = cdt[11];
  double bt2 = cdt[12];
  double bb2 = cdt[13];
  if (h2 > kGiven) {
    if (bt2 < kGiven) bt2 = cdt[2];
    if (bb2 < kGiven) bb2 = cdt[4];
  }
  return {h2 * bt2 * bb2 > kGiven,
          {{{12, 0.0}, {13, 0.0}, {14, 0.0}}},
          {{{1, h2}, {3, bt2}, {5, bb2}}}};
}

EndSections box_ends(const Dimensions& cdt) {
  const double h2 = cdt[9];
  double b2 = cdt[10];
  if (h2 > kGiven && b2 < kGiven) b2 = cdt[4];
  return {h2 * b2 > kGiven, {{{10, 0.0}, {11, 0.0}}}, {{{1, h2}, {5, b2}}}};
}

struct PlateKind {
  int32_t kind;
  PlateRoutine routine;
  EndSections (*ends)(const Dimensions&);
};

constexpr PlateKind kPlateKinds[] = {
    {kTube, TUBCRO, tube_ends},
    {kISection, ICROSS, isection_ends},
    {kBox, BOXCRO, box_ends},
};

struct StoredKind {
  int32_t kind;
  StoredRoutine routine;
};

constexpr StoredKind kStoredKinds[] = {
    {kLSection, CROUSI}, {kGeneral, GENCRO},        {kPolygon, PLYCRO},
    {kSolidBar, BARCRO}, {kComposite, Comp_StoGeo}, {kPipeInPipe, PipnPip},
};

// Block k of 20 constants: 0 the whole section, 1 end 1, 2 end 2.
std::span<double, 20> block(std::span<double> sc, int k) {
  return sc.subspan(20 * static_cast<std::size_t>(k)).first<20>();
}

void apply(const std::array<Assignment, 3>& changes, Dimensions& g) {
  for (const Assignment& change : changes) {
    if (change.position != 0) g[change.position - 1] = change.value;
  }
}

// The section, then on request the end sections of a tapered member; stops at
// the first failure.
void plate_section(const PlateKind& plate, std::span<const double> cdt, std::span<double> sc,
                   int32_t lpu, int32_t& status) {
  Dimensions given{};
  std::copy_n(cdt.begin(), std::min(cdt.size(), given.size()), given.begin());
  Dimensions g = given;
  const bool requested = nearest(given[19]) == kEndSectionRequest;
  const EndSections ends = plate.ends(given);

  plate.routine(g, block(sc, 0), lpu, status);
  if (status != 0) return;
  if (requested && ends.given) {
    apply(ends.end1, g);
    plate.routine(g, block(sc, 1), lpu, status);
    if (status != 0) return;
    apply(ends.end2, g);
    plate.routine(g, block(sc, 2), lpu, status);
    if (status != 0) return;
  }
  if (!requested) sc[19] = 0.0;
}

}  // namespace

void GEO2CR(std::span<double> cdt, std::span<double> sc, int32_t kind, int32_t lpu, int32_t& ierr) {
  assert(sc.size() >= 60);
  int32_t status = 0;
  for (const PlateKind& plate : kPlateKinds) {
    if (plate.kind == kind) plate_section(plate, cdt, sc, lpu, status);
  }
  for (const StoredKind& stored : kStoredKinds) {
    if (stored.kind == kind) stored.routine(cdt, block(sc, 0), lpu, status);
  }
  if (status != 0) {
    write_error_header(lpu, "GEO2CR");
    --ierr;
  }
}

}  // namespace sections
