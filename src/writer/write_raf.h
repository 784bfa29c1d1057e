// Writing a model as a RAF file laid out exactly as the array layer expects
// to find one, through RAFLIB's public writers.
#ifndef RAF2SIF_WRITER_WRITE_RAF_H_
#define RAF2SIF_WRITER_WRITE_RAF_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "writer/layout.h"
#include "writer/model.h"
#include "writer/mstru.h"

namespace writer {

struct Options {
  // The file's name table (slot i names array number i).
  std::vector<std::string> names = converter_names();
  // The layout of MSTRU when it is built from the model's parameters.
  MstruOptions mstru;
  // 0 writes in this computer's byte order; 8 or 12 as a computer of the
  // other byte order would have written the file.
  int32_t computer_type = 0;
  // Format version 0, which opening upgrades.
  bool version0 = false;
  // The RAF unit the writer uses (it must be free).
  int32_t unit = 90;
  // RAF numbers whose records are left out although the directory lists them.
  std::vector<int32_t> omit_records;
  // Called with the directory before it is written, to damage it.
  std::function<void(Directory&)> edit_directory;
};

// A model the writer cannot write, or options it cannot combine.
constexpr int32_t kModelError = -1;

// Writes model into the file path, replacing it. RAFLIB is initialised
// (RAFINI) without a message unit. Returns 0; kModelError for an array of a
// type or store-info keyword the layout refuses, or for a foreign byte order
// together with version 0 (a file RAFLIB could not open); or the negative
// status of RAFLIB or of its copy functions.
int32_t write_raf(const Model& model, const std::string& path, const Options& options = {});

}  // namespace writer

#endif  // RAF2SIF_WRITER_WRITE_RAF_H_
