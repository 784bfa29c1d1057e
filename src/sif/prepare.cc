#include "sif/prepare.h"

#include <array>

#include "sif/check.h"

namespace sif {

namespace {

constexpr ErrorHeader kChgModelError{1, "  *** ERROR IN WSIF_CHG_MODEL ***"};

struct TypeMapping {
  int32_t type_in;
  int32_t type_out;
  bool material_1;  // the element takes internal material 1
  bool section_1;   // and internal section 1
};

constexpr std::array<TypeMapping, 4> kTypeMappings = {{
    {48, 18, true, false},
    {481, 18, true, false},
    {49, 16, true, true},
    {491, 16, true, true},
}};

}  // namespace

void WSIF_CHG_MODEL(Model& m, int32_t lpu, int32_t& istat) {
  RangeCheck check(kChgModelError, lpu, istat);
  if (!check.count("MELTYP", m.nel, m.meltyp.size(), Item::kElement) ||
      !check.count("MELMAT", m.nel, m.melmat.size(), Item::kElement) ||
      !check.count("MELGEO", m.nel, m.melgeo.size(), Item::kElement)) {
    return;
  }
  for (int32_t i = 1; i <= m.nel; ++i) {
    for (const TypeMapping& t : kTypeMappings) {
      if (m.meltyp(i) != t.type_in) continue;
      m.meltyp.set(i, t.type_out);
      if (t.material_1) m.melmat.set(i, 1);
      if (t.section_1) m.melgeo.set(i, 1);
      break;
    }
  }
}

}  // namespace sif
