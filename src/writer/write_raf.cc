#include "writer/write_raf.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <span>

#include "arrays/directory.h"
#include "raflib/copies.h"
#include "raflib/open.h"
#include "raflib/writers.h"

namespace writer {

namespace {

// Room beyond the last record, so that the array number closing the last
// whole MFP block is unused (a version-0 copy cannot keep its entry).
constexpr int32_t kSpareArrays = 64;

template <typename T>
std::span<const std::byte> bytes_of(const std::vector<T>& v) {
  return std::as_bytes(std::span(v));
}

int32_t put(std::string_view type, const Values& v, int32_t key, int32_t unit) {
  int32_t st = 0;
  if (type == "IN") {
    raflib::RAFPIN(bytes_of(v.ints), static_cast<int32_t>(v.ints.size()), key, unit, st);
  } else if (type == "DP") {
    raflib::RAFPDP(bytes_of(v.reals), static_cast<int32_t>(v.reals.size()), key, unit, st);
  } else {
    raflib::RAFPRD(bytes_of(v.reals), static_cast<int32_t>(v.reals.size()), key, unit, st);
  }
  return st;
}

int32_t write_native(const std::string& path, const Layout& layout, const Options& options) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  raflib::RAFINI(0);
  std::string fname = path;
  int32_t st = 0;
  raflib::RAFNEW(options.unit, fname, "UNKNOWN", layout.last_key + kSpareArrays, st);
  if (st < 0) return st;
  const Directory& d = layout.directory;
  const Values directory[] = {{d.numraf, {}}, {d.keyraf, {}}, {d.iarrnm, {}}};
  std::vector<Record> records = {{arrays::kStoredNumraf, &directory[0], "IN"},
                                 {arrays::kStoredKeyraf, &directory[1], "IN"},
                                 {arrays::kStoredIarrnm, &directory[2], "IN"}};
  records.insert(records.end(), layout.records.begin(), layout.records.end());
  const auto& omit = options.omit_records;
  for (const Record& r : records) {
    if (std::find(omit.begin(), omit.end(), r.key) != omit.end()) continue;
    st = put(r.type, *r.values, r.key, options.unit);
    if (st < 0) break;
  }
  int32_t close = 0;
  raflib::RAFCLS(options.unit, close);
  return st < 0 ? st : std::min(close, 0);
}

}  // namespace

int32_t write_raf(const Model& model, const std::string& path, const Options& options) {
  const bool foreign = options.computer_type != 0;
  if (foreign && options.version0) return kModelError;
  std::vector<const Array*> arrays;
  for (const Array& a : model.arrays) arrays.push_back(&a);
  const Array mstru = int_array("MSTRU", "STRU", build_mstru(model.parameters, options.mstru));
  if (model.find("MSTRU") == nullptr) arrays.push_back(&mstru);

  Layout layout;
  if (!lay_out(arrays, model.nstep, options.names, layout)) return kModelError;
  if (options.edit_directory) options.edit_directory(layout.directory);

  if (!foreign && !options.version0) return write_native(path, layout, options);
  const std::string native = path + ".native";
  int32_t st = write_native(native, layout, options);
  if (st == 0) {
    st = foreign ? raflib::write_foreign_order_copy(native, path, options.computer_type)
                 : raflib::write_version0_copy(native, path);
  }
  std::error_code ec;
  std::filesystem::remove(native, ec);
  return st;
}

}  // namespace writer
