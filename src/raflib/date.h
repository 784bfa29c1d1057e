// RAFLIB's time stamps, from the local date and time.
#ifndef RAF2SIF_RAFLIB_DATE_H_
#define RAF2SIF_RAFLIB_DATE_H_

#include <span>

namespace raflib {

// Writes the time now into text (cut or blank-padded to its length):
//   form 1, 16 characters: "yyyymmdd  hhmmss" (the key's time stamps);
//   form 2, 17 characters: "yy-mm-dd hh:mm:ss" (the report headers).
void RFDATE(std::span<char> text, int form);

}  // namespace raflib

#endif  // RAF2SIF_RAFLIB_DATE_H_
