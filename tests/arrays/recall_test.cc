// RAF numbers, recall of classes and of single arrays, and damaged
// directory entries.
#include "arrays/recall.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "arrays/booking.h"
#include "arrays/keywords.h"
#include "arrays_test.h"

namespace {

using arrays_test::ArraysTest;
using arrays_test::kMsg;
using arrays_test::kRaf;
using arrays_test::text;

constexpr std::string_view kStructure = "**Recall structure data**";
constexpr std::string_view kControl = "**Recall control data  **";
constexpr std::string_view kGlobal = "**Recall global data   **";
constexpr std::string_view kExclusive = "**Recall exclusive data *";
constexpr std::string_view kResults = "**Recall result data   **";
constexpr std::string_view kRestart = "**Recall restart data  **";

// An array of every class, under names of the converter's table.
writer::Model classes() {
  writer::Model m;
  m.nstep = 2;
  m.add(writer::int_array("MELTYP", "STRU", {15, 18, 70}));
  m.add(writer::real_array("TCOORD", "DP", "STRU", {0.1, 0.2}));
  m.add(writer::real_array("TCRGEO", "RE", "STRU", {0.25, 1.5}));
  writer::Array zloc = writer::real_array("ZLOC", "RE", "S+PO", {9.0, 9.0});
  zloc.steps[1].reals = {1.0, 1.0};
  zloc.steps[2].reals = {2.0, 2.0};
  m.add(zloc);
  writer::Array ecc = writer::real_array("ECC", "DP", "S+RS", {8.0});
  ecc.steps[1].reals = {-1.0};
  ecc.steps[2].reals = {-2.0};
  m.add(ecc);
  m.add(writer::int_array("ICTEXT", "CTRL", {65, 66, 67}));
  m.add(writer::int_array("MGLRES", "GLOB", {1, 1, 3}));
  m.add(writer::int_array("TGEPA", "EXCL", {5}));
  m.add(writer::int_array("TSCRA", "SKIP", {4, 4}));
  writer::Array u = writer::empty_array("U", "DP", "POST");
  u.steps[1].reals = {1.5, 2.5, 3.5};
  u.steps[2].reals = {4.5, 5.5, 6.5};
  m.add(u);
  writer::Array rest = writer::empty_array("TMIDFO", "IN", "REST");
  rest.steps[2].ints = {22};
  m.add(rest);
  m.parameters = {{"NNP", 3}};
  return m;
}

class Recall : public ArraysTest {
 protected:
  int32_t recall(std::string_view instr, int32_t irfins = 1) {
    int32_t st = 0;
    arrays::ARRECL(iwa_, instr, irfins, kRaf, kMsg, st);
    return st;
  }
  int32_t rec1(std::string_view name, int32_t irfins, int32_t* ipoint = nullptr) {
    int32_t st = 0, p = 0;
    arrays::ARREC1(iwa_, name, p, irfins, kRaf, kMsg, st);
    if (ipoint != nullptr) *ipoint = p;
    return st;
  }
  bool booked(std::string_view name) {
    int32_t st = 0;
    arrays::ARGTIP(iwa_, name, 0, st);
    return st == 0;
  }
};

TEST(RafNumbers, TheExampleOfFortyStoredOnceArrays) {
  // Arrays 1 POST serial 2, 2 REST serial 1, 3 S+PO serials 7 and 4,
  // 4 SKIP, 5 STRU serial 9.
  std::vector<int32_t> block(70, 0);  // NUMRAF, then KEYRAF with 5 entries
  io::WorkArray w(block.data(), static_cast<int64_t>(block.size()));
  const io::IntView nv(w, 1, 20), kv(w, 21, 50);
  for (const auto& [word, value] : {std::pair{4, 40}, {5, 6}, {6, 3}, {7, 10}, {10, 100}}) {
    w.set_int(word, value);
  }
  auto set = [&kv](int n, int code, int w5, int w6, int w7) mutable {
    io::IntView k = kv;
    k.set((n - 1) * 10 + 4, code);
    k.set((n - 1) * 10 + 5, w5);
    k.set((n - 1) * 10 + 6, w6);
    k.set((n - 1) * 10 + 7, w7);
  };
  set(1, 3, 0, 2, 0);
  set(2, 2, 0, 0, 1);
  set(3, 5, 7, 4, 0);
  set(4, 0, 0, 0, 0);
  set(5, 1, 9, 0, 0);
  EXPECT_EQ(arrays::ARRKEY(1, 3, nv, kv), 160);
  EXPECT_EQ(arrays::ARRKEY(2, 3, nv, kv), 165);
  EXPECT_EQ(arrays::ARRKEY(3, 0, nv, kv), 107);
  EXPECT_EQ(arrays::ARRKEY(3, -4, nv, kv), 107);
  EXPECT_EQ(arrays::ARRKEY(3, 1, nv, kv), 144);
  EXPECT_EQ(arrays::ARRKEY(3, 2, nv, kv), 153);
  EXPECT_EQ(arrays::ARRKEY(1, 0, nv, kv), 0) << "a result array has no stored-once record";
  EXPECT_EQ(arrays::ARRKEY(4, 1, nv, kv), 0);
  EXPECT_EQ(arrays::ARRKEY(5, 7, nv, kv), 109);
  EXPECT_EQ(arrays::ARRKEY(6, 1, nv, kv), -1) << "no entry 6";
  EXPECT_EQ(arrays::ARRKEY(0, 1, nv, kv), -1);
  EXPECT_EQ(arrays::ARRKEY(1, 2147483647, nv, kv), -1) << "beyond 32 bits";
  set(5, 99, 9, 0, 0);
  EXPECT_EQ(arrays::ARRKEY(5, 1, nv, kv), 0) << "a code of no class";
  set(5, 1, -100, 0, 0);
  EXPECT_EQ(arrays::ARRKEY(5, 1, nv, kv), -1) << "a serial that points below the base";
  w.set_int(4, 0), w.set_int(5, 0), w.set_int(6, 0);
  EXPECT_EQ(arrays::ARRKEY(1, 3, nv, kv), 0) << "nothing stored";
}

TEST_F(Recall, EachInstructionRecallsItsClasses) {
  load(classes());
  EXPECT_EQ(recall(kStructure), 0);
  EXPECT_EQ(values(ints("MELTYP")), (std::vector<int32_t>{15, 18, 70}));
  EXPECT_EQ(values(reals("TCOORD")), (std::vector<double>{0.1, 0.2}));
  EXPECT_EQ(values(reals("TCRGEO")), (std::vector<double>{0.25, 1.5}));
  EXPECT_EQ(values(reals("ZLOC")), (std::vector<double>{1.0, 1.0})) << "step 1's copy";
  EXPECT_EQ(values(reals("ECC")), (std::vector<double>{-1.0})) << "step 1's copy";
  EXPECT_EQ(values(ints("MSTRU"))[2], 3);
  for (const auto name : {"ICTEXT", "MGLRES", "TGEPA", "U", "TMIDFO", "TSCRA"}) {
    EXPECT_FALSE(booked(name)) << name;
  }
  EXPECT_EQ(recall(kControl), 0);
  EXPECT_EQ(values(ints("ICTEXT")), (std::vector<int32_t>{65, 66, 67}));
  EXPECT_FALSE(booked("MGLRES"));
  EXPECT_EQ(recall(kGlobal), 0);
  EXPECT_EQ(values(ints("MGLRES")), (std::vector<int32_t>{1, 1, 3}));
  EXPECT_EQ(recall(kExclusive), 0);
  EXPECT_EQ(values(ints("TGEPA")), (std::vector<int32_t>{5}));
  EXPECT_EQ(recall(kResults, 2), 0);
  EXPECT_EQ(values(reals("U")), (std::vector<double>{4.5, 5.5, 6.5}));
  EXPECT_EQ(values(reals("ZLOC")), (std::vector<double>{2.0, 2.0}));
  EXPECT_EQ(recall(kRestart, 2), 0);
  EXPECT_EQ(values(ints("TMIDFO")), (std::vector<int32_t>{22}));
  EXPECT_EQ(values(reals("ECC")), (std::vector<double>{-2.0}));
  EXPECT_FALSE(booked("TSCRA")) << "a SKIP array is never recalled";
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(guards_intact());
}

TEST_F(Recall, AStepZeroReadsTheStoredOnceCopies) {
  load(classes());
  EXPECT_EQ(recall(kStructure, 0), 0);
  EXPECT_EQ(values(reals("ZLOC")), (std::vector<double>{9.0, 9.0}));
  EXPECT_EQ(values(reals("ECC")), (std::vector<double>{8.0}));
  EXPECT_EQ(recall(kResults, 0), 0) << "result arrays have no record for it";
  EXPECT_FALSE(booked("U"));
}

TEST_F(Recall, AnInstructionOffByOneCharacterIsRejected) {
  load(classes());
  EXPECT_EQ(recall("**Recall structure data *"), -1);
  EXPECT_EQ(recall("**Recall control data **"), -1);
  EXPECT_EQ(
      messages(),
      (std::vector<std::string>{
          text({"*** ERROR IN ARRECL ***", "Unknown Instruction      : **Recall structure data *"}),
          text({"*** ERROR IN ARRECL ***",
                "Unknown Instruction      : **Recall control data **"})}));
  EXPECT_FALSE(booked("MELTYP"));
}

TEST_F(Recall, SingleArraysForOneStep) {
  load(classes());
  int32_t p1 = 0, p2 = 0;
  EXPECT_EQ(rec1("U", 1, &p1), 0);
  EXPECT_EQ(values(reals("U")), (std::vector<double>{1.5, 2.5, 3.5}));
  EXPECT_EQ(rec1("U", 2, &p2), 0);
  EXPECT_EQ(p2, p1) << "the storage is reused";
  EXPECT_EQ(values(reals("U")), (std::vector<double>{4.5, 5.5, 6.5}));
  EXPECT_EQ(arrays::real_view(iwa_, "U", p2).size(), 3);
  EXPECT_EQ(rec1("NOSUCH", 1), 0) << "a name the DMS does not hold is ignored";
  EXPECT_EQ(rec1("ICRPRE", 1), -1) << "a known name without a record";
  EXPECT_EQ(rec1("TMIDFO", 1), -1) << "no restart record for step 1";
  const auto lines = messages();
  EXPECT_EQ(lines.front(),
            text({"*** ERROR IN ARREC1 ***", "Error During Recallin Array: ICRPRE"}));
  EXPECT_EQ(lines.back(), text({"*** ERROR IN ARREC1 ***", "Error During Recallin Array: TMIDFO"}));
  // Everything ARKEYS tells about a record.
  int32_t key = 0, itype = 0, nwpe = 0, ndim = 0, icode = 0, s1 = 0, s2 = 0, s3 = 0, refl = 0;
  int32_t st = 0;
  io::Text<4> store;
  io::Text<2> type;
  arrays::ARKEYS(iwa_, "TCRGEO", 1, key, itype, nwpe, ndim, icode, s1, s2, s3, refl, store.span(),
                 type.span(), kMsg, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(key, 100 + s1);
  EXPECT_EQ((std::vector<int32_t>{itype, nwpe, ndim, icode, refl}),
            (std::vector<int32_t>{3, 2, 2, 1, 1}));
  EXPECT_EQ(type.view(), "RE");
  EXPECT_EQ(store.view(), "STRU");
  arrays::ARKEYS(iwa_, "ZLOC", 2, key, itype, nwpe, ndim, icode, s1, s2, s3, refl, store.span(),
                 type.span(), kMsg, st);
  EXPECT_EQ(store.view(), "S+PO");
  EXPECT_EQ(key, 100 + ints(arrays::kNumraf)(4) + ints(arrays::kNumraf)(5) +
                     ints(arrays::kNumraf)(6) + s2);
}

TEST_F(Recall, AFileWithNothingStored) {
  writer::Options o;
  o.edit_directory = [](writer::Directory& d) { d.numraf[3] = d.numraf[4] = d.numraf[5] = 0; };
  load(classes(), o);
  EXPECT_EQ(recall(kStructure), 0);
  EXPECT_FALSE(booked("MELTYP"));
  EXPECT_EQ(rec1("MELTYP", 1), -1);
  EXPECT_EQ(messages(), (std::vector<std::string>{text(
                            {"*** ERROR IN ARREC1 ***", "Error During Recallin Array: MELTYP"})}));
}

TEST_F(Recall, AMissingRecordStopsTheRecallAtItsArray) {
  writer::Options o;
  o.omit_records = {106};  // MELTYP, stored once after the directory, ECC and ICTEXT
  load(classes(), o);
  EXPECT_EQ(recall(kStructure), -1);
  const auto lines = messages();
  EXPECT_NE(lines.front().find("RAFLIB ERROR"), std::string::npos);
  EXPECT_EQ(lines.back(), text({"*** ERROR IN ARRECL ***", "Occured during recall  of: MELTYP"}));
  EXPECT_TRUE(booked("ECC")) << "array 11, read before";
  EXPECT_FALSE(booked("TCOORD")) << "array 39, after";
  // Later recalls of the group, entered with the failed status, do nothing.
  int32_t st = -1;
  arrays::ARRECL(iwa_, kControl, 1, kRaf, kMsg, st);
  arrays::ARRECL(iwa_, kGlobal, 1, kRaf, kMsg, st);
  int32_t p = 0;
  arrays::ARREC1(iwa_, "U", p, 1, kRaf, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(booked("ICTEXT"));
}

// Directory entries that a damaged file gives the known arrays: each is
// refused with the layer's text and a failed status, and nothing is read
// or written outside the work array.
TEST_F(Recall, DamagedEntriesAreRefused) {
  struct Damage {
    int word;
    int32_t value;
  };
  constexpr int32_t kMeltyp = 21;
  for (const Damage& d :
       {Damage{3, -5}, Damage{3, 2147483647}, Damage{3, 1000000}, Damage{3, 4}, Damage{1, 7},
        Damage{1, 0}, Damage{1, 4}, Damage{5, 2000000000}, Damage{5, -150}}) {
    SCOPED_TRACE(::testing::Message() << "word " << d.word << " = " << d.value);
    dms::reset();
    raflib::reset();
    arrays::reset();
    make_block(arrays_test::kWords);
    writer::Options o;
    o.edit_directory = [d](writer::Directory& dir) {
      dir.keyraf[(kMeltyp - 1) * 10 + d.word - 1] = d.value;
      if (d.word == 1 && d.value == 4) dir.keyraf[(kMeltyp - 1) * 10 + 1] = 1000;  // I8, 1000 words
    };
    load(classes(), o);
    messages();
    EXPECT_LT(recall(kStructure), 0);
    EXPECT_LT(rec1("MELTYP", 1), 0);
    const auto lines = messages();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back() == text({"*** ERROR IN ARREC1 ***"}) ||
                lines.back() ==
                    text({"*** ERROR IN ARREC1 ***", "Error During Recallin Array: MELTYP"}))
        << lines.back();
    EXPECT_TRUE(guards_intact());
  }
}

TEST_F(Recall, AnUnknownStoreCodeIsNeverRecalled) {
  writer::Options o;
  o.edit_directory = [](writer::Directory& dir) { dir.keyraf[20 * 10 + 3] = 99; };
  load(classes(), o);
  for (const auto instr : {kStructure, kControl, kGlobal, kExclusive, kResults, kRestart}) {
    EXPECT_EQ(recall(instr, 2), 0) << instr;
  }
  EXPECT_FALSE(booked("MELTYP"));
  EXPECT_EQ(rec1("MELTYP", 1), -1);
}

}  // namespace
