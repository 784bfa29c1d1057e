// The first error of a failed run, as the one line on standard error names
// it: read back from the end of the file that holds the run's messages.
#ifndef RAF2SIF_DRIVER_FIRST_ERROR_H_
#define RAF2SIF_DRIVER_FIRST_ERROR_H_

#include <string>
#include <string_view>

namespace driver {

// The first error block of the message chain at the end of file: its text
// ("Insufficient space for array TFLE", RAFLIB's "Cannot open file - ..."),
// or its header without the asterisks when it has no text of its own
// ("ERROR IN ARRECL"). Empty when the file cannot be read or holds no error
// block.
std::string first_error(std::string_view file);

// The end of file, where a failed run's messages stand after the last record:
// its last 256 KiB, from the first line that begins there. Empty when the
// file cannot be read.
std::string message_tail(std::string_view file);

}  // namespace driver

#endif  // RAF2SIF_DRIVER_FIRST_ERROR_H_
