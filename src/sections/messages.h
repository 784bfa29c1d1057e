// Message blocks shared by the section routines, written on the message unit
// lpu (nothing is written when lpu is below 1).
#ifndef RAF2SIF_SECTIONS_MESSAGES_H_
#define RAF2SIF_SECTIONS_MESSAGES_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "io/fields.h"

namespace sections {

// Two blanks and "*** ERROR IN <name> ***".
io::Line error_line(std::string_view name);

// An empty line, then two blanks and "*** ERROR IN <name> ***".
void write_error_header(int32_t lpu, std::string_view name);

// The error header of routine `name`, then one detail line: data the routine
// refuses because it would lead outside an array or a table.
void write_refusal(int32_t lpu, std::string_view name, std::string_view detail);

// The incorrect-geometry block: two empty lines, the line naming the routine
// (name_field as printed, for example "BOXCRO  - "), then "    CDT = " and
// the values G(1..15) in F10.3. g holds at least 15 values.
void write_incorrect_geometry(int32_t lpu, std::string_view name_field, std::span<const double> g);

}  // namespace sections

#endif  // RAF2SIF_SECTIONS_MESSAGES_H_
