// The layout of a model in the RAF file: numbers, serials, directory and
// RAF numbers; and MSTRU in its directory layout.
#include "writer/layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "arrays/identifiers.h"
#include "writer/mstru.h"

namespace {

using writer::Array;

Array step_array(const char* name, const char* store, std::vector<int32_t> steps) {
  Array a = writer::empty_array(name, "DP", store);
  for (const int32_t s : steps) a.steps[s].reals = {1.0, 2.0};
  return a;
}

std::vector<int32_t> entry(const writer::Layout& l, int32_t n) {
  const auto& k = l.directory.keyraf;
  return {k.begin() + (n - 1) * 10, k.begin() + n * 10};
}

int32_t key_of(const writer::Layout& l, const writer::Values* v) {
  for (const writer::Record& r : l.records) {
    if (r.values == v) return r.key;
  }
  return 0;
}

TEST(Layout, SerialsFollowArrayNumbersWithinEachClass) {
  Array u = step_array("U", "POST", {1, 2});
  Array tfle = step_array("TFLE", "POST", {2});
  Array mstru = writer::int_array("MSTRU", "STRU", {1, 2, 3});
  Array meltyp = writer::int_array("MELTYP", "STRU", {15});
  Array zloc = step_array("ZLOC", "S+PO", {1});
  zloc.once.reals = {5.0, 6.0};
  Array ecc = step_array("ECC", "S+RS", {1, 2});
  ecc.once.reals = {7.0, 8.0};
  Array tmidfo = step_array("TMIDFO", "REST", {2, 3});
  const std::vector<const Array*> arrays = {&u, &tfle, &mstru, &meltyp, &zloc, &ecc, &tmidfo};
  writer::Layout l;
  ASSERT_TRUE(writer::lay_out(arrays, 2, writer::converter_names(), l));

  EXPECT_EQ(l.directory.numraf, (std::vector<int32_t>{7,   3, 2, 7, 3, 2, 10, 63, 6, 100,
                                                      100, 0, 0, 0, 0, 0, 0,  0,  0, 0}));
  EXPECT_EQ(entry(l, 61), (std::vector<int32_t>{1, 1, 20, 51, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(entry(l, 62), (std::vector<int32_t>{1, 1, 630, 51, 2, 0, 0, 0, 0, 0}));
  EXPECT_EQ(entry(l, 11), (std::vector<int32_t>{3, 2, 2, 4, 4, 0, 1, 0, 0, 0})) << "ECC";
  EXPECT_EQ(entry(l, 41), (std::vector<int32_t>{3, 2, 2, 3, 6, 1, 1, 0, 0, 0})) << "TFLE";
  EXPECT_EQ(entry(l, 48), (std::vector<int32_t>{3, 2, 2, 5, 7, 2, 2, 0, 0, 0})) << "ZLOC";
  EXPECT_EQ(entry(l, 50)[5], 3) << "U";
  EXPECT_EQ(entry(l, 45)[6], 2) << "TMIDFO";
  EXPECT_EQ(l.numbers.at("MSTRU"), 35);

  EXPECT_EQ(key_of(l, &meltyp.once), 105);
  EXPECT_EQ(key_of(l, &ecc.once), 104);
  EXPECT_EQ(key_of(l, &zloc.once), 107);
  EXPECT_EQ(key_of(l, &zloc.steps[1]), 109);
  EXPECT_EQ(key_of(l, &u.steps[2]), 115);
  EXPECT_EQ(key_of(l, &ecc.steps[1]), 111);
  EXPECT_EQ(key_of(l, &tmidfo.steps[2]), 117);
  EXPECT_EQ(key_of(l, &tmidfo.steps[3]), 0) << "beyond the steps written";
  EXPECT_EQ(l.last_key, 117);
  EXPECT_TRUE(std::is_sorted(l.records.begin(), l.records.end(),
                             [](const auto& a, const auto& b) { return a.key < b.key; }));

  // Names of every slot of the table, and of the directory arrays.
  int32_t c1 = 0, c2 = 0;
  arrays::IDCODE("MELTYP", 6, c1, c2);
  EXPECT_EQ(l.directory.iarrnm[40], c1);
  EXPECT_EQ(l.directory.iarrnm[41], c2);
  arrays::IDCODE("TGEPA", 5, c1, c2);
  EXPECT_EQ(l.directory.iarrnm[82], c1) << "a table name without an array";
  EXPECT_EQ(l.directory.iarrnm[0], 0);
  arrays::IDCODE("IARRNM", 6, c1, c2);
  EXPECT_EQ(l.directory.iarrnm[124], c1);
}

TEST(Layout, NamesTheTableLacksFollowIt) {
  Array extra = writer::int_array("EXTRA", "GLOB", {1});
  Array u = step_array("U", "POST", {1});
  writer::Layout l;
  ASSERT_TRUE(writer::lay_out({&extra, &u}, 1, {"", "U"}, l));
  EXPECT_EQ(l.numbers.at("U"), 2);
  EXPECT_EQ(l.numbers.at("EXTRA"), 3);
  EXPECT_EQ(l.directory.numraf[7], 6);
  EXPECT_EQ(entry(l, 4)[3], 51) << "NUMRAF after the names";
  Array bad = writer::int_array("X", "NONE", {1});
  EXPECT_FALSE(writer::lay_out({&bad}, 1, {}, l));
}

TEST(Mstru, TheDirectoryLayoutWords) {
  const auto mstru = writer::build_mstru({{"NNP", 36}, {"nel", 68}}, {});
  // Identifiers MSFLAG, MSDIRP, NNP, NEL; capacity 4 + 16 spare.
  const int32_t m = 20;
  ASSERT_EQ(mstru.size(), static_cast<std::size_t>(m + 5 + 2 * 20));
  EXPECT_EQ(mstru[0], -1);
  EXPECT_EQ(mstru[1], m);
  EXPECT_EQ(mstru[2], 36);
  EXPECT_EQ(mstru[3], 68);
  EXPECT_EQ(std::vector<int32_t>(mstru.begin() + m, mstru.begin() + m + 5),
            (std::vector<int32_t>{20, 0, 4, 1, 1}));
  int32_t c1 = 0, c2 = 0;
  arrays::IDCODE("NEL", 3, c1, c2);
  EXPECT_EQ(mstru[m + 4 + 2 * 4 - 1], c1) << "folded to upper case";
  EXPECT_EQ(mstru[m + 5 + 2 * 4 - 1], c2);
  writer::MstruOptions fixed;
  fixed.layout = writer::MstruLayout::kFixed;
  const auto f = writer::build_mstru({{"NNP", 36}, {"IFWST1", 1}, {"NAMD", 9}}, fixed);
  EXPECT_EQ(f.size(), 200u);
  EXPECT_EQ(f[0], 36);
  EXPECT_EQ(f[131], 9);
  EXPECT_EQ(std::count(f.begin(), f.end(), 1), 0) << "IFWST1 has no slot";
}

}  // namespace
