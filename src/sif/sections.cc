#include "sif/sections.h"

#include <array>
#include <string_view>

#include "sif/check.h"
#include "sif/record.h"

namespace sif {

namespace {

constexpr ErrorHeader kGsectError{1, "  *** ERROR IN WSIF_GSECT ***"};

// How a record lays out the dimensions G(1), G(2), ... of its section.
enum class Layout { kHollow, kGeneral, kAngle, kOpen, kThickness };

struct SectionRecord {
  std::string_view name;
  Layout layout;
  int dimensions;  // G(1) .. G(dimensions) are read
};

// By section type 1 .. 10.
constexpr std::array<SectionRecord, 10> kSectionRecords = {{
    {"GPIPE", Layout::kHollow, 9},
    {"GIORH", Layout::kHollow, 9},
    {"GBOX", Layout::kHollow, 9},
    {"GBEAMG", Layout::kGeneral, 10},
    {"GLSEC", Layout::kAngle, 11},
    {"GCHAN", Layout::kOpen, 8},
    {"GUSYI", Layout::kOpen, 8},
    {"GUSYI", Layout::kOpen, 8},
    {"GBARM", Layout::kOpen, 8},
    {"GELTH", Layout::kThickness, 1},
}};

void put_section(int32_t unit, const SectionRecord& r, double s, const Column& g) {
  constexpr io::SifStyle kPlain = io::SifStyle::kPlain;
  switch (r.layout) {
    case Layout::kHollow:
      put_record(unit, r.name, {s, g(1), g(2), g(3), g(4), g(5), g(6), g(7), g(8), g(9), 0.0, 0.0},
                 kPlain);
      return;
    case Layout::kGeneral:
      put_record(
          unit, r.name,
          {s, 0.0, g(1), g(2), g(3), g(4), g(5), g(6), g(7), g(8), g(9), g(10), 0.0, 0.0, 0.0, 0.0},
          kPlain);
      return;
    case Layout::kAngle: {
      // K is 1 when G(11) lies below half of G(1) + G(2).
      const double legs = g(1) + g(2);
      const double k = g(11) < legs * 0.5 ? 1.0 : 0.0;
      put_record(unit, r.name, {s, g(5), g(7), legs, g(6), 0.0, 0.0, k, 0.0, 0.0, 0.0, 0.0},
                 kPlain);
      return;
    }
    case Layout::kOpen:
      put_record(
          unit, r.name,
          {s, 0.0, g(1), g(2), g(3), g(4), 0.0, 0.0, g(5), g(6), g(7), g(8), 0.0, 0.0, 0.0, 0.0},
          kPlain);
      return;
    case Layout::kThickness:
      put_record(unit, r.name, {s, g(1), 0.0, 0.0}, kPlain);
      return;
  }
}

}  // namespace

void WSIF_GSECT(int32_t nge, int32_t mxgepr, io::IntView mgetyp, io::IntView mexgeo,
                io::RealView tcrgeo, int32_t unit, int32_t& istat) {
  RangeCheck check(kGsectError, unit, istat);
  if (!check.count("MGETYP", nge, mgetyp.size(), Item::kSection) ||
      !check.count("MEXGEO", nge, mexgeo.size(), Item::kSection)) {
    return;
  }
  for (int32_t j = 1; j <= nge; ++j) {
    const int32_t type = mgetyp(j);
    if (type < 1 || type > static_cast<int32_t>(kSectionRecords.size())) continue;
    const SectionRecord& r = kSectionRecords[type - 1];
    if (!check.column("TCRGEO", j, mxgepr, r.dimensions, tcrgeo.size(), Item::kSection, j)) {
      return;
    }
    put_section(unit, r, mexgeo(j), Column(tcrgeo, mxgepr, j));
  }
}

}  // namespace sif
