#include "arrays/keywords.h"

#include "io/text.h"

namespace arrays {

namespace {

// The first n characters of s, blank-padded, equal to keyword.
template <std::size_t N>
bool matches(std::string_view s, std::string_view keyword) {
  return io::Text<N>(s).view() == keyword;
}

}  // namespace

const StoreInfo* store_info(std::string_view store) {
  for (const StoreInfo& s : kStoreInfos) {
    if (matches<4>(store, s.keyword)) return &s;
  }
  return nullptr;
}

const ArrayType* array_type(std::string_view type) {
  for (const ArrayType& t : kArrayTypes) {
    if (matches<2>(type, t.keyword)) return &t;
  }
  return nullptr;
}

const StoreInfo* store_code_info(int32_t code) {
  for (const StoreInfo& s : kStoreInfos) {
    if (s.code == code) return &s;
  }
  return nullptr;
}

std::string_view store_keyword(int32_t code) {
  const StoreInfo* s = store_code_info(code);
  return s == nullptr ? "????" : s->keyword;
}

std::string_view type_keyword(int32_t code, int32_t single_flag) {
  for (const ArrayType& t : kArrayTypes) {
    if (t.code == code && (code != kTypeReal || t.single == (single_flag == 1))) return t.keyword;
  }
  return "??";
}

}  // namespace arrays
