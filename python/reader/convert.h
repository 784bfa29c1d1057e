// A whole conversion in-process: the program's dialogue answered from the
// request, its run over a fresh work array, the SIF file and the messages
// exactly as the program writes them. One conversion after another starts
// each from the state of a fresh process.
#ifndef RAF2SIF_PYTHON_READER_CONVERT_H_
#define RAF2SIF_PYTHON_READER_CONVERT_H_

#include <cstdint>
#include <optional>
#include <string>

namespace reader {

struct Conversion {
  std::string raf;                     // the RAF file, its name ending in ".raf"
  std::string sif;                     // the SIF file to write
  std::optional<int32_t> first, last;  // the step answers; blank when not given
  // The work space in 4-byte words; by default what the file needs (the
  // program's default of 1,000,000 when that cannot be found).
  std::optional<int32_t> words;
};

struct Outcome {
  bool converted = false;
  std::string console;   // what the program printed on the console
  std::string messages;  // on failure the message chain, lines ended by '\n'
  std::string refused;   // a request the dialogue cannot carry; nothing was run
};

// Runs the conversion. Messages written before the SIF file is open go to a
// private directory, not to fort.17 of the working directory, and come back
// in messages; after it is open they stand at the end of the SIF file, as
// the program leaves them, and are copied from there.
Outcome convert(const Conversion& c);

}  // namespace reader

#endif  // RAF2SIF_PYTHON_READER_CONVERT_H_
