// What rafinfo finds out about a RAF file, section by section, as plain
// data for the text and JSON reports. A section that was not reached (an
// earlier one failed) is left out; one the file does not have is marked
// absent.
#ifndef RAF2SIF_INFO_FACTS_H_
#define RAF2SIF_INFO_FACTS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "raflib/inspect.h"

namespace info {

// Why the inspection stopped: what was being read and, when RAFLIB or its
// catalogue names the failure, the message number (0 otherwise) and text.
struct Failure {
  std::string what;
  int64_t message = 0;
  std::string text;
};

// The key, and one allocated MFP entry, as RAFLIB's inspection gives them.
using Key = raflib::KeyInfo;
using MfpEntry = raflib::MfpEntry;

// One named array of the directory stored in records 101 to 103.
struct NamedArray {
  std::string name;
  std::string type, store;  // keywords
  int32_t elements = 0;
  std::array<int32_t, 3> serials{};  // in its classes: stored once, result, restart; 0 outside them
  int32_t once_key = 0;              // RAF number of the stored-once record; 0 none
  int32_t step1_key = 0;             // RAF number of step 1's record; 0 none
  int32_t stride = 0;                // RAF numbers from one step to the next
  bool known = true;                 // in the converter's name table: recalled by it
};

struct Directory {
  bool present = false;
  int32_t once = 0, post = 0, rest = 0;  // arrays stored once, result and restart per step
  std::vector<NamedArray> arrays;
};

struct Parameter {
  std::string name;
  int32_t value = 0;
};

// The structure parameters of MSTRU.
struct Parameters {
  bool present = false;
  bool fixed_layout = false;
  std::vector<Parameter> values;
};

// The steps of MGLRES.
struct Steps {
  bool present = false;
  int32_t mxstep = 0, mxglpr = 0;
  int32_t count = 0;            // steps present: the blank dialogue converts 1 .. count
  std::vector<int32_t> stored;  // steps of 1 .. count whose results are stored
  int64_t work_words = 0;       // work space any range converts in (arrays::work_words); 0 unknown
};

// The values of one recalled array.
struct ArrayValues {
  std::string name, type, store;
  int32_t step = 0;
  int32_t key = 0;
  std::vector<int64_t> ints;  // "IN" and "I8"
  std::vector<double> reals;  // "SP", "RE" and "DP"
};

struct Facts {
  std::string file;
  std::optional<Key> key;
  std::optional<std::vector<MfpEntry>> mfp;
  std::optional<Directory> directory;
  std::optional<Parameters> parameters;
  std::optional<Steps> steps;
  std::optional<ArrayValues> array;
  std::optional<Failure> failure;
};

}  // namespace info

#endif  // RAF2SIF_INFO_FACTS_H_
