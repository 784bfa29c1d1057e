// The DMS's two message tables. Every error and warning of the DMS is printed
// here, on the DMS message unit; a unit of 0 or less prints nothing.
//
// Layout: a header is preceded by three empty records and starts with one
// blank; every body line and the label line start with five blanks.
#ifndef RAF2SIF_DMS_MESSAGES_H_
#define RAF2SIF_DMS_MESSAGES_H_

#include <cstdint>
#include <string_view>

namespace dms {

// Errors met while handling array names (codes 11 to 29) and the follow-up
// line 51 ("Occured for array"), printed with the name as passed. Codes below
// 50 decrease the error counter nerr by 1, also when unit < 1. value2 is
// carried along but never printed. Every code but 14, 28 and 51 ends with the
// label line, whatever the label.
void DMSMSN(int32_t code, std::string_view name, int32_t value, int32_t value2, int32_t label,
            int32_t unit, int32_t& nerr);

// Warnings (codes up to 10) and errors (codes above 10) met while handling
// array numbers and storage, with up to three integer values. Counts nothing:
// the operation that raises an error counts it. The label line follows when
// label is not 0.
void DMSMSI(int32_t code, int32_t v1, int32_t v2, int32_t v3, int32_t label, int32_t unit);

// Lowers an error counter or status word by one; the lowest integer stays as
// it is, so a counter that a corrupt book-keeping holds cannot overflow.
inline void decrease(int32_t& counter) {
  if (counter > INT32_MIN) --counter;
}

}  // namespace dms

#endif  // RAF2SIF_DMS_MESSAGES_H_
