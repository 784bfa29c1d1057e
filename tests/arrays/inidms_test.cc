// Opening the RAF file, building the directory and merging the stored one.
#include "arrays/inidms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "arrays/identifiers.h"
#include "arrays/recall.h"
#include "arrays_test.h"
#include "dms/names.h"
#include "dms/open.h"
#include "raflib/open.h"
#include "writer/frame.h"

namespace {

using arrays_test::ArraysTest;
using arrays_test::kMsg;
using arrays_test::kRaf;
using arrays_test::text;

// A small model: an array of each class the layer reads.
writer::Model small_model() {
  writer::Model m;
  m.nstep = 2;
  m.add(writer::int_array("MELTYP", "STRU", {15, 15, 18}));
  m.add(writer::real_array("TCOORD", "DP", "STRU", {0.0, 1.5, 3.0}));
  m.add(writer::real_array("TCRGEO", "RE", "STRU", {0.25, 0.5}));
  m.add(writer::int_array("ICTEXT", "CTRL", {65, 66}));
  m.add(writer::int_array("MGLRES", "GLOB", {1, 2, 3}));
  writer::Array u = writer::empty_array("U", "DP", "POST");
  u.steps[1].reals = {1.0, 2.0};
  u.steps[2].reals = {3.0, 4.0};
  m.add(u);
  m.parameters = {{"NNP", 3}, {"NEL", 3}};
  return m;
}

class Init : public ArraysTest {};

TEST_F(Init, ABlankFileNameIsRefusedBeforeRaflibIsCalled) {
  int32_t st = 0;
  arrays::INIRAF("OLD", "      ", 1, kRaf, kMsg, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(raflib::state().machine_type, 0) << "RAFINI was called";
  EXPECT_EQ(
      messages(),
      (std::vector<std::string>{text({"*** ERROR IN INIRAF ***", "No File name Specified"})}));
  // Entered with a failed status, nothing happens.
  arrays::INIRAF("OLD", "a.raf", 1, kRaf, kMsg, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Init, AFileThatCannotBeOpenedGivesTheOpeningText) {
  int32_t st = 0;
  arrays::INIRAF("OLD", "nofile.raf    ", 1, kRaf, kMsg, kMsg, st);
  EXPECT_EQ(st, -1);
  const auto lines = messages();
  ASSERT_GT(lines.size(), 1u) << "RAFLIB's report comes first";
  EXPECT_EQ(lines.back(),
            text({"*** ERROR IN INIRAF ***", "Error Opening raf_file   : nofile.raf"}));
}

TEST_F(Init, AnEleventhRafFileIsAnOpeningError) {
  write(small_model());
  for (int32_t unit = 30; unit < 40; ++unit) {
    std::string name = "a.raf";
    int32_t st = 0;
    raflib::RAFOLD(unit, name, st);
    ASSERT_EQ(st, 0);
  }
  int32_t st = 0;
  arrays::INIRAF("OLD", "a.raf", 1, kRaf, kMsg, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages().back(),
            text({"*** ERROR IN INIRAF ***", "Error Opening raf_file   : a.raf"}));
}

TEST_F(Init, NewFilesAreCreatedAndAnOpenFileOnTheUnitIsClosedFirst) {
  int32_t st = 0;
  arrays::INIRAF("NEW", "b.raf", 5, kRaf, kMsg, kMsg, st);
  EXPECT_EQ(st, 0);
  arrays::INIRAF("NEW", "c.raf", 5, kRaf, kMsg, kMsg, st);
  EXPECT_EQ(st, 0);
  arrays::INIRAF("OLD", "b.raf", 5, kRaf, kMsg, kMsg, st);
  EXPECT_EQ(st, 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Init, TheDirectoryAfterInitialisation) {
  load(small_model());
  const io::IntView numraf = ints(arrays::kNumraf);
  // Stored once: the 3 directory arrays, MELTYP, TCOORD, TCRGEO, ICTEXT,
  // MGLRES and MSTRU; one result array per step.
  EXPECT_EQ(values(numraf), (std::vector<int32_t>{3,   0, 0, 9, 1, 0, 10, 63, 6, 100,
                                                  100, 0, 0, 0, 0, 0, 0,  0,  0, 0}));
  for (int32_t k = 0; k < 3; ++k) {
    const int32_t n = 61 + k;
    EXPECT_EQ(entry(n, arrays::kTypeCode), 1);
    EXPECT_EQ(entry(n, arrays::kStoreCode), 51);
    EXPECT_EQ(entry(n, arrays::kOnceSerial), k + 1);
    EXPECT_EQ(arrays::ARRKEY(n, 1, numraf, ints(arrays::kKeyraf)), 101 + k);
  }
  EXPECT_EQ(entry(62, arrays::kDimension), 630);
  EXPECT_EQ(entry(63, arrays::kDimension), 126);
  int32_t number = 0, st = 0;
  arrays::ARNUMB(iwa_, "MSTRU", number, kMsg, st);
  EXPECT_EQ(number, 35);
  const io::IntView iarrnm = ints(arrays::kIarrnm);
  int32_t c1 = 0, c2 = 0;
  arrays::IDCODE("MSTRU", 5, c1, c2);
  EXPECT_EQ(iarrnm(69), c1);
  EXPECT_EQ(iarrnm(70), c2);
  for (const int32_t blank : {1, 10, 51, 60}) {
    EXPECT_EQ(iarrnm(2 * blank - 1), 0);
    EXPECT_EQ(iarrnm(2 * blank), 0);
  }
  arrays::IDCODE("IARRNM", 6, c1, c2);
  EXPECT_EQ(iarrnm(125), c1);
  // Merged entries: TCOORD (39) in double precision, TCRGEO (40) single on
  // file, U (50) a result array.
  EXPECT_EQ(entry(39, arrays::kTypeCode), 3);
  EXPECT_EQ(entry(39, arrays::kElementWords), 2);
  EXPECT_EQ(entry(39, arrays::kSingleFlag), 0);
  EXPECT_EQ(entry(40, arrays::kSingleFlag), 1);
  EXPECT_EQ(entry(50, arrays::kStoreCode), 3);
  EXPECT_EQ(entry(50, arrays::kPostSerial), 1);
  EXPECT_EQ(entry(12, arrays::kTypeCode), 0) << "ICRPRE is not on the file";
  // MSCRA, which held the stored directory, is released and its entry
  // cleared.
  int32_t ipoint = 0;
  arrays::ARPOIN(iwa_, "MSCRA", ipoint, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(entry(34, arrays::kTypeCode), 0);
  EXPECT_TRUE(guards_intact());
}

TEST_F(Init, EntriesAreMergedByNameWhateverTheFileNumbering) {
  writer::Options o;
  o.names = writer::converter_names();
  std::reverse(o.names.begin(), o.names.end());
  writer::Model m = small_model();
  m.add(writer::int_array("EXTRA1", "STRU", {9, 9, 9, 9}));
  load(m, o);
  EXPECT_EQ(ints(arrays::kNumraf)(8), 63);
  EXPECT_EQ(entry(21, arrays::kDimension), 3) << "MELTYP";
  EXPECT_EQ(entry(21, arrays::kOnceSerial), 8) << "number 40 on the file, after four others";
  EXPECT_EQ(entry(39, arrays::kTypeCode), 3) << "TCOORD";
  EXPECT_EQ(entry(50, arrays::kStoreCode), 3) << "U";
  // The extra array has no number in memory and changed no entry.
  int32_t number = -1, st = 0;
  arrays::ARNUMB(iwa_, "EXTRA1", number, kMsg, st);
  EXPECT_EQ(number, 0);
  for (int32_t n = 11; n <= 60; ++n) {
    if (n != 21 && n != 39 && n != 40 && n != 13 && n != 28 && n != 35 && n != 50) {
      EXPECT_EQ(entry(n, arrays::kTypeCode), 0) << n;
    }
  }
}

TEST_F(Init, ADmsWithTooFewNumbers) {
  int32_t ierr = 0;
  dms::DMSOPN_32(iwa_, 10000, -62, 0, kMsg, ierr);
  int32_t st = 0;
  arrays::ARINIT(iwa_, arrays::kNameTable, 6, 60, 0, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages(), (std::vector<std::string>{"", "  *** ERROR IN ARINIT ***", "",
                                                  "      DMS initiated with too few array_numbers ",
                                                  "      Required :       63",
                                                  "      Available:       62", ""}));
}

TEST_F(Init, NameLengthNineDefinesNothing) {
  write(small_model());
  int32_t st = 0;
  arrays::INIRAF("OLD", "a.raf", 1, kRaf, kMsg, kMsg, st);
  arrays::INIDMS(iwa_, arrays_test::kWords, arrays::kNameTable, 60, 9, kRaf, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"*** ERROR IN ARINIT ***", "*** ERROR IN ARINI1 ***",
                                      "*** ERROR IN INIDMS ***"}));
  EXPECT_EQ(dms::DMSNUM(iwa_, "MSTRU", 0), 0);
}

TEST_F(Init, AFileWithoutTheDirectoryRecords) {
  writer::Options o;
  o.omit_records = {101};
  write(small_model(), o);
  EXPECT_EQ(open(), -1);
  const auto lines = messages();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
            (std::vector<std::string>{"*** ERROR IN GTARAF ***", "*** ERROR IN ARINI1 ***",
                                      "*** ERROR IN INIDMS ***"}));
  EXPECT_NE(lines[0].find("RAFLIB ERROR"), std::string::npos) << "RAFLIB's report first";
}

TEST_F(Init, AStoredBaseOtherThan100IsRefused) {
  writer::Options o;
  o.edit_directory = [](writer::Directory& d) { d.numraf[9] = 101; };
  write(small_model(), o);
  EXPECT_EQ(open(), -1);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"*** ERROR IN ARINI1 ***", "*** ERROR IN INIDMS ***"}));
}

// A stored directory whose entry length E or number count N does not fit
// its records or the work array: the layer's texts and a failed status,
// never an access outside the work array.
TEST_F(Init, DamagedEntryLengthsAndCountsFail) {
  struct Damage {
    int word;  // 7 = E, 8 = N
    int32_t value;
  };
  for (const Damage& d : {Damage{7, 5}, Damage{7, 0}, Damage{7, -3}, Damage{7, 2147483647},
                          Damage{8, -1}, Damage{8, 0}, Damage{8, 10}, Damage{8, 70},
                          Damage{8, 10000000}, Damage{8, 300000000}, Damage{8, 2147483647}}) {
    SCOPED_TRACE(::testing::Message() << "word " << d.word << " = " << d.value);
    dms::reset();
    raflib::reset();
    make_block(arrays_test::kWords);
    writer::Options o;
    o.edit_directory = [d](writer::Directory& dir) { dir.numraf[d.word - 1] = d.value; };
    write(small_model(), o);
    EXPECT_EQ(open(), -1);
    const auto lines = messages();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "*** ERROR IN INIDMS ***");
    EXPECT_TRUE(guards_intact());
  }
}

TEST_F(Init, TooLittleRoomForTheStoredDirectory) {
  write(writer::sample_frame());
  EXPECT_EQ(open(1200), -1);
  const auto lines = messages();
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      text({"*** ERROR IN ARBOOK ***", "Insufficient space for array MSCRA"})),
            lines.end());
  EXPECT_EQ(lines.back(), "*** ERROR IN INIDMS ***");
}

}  // namespace
