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

void WSIF_CHG_MODEL(int32_t nel, io::IntView meltyp, io::IntView melmat, io::IntView melgeo,
                    [[maybe_unused]] int32_t nma, [[maybe_unused]] int32_t mxmapr,
                    [[maybe_unused]] io::IntView matyp, [[maybe_unused]] io::RealView tmapa,
                    int32_t lpu, int32_t& istat) {
  RangeCheck check(kChgModelError, lpu, istat);
  if (!check.count("MELTYP", nel, meltyp.size(), Item::kElement) ||
      !check.count("MELMAT", nel, melmat.size(), Item::kElement) ||
      !check.count("MELGEO", nel, melgeo.size(), Item::kElement)) {
    return;
  }
  for (int32_t i = 1; i <= nel; ++i) {
    for (const TypeMapping& m : kTypeMappings) {
      if (meltyp(i) != m.type_in) continue;
      meltyp.set(i, m.type_out);
      if (m.material_1) melmat.set(i, 1);
      if (m.section_1) melgeo.set(i, 1);
      break;
    }
  }
}

}  // namespace sif
