// The converter's array name table: 60 slots of 6 characters, slot i naming
// array number i. Slots 1 to 10 and 51 to 60 are blank.
#ifndef RAF2SIF_ARRAYS_NAME_TABLE_H_
#define RAF2SIF_ARRAYS_NAME_TABLE_H_

#include <array>
#include <cstdint>
#include <string_view>

namespace arrays {

constexpr int32_t kNameSlots = 60;
constexpr int32_t kNameChars = 6;

// The names of slots 11 to 50, in slot order.
inline constexpr std::array<std::string_view, 40> kConverterNames = {
    "ECC",    "ICRPRE", "ICTEXT", "MATYP",  "MELECC", "MELEX",  "MELGEO", "MELLOC",
    "MELMAT", "MELNP",  "MELTYP", "MEXECC", "MEXGEO", "MEXLOC", "MEXMAT", "MEXTRA",
    "MGETYP", "MGLRES", "MNELNP", "MNPC",   "MNPEX",  "MPEVEC", "MPMNPC", "MSCRA",
    "MSTRU",  "NBOUN",  "RNTRAN", "STATUS", "TCOORD", "TCRGEO", "TFLE",   "TGEPA",
    "TGLRES", "TMAPA",  "TMIDFO", "TROT",   "TSCRA",  "ZLOC",   "MNT",    "U"};
constexpr int32_t kFirstNamedSlot = 11;

namespace detail {
constexpr std::array<char, kNameSlots * kNameChars> name_table() {
  std::array<char, kNameSlots * kNameChars> t{};
  for (char& c : t) c = ' ';
  for (std::size_t k = 0; k < kConverterNames.size(); ++k) {
    const std::size_t at = (kFirstNamedSlot - 1 + k) * kNameChars;
    for (std::size_t i = 0; i < kConverterNames[k].size(); ++i) t[at + i] = kConverterNames[k][i];
  }
  return t;
}
inline constexpr auto kNameTableChars = name_table();
}  // namespace detail

// The table as the text INIDMS takes: 60 slots one after another.
inline constexpr std::string_view kNameTable(detail::kNameTableChars.data(),
                                             detail::kNameTableChars.size());

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_NAME_TABLE_H_
