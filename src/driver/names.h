// The array names the converter knows, with their fixed DMS numbers: the
// name list the dialogue hands to the array layer.
#ifndef RAF2SIF_DRIVER_NAMES_H_
#define RAF2SIF_DRIVER_NAMES_H_

#include <array>
#include <string_view>

namespace driver {

inline constexpr int kNameSlots = 60;
inline constexpr int kNameLength = 6;

// Slots 11 .. 50, in order: the array in slot i gets DMS number i.
inline constexpr std::array<std::string_view, 40> kKnownArrays = {
    "ECC",    "ICRPRE", "ICTEXT", "MATYP",  "MELECC", "MELEX",  "MELGEO", "MELLOC",
    "MELMAT", "MELNP",  "MELTYP", "MEXECC", "MEXGEO", "MEXLOC", "MEXMAT", "MEXTRA",
    "MGETYP", "MGLRES", "MNELNP", "MNPC",   "MNPEX",  "MPEVEC", "MPMNPC", "MSCRA",
    "MSTRU",  "NBOUN",  "RNTRAN", "STATUS", "TCOORD", "TCRGEO", "TFLE",   "TGEPA",
    "TGLRES", "TMAPA",  "TMIDFO", "TROT",   "TSCRA",  "ZLOC",   "MNT",    "U"};

// The 60 slots of 6 characters one after another; slots 1 to 10 and 51 to 60
// are blank.
inline constexpr std::array<char, kNameSlots * kNameLength> kNameTable = [] {
  std::array<char, kNameSlots * kNameLength> table{};
  table.fill(' ');
  for (std::size_t k = 0; k < kKnownArrays.size(); ++k) {
    const std::size_t slot = 10 + k;  // 0-based: slot 11 is the first name
    for (std::size_t c = 0; c < kKnownArrays[k].size(); ++c) {
      table[slot * kNameLength + c] = kKnownArrays[k][c];
    }
  }
  return table;
}();

inline constexpr std::string_view name_table() { return {kNameTable.data(), kNameTable.size()}; }

}  // namespace driver

#endif  // RAF2SIF_DRIVER_NAMES_H_
