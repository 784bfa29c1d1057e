// Everything rafinfo reports about a RAF file, gathered through RAFLIB, the
// DMS and the array layer as the converter reads the file. The file is
// opened for reading only and is never written, also when it is of format
// version 0.
#ifndef RAF2SIF_INFO_GATHER_H_
#define RAF2SIF_INFO_GATHER_H_

#include <cstdint>
#include <string>

#include "info/facts.h"

namespace info {

// The RAF unit rafinfo reads on, as the converter does.
constexpr int32_t kRafUnit = 22;

struct Request {
  std::string file;
  std::string array;  // an array whose values are wanted; empty for none
  int32_t step = 1;   // the step index it is recalled for
};

// The key, the MFP and, when the file holds the array directory, the named
// arrays, the structure parameters, the steps and the requested values, in
// this order, up to the first failure, which is recorded in the facts. No
// message is printed and no file is written. Leaves the file open on
// kRafUnit.
Facts gather(const Request& request);

}  // namespace info

#endif  // RAF2SIF_INFO_GATHER_H_
