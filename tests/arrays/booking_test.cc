// Booking, re-booking, finding, clearing and releasing arrays by name.
#include "arrays/booking.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arrays/access.h"
#include "arrays/recall.h"
#include "arrays/state.h"
#include "arrays_test.h"
#include "dms/open.h"
#include "dms/queries.h"
#include "writer/frame.h"

namespace {

using arrays_test::ArraysTest;
using arrays_test::kMsg;
using arrays_test::text;

class Booking : public ArraysTest {
 protected:
  void SetUp() override {
    ArraysTest::SetUp();
    writer::Model m;
    m.add(writer::int_array("MELTYP", "STRU", {15, 15}));
    load(m);
    messages();
  }

  int32_t book(std::string_view name, int32_t ndim, std::string_view store, std::string_view type,
               int32_t& st) {
    int32_t p = 0;
    arrays::ARBOOK(iwa_, name, p, ndim, store, type, kMsg, st);
    return p;
  }
  // NUMRAF(1..3), the running counters.
  std::vector<int32_t> counters() {
    const auto numraf = values(ints(arrays::kNumraf));
    return {numraf.begin(), numraf.begin() + 3};
  }
  std::vector<int32_t> entry_of(int32_t n) {
    const auto all = values(ints(arrays::kKeyraf));
    return {all.begin() + (n - 1) * 10, all.begin() + n * 10};
  }
  void free(std::string_view name, std::string_view msg, int32_t& st) {
    arrays::ARFREE(iwa_, name, msg, kMsg, st);
  }
};

TEST_F(Booking, AWorkingArrayIsNotStoredAndAdvancesNoCounter) {
  const auto before = counters();
  const int32_t first_free = dms::DMSGEN(iwa_, dms::kGenNextFree);
  int32_t st = 0;
  const int32_t p = book("ICRPRE", 256, "SKIP", "IN", st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(p, first_free);
  EXPECT_EQ(counters(), before);
  EXPECT_EQ(entry_of(12), (std::vector<int32_t>{1, 1, 256, 0, 0, 0, 0, 0, 0, p / 100}));
  EXPECT_EQ(ints("ICRPRE").size(), 256);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Booking, FirstBookingsTakeSerialsOfTheirClass) {
  int32_t st = 0;
  book("TSCRA", 10, "POST", "DP", st);
  EXPECT_EQ(counters(), (std::vector<int32_t>{3, 1, 0}));
  EXPECT_EQ(entry_of(47), (std::vector<int32_t>{3, 2, 10, 3, 3, 1, 0, 0, 0, entry_of(47)[9]}));
  book("TGEPA", 4, "S+PO", "RE", st);
  EXPECT_EQ(counters(), (std::vector<int32_t>{4, 2, 0}));
  EXPECT_EQ(entry_of(42), (std::vector<int32_t>{3, 2, 4, 5, 4, 2, 0, 1, 0, entry_of(42)[9]}));
  book("ZLOC", 4, "RS+S", "SP", st);
  EXPECT_EQ(counters(), (std::vector<int32_t>{5, 2, 1}));
  EXPECT_EQ(entry_of(48)[arrays::kStoreCode - 1], 4);
  // Released and booked again: the counters stay, the class and serials
  // stay, a new dimension is taken.
  free("TSCRA", "NOCLEAN", st);
  book("TSCRA", 20, "POST", "DP", st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(counters(), (std::vector<int32_t>{5, 2, 1}));
  EXPECT_EQ(entry_of(47)[arrays::kPostSerial - 1], 1);
  EXPECT_EQ(entry_of(47)[arrays::kDimension - 1], 20);
  EXPECT_EQ(reals("TSCRA").size(), 20);
}

TEST_F(Booking, BookingAgainWithStorageKeepsItOrIsRefused) {
  int32_t st = 0;
  const int32_t p = book("TSCRA", 10, "POST", "DP", st);
  reals("TSCRA").set(3, 2.5);
  const auto entry = entry_of(47);
  EXPECT_EQ(book("TSCRA", 10, "POST", "DP", st), p);
  EXPECT_EQ(entry_of(47), entry);
  EXPECT_EQ(reals("TSCRA")(3), 2.5);
  EXPECT_EQ(st, 0);
  book("TSCRA", 11, "POST", "DP", st);
  EXPECT_EQ(st, -1);
  st = 0;
  book("TSCRA", 10, "POST", "IN", st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(
      messages(),
      (std::vector<std::string>{
          text({"*** ERROR IN ARBOOK ***", "Re-allocatng with new lengthfor array: TSCRA"}),
          text({"*** ERROR IN ARBOOK ***", "Re-allocatng with new data-type for array: TSCRA"})}));
  EXPECT_EQ(reals("TSCRA").size(), 10);
  // After a release the element size still may not change.
  st = 0;
  free("TSCRA", "NOCLEAN", st);
  book("TSCRA", 10, "POST", "IN", st);
  EXPECT_EQ(st, -1);
}

TEST_F(Booking, TheLastFreeWordCanBeBookedButNotOneMore) {
  const int32_t free_words =
      dms::DMSGEN(iwa_, dms::kGenNwiwa) - dms::DMSGEN(iwa_, dms::kGenNextFree) + 1;
  int32_t st = 0;
  book("ICRPRE", free_words + 1, "SKIP", "IN", st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages(), (std::vector<std::string>{text(
                            {"*** ERROR IN ARBOOK ***", "Insufficient space for array ICRPRE"})}));
  st = 0;
  book("ICRPRE", free_words, "SKIP", "IN", st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(dms::DMSGEN(iwa_, dms::kGenNextFree), dms::DMSGEN(iwa_, dms::kGenNwiwa) + 1);
  EXPECT_TRUE(guards_intact());
}

TEST_F(Booking, UnknownKeywordsAreRefusedWhenTheEntryIsWritten) {
  int32_t st = 0;
  book("TSCRA", 4, "POST", "XX", st);
  EXPECT_EQ(st, -2);
  st = 0;
  book("TGEPA", 4, "JUNK", "IN", st);
  EXPECT_EQ(st, -2);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "", "  *** ERROR IN ARINFO ***", "      UNKNOWN ARRAY-TYPE:XX",
                            "      LEAVING ARINFO", "", "", "", "*** ERROR IN ARBOOK ***", "",
                            "  *** ERROR IN ARINFO ***", "      UNKNOWN STORE-INFO:JUNK",
                            "      LEAVING ARINFO", "", "", "", "*** ERROR IN ARBOOK ***"}));
  EXPECT_EQ(entry_of(47)[0], 0);
}

TEST_F(Booking, RegistrationRefusesEntriesOutsideTheDirectory) {
  io::IntView keyraf = ints(arrays::kKeyraf);
  const io::IntView numraf = ints(arrays::kNumraf);
  const auto before = values(keyraf);
  for (const auto& [n, e] :
       {std::pair{64, 10}, std::pair{0, 10}, std::pair{12, 9}, std::pair{2, 2147483647}}) {
    int32_t st = 0;
    arrays::ARINFO(keyraf, n, "SKIP", "IN", 1, 1, e, numraf, 1, kMsg, st);
    EXPECT_EQ(st, -1) << n << " " << e;
    st = 0;
    arrays::ARUPDA(keyraf, n, "SKIP", "IN", 1, 1, numraf, e, 1, kMsg, st);
    EXPECT_EQ(st, -1) << n << " " << e;
  }
  EXPECT_EQ(values(keyraf), before);
  const auto lines = messages();
  ASSERT_EQ(lines.size(), 8u * 7u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 7),
            (std::vector<std::string>{"", "  *** ERROR IN ARINFO ***",
                                      "      ILLEGAL ARRAY-NUMBER:      64", "      LEAVING ARINFO",
                                      "", "", ""}));
  // Booked as not stored, an entry takes the new type and keeps its
  // serials; a stored one keeps its type, class and serials.
  int32_t st = 0;
  arrays::ARUPDA(keyraf, 21, "SKIP", "DP", 7, 2, numraf, 10, 250, kMsg, st);
  EXPECT_EQ(entry_of(21), (std::vector<int32_t>{3, 2, 7, 0, 4, 0, 0, 0, 0, 2}));
  arrays::ARINFO(keyraf, 21, "POST", "IN", 9, 1, 10, numraf, 1, kMsg, st);
  arrays::ARUPDA(keyraf, 21, "STRU", "DP", 5, 2, numraf, 10, 300, kMsg, st);
  EXPECT_EQ(entry_of(21), (std::vector<int32_t>{1, 1, 5, 3, 3, 0, 0, 0, 0, 3}));
}

TEST_F(Booking, PointersOfArraysNeverBookedOrReleased) {
  int32_t st = 0, p = 0;
  arrays::ARPOIN(iwa_, "TGEPA", p, kMsg, st);
  EXPECT_EQ(st, -1);
  st = 0;
  book("TGEPA", 4, "SKIP", "IN", st);
  free("TGEPA", "NOCLEAN", st);
  arrays::ARPOIN(iwa_, "TGEPA", p, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{
                "", "  *** ERROR IN ARPOIN ***", "", "  *** Array not allocated : TGEPA", "", "",
                "", "  *** ERROR IN ARPOIN ***", "", "  *** Array is released   : TGEPA", "", ""}));
  // ARGTIP prints only on units above 5 and keeps its last good pointer.
  st = 0;
  const int32_t good = arrays::ARGTIP(iwa_, "NUMRAF", 5, st);
  EXPECT_GT(good, 0);
  EXPECT_EQ(arrays::ARGTIP(iwa_, "TGEPA", 5, st), good);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(arrays::ARGTIP(iwa_, "NUMRAF", 5, st), good) << "does nothing after a failure";
  EXPECT_TRUE(messages().empty());
  st = 0;
  arrays::ARGTIP(iwa_, "TGEPA", kMsg, st);
  EXPECT_EQ(messages()[1], "  *** ERROR IN ARGTIP ***");
}

TEST_F(Booking, ReleasingClearsTheEntriesOfArraysNotStored) {
  int32_t st = 0;
  book("ICRPRE", 4, "SKIP", "IN", st);
  io::IntView icrpre = ints("ICRPRE");
  for (int k = 1; k <= 4; ++k) icrpre.set(k, 40 + k);
  free("ICRPRE", "FREE", st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages(),
            (std::vector<std::string>{"", "  *** ERROR IN ARFREE ***",
                                      "      Illegal release message for array :ICRPRE"}));
  EXPECT_EQ(ints("ICRPRE").size(), 4) << "nothing released";
  st = 0;
  free("ICRPRE", "NOCLEAN", st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(entry_of(12), std::vector<int32_t>(10, 0));
  EXPECT_EQ(icrpre(2), 42) << "contents left as they were";
  // CLEAN zeroes first; a stored array keeps its entry.
  int32_t p = 0;
  arrays::ARREC1(iwa_, "MELTYP", p, 1, arrays_test::kRaf, kMsg, st);
  io::IntView meltyp = ints("MELTYP");
  const auto entry = entry_of(21);
  free("MELTYP", "CLEAN", st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(meltyp(1), 0);
  EXPECT_EQ(entry_of(21), entry);
  // An array not stored whose entry carries serials is not released.
  book("ICRPRE", 4, "SKIP", "IN", st);
  io::IntView keyraf = ints(arrays::kKeyraf);
  keyraf.set(11 * 10 + arrays::kPostSerial, 3);
  free("ICRPRE", "NOCLEAN", st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages().back(), "      Illegal raf - number for array :ICRPRE");
  EXPECT_EQ(ints("ICRPRE").size(), 4);
  // Units below 6 hear nothing from ARFREE.
  st = 0;
  arrays::ARFREE(iwa_, "ICRPRE", "FREE", 5, st);
  EXPECT_EQ(st, -1);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Booking, NumbersAndClearing) {
  int32_t st = 0, n = -1;
  arrays::ARNUMB(iwa_, "NOSUCH", n, kMsg, st);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(st, 0);
  EXPECT_TRUE(messages().empty());
  book("ICRPRE", 3, "SKIP", "IN", st);
  book("TSCRA", 2, "SKIP", "DP", st);
  ints("ICRPRE").set(3, 7);
  reals("TSCRA").set(2, 1.5);
  arrays::ARZERO(iwa_, "TSCRA", kMsg, st);
  EXPECT_EQ(values(reals("TSCRA")), (std::vector<double>{0.0, 0.0}));
  EXPECT_EQ(ints("ICRPRE")(3), 7);
  // A name without storage, or one the DMS does not hold, is no array to
  // clear: the first is nothing to do, the second an error.
  arrays::ARZERO(iwa_, "TGEPA", kMsg, st);
  EXPECT_EQ(st, 0);
  arrays::ARZERO(iwa_, "NOSUCH", kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages(), (std::vector<std::string>{"", "  *** ERROR IN ARZERO ***"}));
  st = 0;
  arrays::ARNUMB(iwa_, "", n, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages().back(), "  *** ERROR IN ARNUMB ***");
}

TEST_F(Booking, ImplicitNumberingNamesNewArraysInTheDirectory) {
  dms::reset();
  make_block(5000);
  int32_t ierr = 0, st = 0;
  dms::DMSOPN_32(iwa_, 5000, -30, 0, kMsg, ierr);
  arrays::ARINIT(iwa_, "", 6, 20, 1, kMsg, st);
  ASSERT_EQ(st, 0) << ::testing::PrintToString(messages());
  EXPECT_EQ(dms::DMSNUM(iwa_, "NUMRAF", 0), 11);
  const int32_t p = book("NEWARR", 5, "STRU", "IN", st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(dms::DMSNUM(iwa_, "NEWARR", 0), 14);
  EXPECT_EQ(ints("NEWARR").size(), 5);
  EXPECT_EQ(ints(arrays::kIarrnm)(27), 48395735);  // N E W A
  EXPECT_EQ(entry(14, arrays::kOnceSerial), 4);
  EXPECT_EQ(book("NEWARR", 5, "STRU", "IN", st), p);
}

TEST_F(Booking, ADmsWithoutNamesIsNotPreparedForBooking) {
  dms::reset();
  make_block(5000);
  int32_t ierr = 0, st = 0;
  dms::DMSOPN_32(iwa_, 5000, -20, 0, kMsg, ierr);
  book("ICRPRE", 4, "SKIP", "IN", st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages().back(),
            text({"*** ERROR IN ARBOOK ***", "DMS not prepared for Name Option  ",
                  "Occured during booking of: ICRPRE"}));
}

TEST_F(Booking, ACallEnteredWithAFailedStatusDoesNothing) {
  int32_t st = -3, p = 99;
  arrays::ARBOOK(iwa_, "ICRPRE", p, 4, "SKIP", "IN", kMsg, st);
  arrays::ARPOIN(iwa_, "NOSUCH", p, kMsg, st);
  arrays::ARFREE(iwa_, "MELTYP", "FREE", kMsg, st);
  arrays::ARZERO(iwa_, "NOSUCH", kMsg, st);
  EXPECT_EQ(st, -3);
  EXPECT_EQ(p, 99);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(entry_of(12)[0], 0);
}

TEST_F(Booking, ViewsFitTheArrayAndItsKind) {
  int32_t st = 0;
  const int32_t pi = book("ICRPRE", 3, "SKIP", "IN", st);
  const int32_t pr = book("TSCRA", 2, "SKIP", "DP", st);
  EXPECT_EQ(arrays::int_view(iwa_, "ICRPRE", pi).size(), 3);
  EXPECT_EQ(arrays::real_view(iwa_, "TSCRA", pr).size(), 2);
  EXPECT_EQ(arrays::real_view(iwa_, "ICRPRE", pi).size(), 0) << "an integer array";
  EXPECT_EQ(arrays::int_view(iwa_, "TSCRA", pr).size(), 0) << "a real array";
  EXPECT_EQ(arrays::int_view(iwa_, "ICRPRE", pi + 1).size(), 0) << "not its pointer";
  EXPECT_EQ(arrays::int_view(iwa_, "NOSUCH", pi).size(), 0);
  EXPECT_EQ(arrays::storage_bytes(iwa_, "TSCRA", pr).size(), 16u);
  free("ICRPRE", "NOCLEAN", st);
  EXPECT_EQ(arrays::int_view(iwa_, "ICRPRE", pi).size(), 0) << "released";
}

}  // namespace
