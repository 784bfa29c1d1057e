// Files written by the writer, read back through the array layer as the
// converter reads them.
#include "writer/write_raf.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "arrays/arrays_test.h"
#include "arrays/recall.h"
#include "arrays/stru.h"
#include "writer/frame.h"

namespace {

using arrays_test::kMsg;
using arrays_test::kRaf;

constexpr std::string_view kRecalls[] = {"**Recall structure data**", "**Recall control data  **",
                                         "**Recall global data   **"};

class WriteRaf : public arrays_test::ArraysTest {
 protected:
  // Opens a.raf as the driver does and recalls the structure, control and
  // global data.
  void recall_all() {
    ASSERT_EQ(open(), 0) << ::testing::PrintToString(messages());
    int32_t st = 0;
    for (const auto instr : kRecalls) arrays::ARRECL(iwa_, instr, 1, kRaf, kMsg, st);
    ASSERT_EQ(st, 0) << ::testing::PrintToString(messages());
  }

  // Every stored-once array and every parameter of the model is in the
  // work array as the model has it.
  void expect_model(const writer::Model& m) {
    for (const writer::Array& a : m.arrays) {
      if (a.store == "POST") continue;
      SCOPED_TRACE(a.name);
      if (a.type == "IN") {
        EXPECT_EQ(values(ints(a.name)), a.once.ints);
      } else {
        EXPECT_EQ(values(reals(a.name)), a.once.reals);
      }
    }
    io::IntView mstru = ints("MSTRU");
    for (const writer::Parameter& p : m.parameters) {
      int32_t st = 0;
      EXPECT_EQ(arrays::GTSTRU(mstru, p.name, kMsg, st), p.value) << p.name;
      EXPECT_EQ(st, 0);
    }
  }

  // The results of each step as the model has them; steps without results
  // have no record.
  void expect_steps(const writer::Model& m) {
    for (int32_t step = 1; step <= m.nstep; ++step) {
      for (const char* name : {"TFLE", "TMIDFO", "U"}) {
        SCOPED_TRACE(::testing::Message() << name << " step " << step);
        const writer::Array& a = *m.find(name);
        int32_t st = 0, p = 0;
        arrays::ARREC1(iwa_, name, p, step, kRaf, kMsg, st);
        const auto it = a.steps.find(step);
        if (it == a.steps.end()) {
          EXPECT_EQ(st, -1);
          continue;
        }
        ASSERT_EQ(st, 0);
        EXPECT_EQ(values(arrays::real_view(iwa_, name, p)), it->second.reals);
      }
    }
    messages();
  }
};

TEST_F(WriteRaf, TheSampleReadsBackThroughTheLayer) {
  const writer::Model m = writer::sample_frame();
  write(m);
  recall_all();
  expect_model(m);
  expect_steps(m);
  // The driver's step range goes into the directory of MSTRU.
  int32_t st = 0;
  io::IntView mstru = ints("MSTRU");
  arrays::PTSTRU(mstru, "iFWST1", 3, kMsg, st);
  arrays::PTSTRU(mstru, "iFWST2", 8, kMsg, st);
  EXPECT_EQ(arrays::GTSTRU(mstru, "IFWST1", kMsg, st), 3);
  EXPECT_EQ(arrays::GTSTRU(mstru, "IFWST2", kMsg, st), 8);
  EXPECT_EQ(st, 0);
  EXPECT_TRUE(guards_intact());
}

TEST_F(WriteRaf, ForeignByteOrderAndVersionZeroReadBackIdentically) {
  const writer::Model m = writer::sample_frame();
  for (const auto& [type, version0] :
       {std::pair{8, false}, std::pair{12, false}, std::pair{0, true}}) {
    SCOPED_TRACE(::testing::Message() << "computer type " << type << " version 0 " << version0);
    dms::reset();
    raflib::reset();
    make_block(arrays_test::kWords);
    writer::Options o;
    o.computer_type = type;
    o.version0 = version0;
    write(m, o);
    const std::string key = testing_support::read_file("a.raf").substr(0, 60);
    EXPECT_EQ(key.substr(8, 4), version0 ? "   0" : "   2");
    const std::string number = std::to_string(type != 0 ? type : 14);
    EXPECT_EQ(key.substr(56, 4), std::string(4 - number.size(), ' ') + number);
    recall_all();
    expect_model(m);
    expect_steps(m);
  }
  writer::Options both;
  both.computer_type = 8;
  both.version0 = true;
  EXPECT_EQ(writer::write_raf(m, "b.raf", both), writer::kModelError);
}

TEST_F(WriteRaf, TheFixedLayoutOfMstru) {
  const writer::Model m = writer::sample_frame();
  writer::Options o;
  o.mstru.layout = writer::MstruLayout::kFixed;
  write(m, o);
  recall_all();
  io::IntView mstru = ints("MSTRU");
  EXPECT_EQ(mstru.size(), 200);
  int32_t st = 0;
  EXPECT_EQ(arrays::GTSTRU(mstru, "NNP", kMsg, st), 36);
  EXPECT_EQ(arrays::GTSTRU(mstru, "NEL", kMsg, st), 68);
  EXPECT_EQ(arrays::GTSTRU(mstru, "ICHECK", kMsg, st), 0) << "no slot: read as 0";
  arrays::PTSTRU(mstru, "iFWST1", 3, kMsg, st);
  EXPECT_EQ(st, -1);
}

TEST_F(WriteRaf, AnotherNumberingAndNamesTheConverterDoesNotKnow) {
  writer::Model m = writer::sample_frame();
  m.add(writer::int_array("EXTRA1", "STRU", {1, 2, 3}));
  m.add(writer::int_array("EXTRA2", "GLOB", {4}));
  writer::Options o;
  o.names = {"", "", "U", "TFLE", "MSTRU", "TCOORD"};
  write(m, o);
  recall_all();
  m.remove("EXTRA1");
  m.remove("EXTRA2");
  expect_model(m);
  expect_steps(m);
}

TEST_F(WriteRaf, RealsStoredAsReAreSinglePrecisionOnFile) {
  writer::Model m;
  m.add(writer::real_array("TCRGEO", "RE", "STRU", {0.1, 1.0e300}));
  m.add(writer::real_array("ZLOC", "DP", "STRU", {0.1}));
  write(m);
  recall_all();
  EXPECT_EQ(reals("TCRGEO")(1), static_cast<double>(0.1f));
  EXPECT_EQ(reals("TCRGEO")(2), std::numeric_limits<double>::infinity());
  EXPECT_EQ(reals("ZLOC")(1), 0.1);
}

TEST_F(WriteRaf, ModelsCanBeDamagedInALine) {
  writer::Model m = writer::sample_frame();
  m.find("TCOORD")->ndim = 200;
  write(m);
  ASSERT_EQ(open(), 0);
  int32_t st = 0;
  arrays::ARRECL(iwa_, kRecalls[0], 1, kRaf, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages().back(),
            arrays_test::text({"*** ERROR IN ARRECL ***", "Occured during recall  of: TCOORD"}));

  // A stored flag on a step beyond the steps written: no records there.
  writer::Model late = writer::sample_frame();
  late.find("MGLRES")->once.ints[10 * 12 + 9] = 1;
  late.find("U")->steps[11].reals.assign(6 * 36, 1.0);
  dms::reset();
  make_block(arrays_test::kWords);
  write(late);
  recall_all();
  int32_t p = 0;
  st = 0;
  arrays::ARREC1(iwa_, "U", p, 11, kRaf, kMsg, st);
  EXPECT_EQ(st, -1);

  // Keywords the layout cannot write.
  writer::Model bad;
  bad.add(writer::int_array("MELTYP", "XXXX", {1}));
  EXPECT_EQ(writer::write_raf(bad, "c.raf"), writer::kModelError);
  bad.add(writer::int_array("MELTYP", "STRU", {1})).type = "I8";
  EXPECT_EQ(writer::write_raf(bad, "c.raf"), writer::kModelError);
}

}  // namespace
