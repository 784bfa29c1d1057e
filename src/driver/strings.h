// The dialogue's string utilities: prompts, file-name extensions, names
// turned into character codes, and the free-form reading of a step answer.
// (LENNB and IFSTNB, which every subsystem uses, live in io/text.h.)
#ifndef RAF2SIF_DRIVER_STRINGS_H_
#define RAF2SIF_DRIVER_STRINGS_H_

#include <span>
#include <string_view>

#include "io/work_array.h"

namespace driver {

// Writes on unit a blank and the first min(length, 80) characters of text,
// leaving the line open for the answer.
void PROMPT(int unit, std::string_view text);

// Replaces name by its characters from the first to the last non-blank one
// followed by ext, blank-padded or cut to the field. A blank name becomes the
// extension alone.
void ADDEXT(std::span<char> name, std::string_view ext);

// Stores the NSTR strings of equal length held one after another in block as
// character codes, one per word, string k in column k of the LARR x NSTR array
// arr (zeroed first). A string longer (to its last non-blank) than LARR is
// reported on unit lpu and decreases istat by 1.
void CH2INT(std::string_view block, io::IntView arr, int larr, int nstr, int lpu, int& istat);

// Reads one integer in free form from a step answer: leading blanks are
// skipped, the number ends at a blank, comma or slash or at the end of the
// line; a blank answer, or a slash or comma before any digit, gives 0.
// Returns false when the answer does not begin with an integer.
bool read_integer(std::string_view answer, int& value);

}  // namespace driver

#endif  // RAF2SIF_DRIVER_STRINGS_H_
