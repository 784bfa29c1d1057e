// Identifiers of structure parameters: names of 1 to 8 characters, coded
// into two integers, looked up either in the fixed table of 200 slots or in
// a directory that MSTRU carries itself.
//
// A directory D holds: D(1) its capacity, D(2) the unit for its own
// messages (6 when not positive), D(3) the number of identifiers, D(4) 1 to
// fold identifiers to upper case, D(5) not 0 to let PTSTRU add identifiers,
// and from D(6) on the two code words of each identifier k at D(4+2k) and
// D(5+2k). Identifier k has the number k. Only the words that lie in the
// view are read or written: a directory whose header does not fit its view
// finds nothing and takes nothing.
#ifndef RAF2SIF_ARRAYS_IDENTIFIERS_H_
#define RAF2SIF_ARRAYS_IDENTIFIERS_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "io/work_array.h"

namespace arrays {

// The fixed identifier table: slot k holds the identifier whose value is
// MSTRU(k) in the fixed layout; unnamed slots are blank.
inline constexpr std::array<std::string_view, 200> kFixedIdentifiers = {
    "NNP",    "NEL",    "NBEAM",  "NSPRNG", "NSHELL", "NDAMEL", "NDEL",   "NIMPG",  "NMA",
    "DENTSW", "NGE",    "NLDCS",  "NLC",    "NTRANS", "NROT",   "NECC",   "NLDP",   "NCEQ",
    "NMMCEQ", "NTOTBR", "NOLGRP", "NOLBRA", "NSURNP", "NLOADS", "NCNODS", "NLCOMB", "NEQ",
    "NTK",    "NBW",    "NSHSIZ", "MXELNP", "MXLDCS", "MX2DEL", "MXNPEL", "MXELIE", "MXMAPR",
    "MXGEPR", "MXELRE", "MXELRX", "MXSTEP", "MXLSPC", "MXGLPR", "MXLDPR", "MXHIPR", "MXFARR",
    "MXLDS",  "MXCNDS", "MXLCMB", "MXLDCX", "LSTSTO", "NTRAN1", "NLDCS1", "NTEMP1", "MXHAPR",
    "NLC1",   "MXWLPR", "NEWFRA", "NFRACT", "NEWSTR", "NJOINT", "NJNTNP", "MXELHI", "NWMNPC",
    "NQUAD",  "NSHIP",  "MXRSCP", "NSHPCH", "MXARPR", "MXNAMS", "MXZYB",  "MXEIG",  "MXTPEL",
    "NEIG",   "MXTHPR", "MXDPPR", "MXSTA1", "MXSTA2", "MXSTA3", "IHJHAN", "ISOLVR", "NWSOL",
    "NSTDIM", "LCSTAT", "LCDYNA", "NWEVEC", "NWESEL", "INCRST", "INCRES", "INCPRI", "MXUTIL",
    "ITMAX",  "ITER",   "IEPSIT", "NSHL3",  "NSHL4",  "MXTHST", "NEWLTY", "NLOHST", "NTHIST",
    "NMOVNP", "NPOLY",  "NPART",  "MXVXPR", "IUNFC",  "IWINDW", "",       "",       "",
    "",       "MXSTRU", "NELRES", "NNPRES", "",       "",       "",       "INPUFO", "NELZON",
    "NNPZON", "IADDEX", "NSOLI8", "NSCHAR", "NQUAD8", "NTRI6",  "NDAMP",  "NNPMAS", "NTHERM",
    "NELLOA", "NNPLOA", "NEL70",  "NNOD70", "LENS70", "NAMD",
};

// Words of a directory's header.
constexpr int64_t kIdCapacity = 1, kIdUnit = 2, kIdCount = 3, kIdFold = 4, kIdAdding = 5;

// The number of name in directory d; 0 when it is absent, and 0 with a
// message on the directory's unit when it is blank, longer than 8 or has a
// character outside "!" to "~".
int32_t IDXIST(io::IntView d, std::string_view name);

// Adds name to directory d unless it is there. index enters as an offset
// code (its hundreds, toward zero, are added to the number of an identifier
// added now) and leaves as the identifier's number; 0, with a message, when
// the name is illegal or the directory is full.
void IDADD(io::IntView d, std::string_view name, int32_t& index);

// The slot of name, cut or blank-padded to 6 characters, in the fixed
// identifier table; 0 when it is not there. Letter case matters.
int32_t IDFIX(std::string_view name);

// The code of name(1:l): c1 from its characters 1 to 4 and c2 from 5 to 8,
// each character as the two digits of its code minus 30, the first most
// significant. Both are -1 when l is outside 1 .. 8 or beyond name, or a
// character lies outside codes 33 to 126.
void IDCODE(std::string_view name, int32_t l, int32_t& c1, int32_t& c2);

}  // namespace arrays

#endif  // RAF2SIF_ARRAYS_IDENTIFIERS_H_
