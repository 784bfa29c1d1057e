// An analysis held in memory as the analysis program stores it in its RAF
// file: named arrays with their type and store-info keywords and values,
// per-step arrays with their values for each step, and the structure
// parameters. Plain data, so that a test can change values, drop arrays or
// give wrong dimensions in a line or two before the model is written.
#ifndef RAF2SIF_WRITER_MODEL_H_
#define RAF2SIF_WRITER_MODEL_H_

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace writer {

// The values of one record: integers for an "IN" array, reals for "RE"
// (written in single precision) and "DP".
struct Values {
  std::vector<int32_t> ints;
  std::vector<double> reals;

  std::size_t size() const { return ints.size() + reals.size(); }
};

struct Array {
  std::string name;
  std::string type = "IN";     // "IN", "RE" or "DP"
  std::string store = "STRU";  // a store-info keyword
  // The record of a class stored once ("STRU", "CTRL", "GLOB", "EXCL",
  // "S+PO", "S+RS").
  Values once;
  // The records of a per-step class ("POST", "REST", "S+PO", "S+RS"), by
  // step; a step without values has no record.
  std::map<int32_t, Values> steps;
  // The dimension the directory records; by default the size of the first
  // record (the stored-once one, else that of the first step).
  std::optional<int32_t> ndim;

  int32_t dimension() const;
};

// An array of the given keywords without values yet (per-step records are
// added to its steps).
Array empty_array(std::string name, std::string type, std::string store);
// A stored-once integer array.
Array int_array(std::string name, std::string store, std::vector<int32_t> values);
// A stored-once real array of type "RE" or "DP".
Array real_array(std::string name, std::string type, std::string store, std::vector<double> values);

struct Parameter {
  std::string name;
  int32_t value = 0;
};

struct Model {
  std::vector<Array> arrays;
  // The structure parameters, written as the array MSTRU unless the model
  // holds an array of that name itself.
  std::vector<Parameter> parameters;
  // Per-step records are written for steps 1 .. nstep.
  int32_t nstep = 0;

  Array* find(std::string_view name);
  const Array* find(std::string_view name) const;
  // Adds the array, replacing one of the same name.
  Array& add(Array a);
  void remove(std::string_view name);

  // The value of a parameter; 0 when there is none.
  int32_t parameter(std::string_view name) const;
  // Sets a parameter, adding it at the end when there is none.
  void set_parameter(std::string_view name, int32_t value);
};

}  // namespace writer

#endif  // RAF2SIF_WRITER_MODEL_H_
