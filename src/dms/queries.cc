#include "dms/queries.h"

#include <iterator>

#include "dms/mcm.h"
#include "dms/messages.h"
#include "dms/names.h"

namespace dms {

namespace {

// Where a general item lives: a header word W(k), the address-table item of
// reserved number k, or the name table word NT(k).
enum class Where : uint8_t { kWord, kItem, kNameTable };
struct General {
  Where where;
  int32_t k;
};
// Indexed by item - 1.
constexpr General kGeneral[] = {
    {Where::kWord, kDimTable},
    {Where::kWord, kUnitWord},
    {Where::kWord, kNotZeroedWord},
    {Where::kItem, kNextFree},
    {Where::kItem, kNwiwa},
    {Where::kItem, kHighWater},
    {Where::kNameTable, kNextImplicit},
    {Where::kNameTable, kCaseSwitch},
    {Where::kNameTable, kHighestNamed},
};
static_assert(std::size(kGeneral) == kGenHighestNamed);

}  // namespace

int32_t DMSINF(io::WorkArray& iwa, std::string_view name, int32_t item) {
  Mcm m(iwa);
  if (!m.sound() || !m.named()) return kInfNoName;
  // Messages off and the counter kept, so that an illegal name neither
  // prints nor counts.
  const int32_t unit = m.unit();
  const int32_t errors = m.errors();
  m.set_word(kUnitWord, 0);
  const bool legal = convert_name(m, name, 0);
  m.set_word(kUnitWord, unit);
  m.set_word(kErrorWord, errors);
  if (!legal) return kInfNoName;
  const int32_t no = look_up(m);
  if (no == 0) return kInfNoName;
  // The items are the entries of the tables described by numbers 6 to 10.
  static_assert(kInfSecondary2 - kInfDimension == kSec2Table - kDimTable);
  if (item < kInfDimension || item > kInfSecondary2) return 0;
  const int32_t table = kDimTable + item - kInfDimension;
  return m.has_table(table) ? m.entry(table, no) : 0;
}

int32_t DMSGEN(const io::WorkArray& iwa, int32_t item) {
  const McmView m(iwa);
  if (!m.sound() || item < 1 || item > static_cast<int32_t>(std::size(kGeneral))) return 0;
  const General& g = kGeneral[item - 1];
  switch (g.where) {
    case Where::kWord:
      return m.word(g.k);
    case Where::kItem:
      return m.item(g.k);
    case Where::kNameTable:
      return m.named() ? m.nt(g.k) : 0;
  }
  return 0;
}

int32_t DMSMOD(io::WorkArray& iwa) {
  const int32_t base = iwa.words() >= kSec1Table && iwa.int_at(kSec1Table) > 0 ? kModeSecondary : 0;
  Mcm m(iwa);
  if (m.sound() && !m.named()) return base + kModeNoNames;
  if (m.sound()) {
    const int32_t next = m.nt(kNextImplicit);
    if (next >= kFirstNumber) return base + kModeImplicit;
    if (next == 0) return base + kModeExplicit;
  }
  number_error(iwa, kMcmCorrupt, 0, 0, 0, 0);
  return base;
}

int32_t DMSSTA(const io::WorkArray& iwa) {
  return iwa.words() >= kErrorWord ? iwa.int_at(kErrorWord) : -1;
}

}  // namespace dms
