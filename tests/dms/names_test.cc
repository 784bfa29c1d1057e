#include "dms/names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dms/queries.h"
#include "dms/storage.h"
#include "dms_fixture.h"
#include "io/text.h"

namespace {

using dms_test::body;
using dms_test::kUnit;

class Names : public dms_test::DmsTest {
 protected:
  void SetUp() override {
    DmsTest::SetUp();
    open(200, -20, 0);
  }
  std::pair<int32_t, int32_t> packed(std::string_view name) {
    int32_t cn1 = -1;
    int32_t cn2 = -1;
    dms::DMSCHN(iwa_, name, 0, cn1, cn2);
    return {cn1, cn2};
  }
};

TEST_F(Names, CharacterNumbers) {
  EXPECT_EQ(packed("KEYRAF"), std::make_pair(45395952, 35400000));
  EXPECT_EQ(packed("U"), std::make_pair(55000000, 0));
  EXPECT_EQ(packed("!~!~!~!~"), std::make_pair(3960396, 3960396));
  EXPECT_EQ(packed("ABCD"), std::make_pair(35363738, 0));
  EXPECT_EQ(dms::state().cn1, 35363738);
  EXPECT_EQ(W(3), 0);
}

TEST_F(Names, IllegalNamesAreErrorsWithZeroNumbers) {
  EXPECT_EQ(packed("TOOLONGNM"), std::make_pair(0, 0));
  EXPECT_EQ(W(3), -1);
  EXPECT_EQ(packed("KEY RAF"), std::make_pair(0, 0));
  EXPECT_EQ(packed("KEYRAF "), std::make_pair(0, 0));
  EXPECT_EQ(packed("TAB\t"), std::make_pair(0, 0));
  EXPECT_EQ(packed("\xE9T"), std::make_pair(0, 0));
  EXPECT_EQ(packed(""), std::make_pair(0, 0));
  EXPECT_EQ(W(3), -6);
  const std::vector<std::string> lines = messages();
  ASSERT_GE(lines.size(), 12u);
  EXPECT_EQ(lines[4], body("Array name  TOOLONGNM  is too long"));
  EXPECT_EQ(lines[10], body("Illegal character encountered in array name  KEY RAF"));
}

TEST_F(Names, CaseIsKeptUnlessFoldingWasAnnounced) {
  EXPECT_NE(packed("tcoord"), packed("TCOORD"));
  dms::DMSDFN(iwa_, "tcoord", 12, 3, 1, 0);
  dms::DMSDFN(iwa_, "TCOORD", 13, 3, 2, 0);
  EXPECT_EQ(dms::DMSNUM(iwa_, "tcoord", 0), 12);
  EXPECT_EQ(dms::DMSNUM(iwa_, "TCOORD", 0), 13);

  open(200, -20, 0, 1);
  EXPECT_EQ(packed("tCoord"), packed("TCOORD"));
  EXPECT_EQ(packed("a{|}~"), std::make_pair(35939495, 96000000));  // { | } ~ stay
}

TEST_F(Names, DecodingIsTheInverseOfTheCoding) {
  for (std::string_view name : {"KEYRAF", "U", "MSTRU", "ABCDEFGH", "!~", "ABCD"}) {
    const auto [cn1, cn2] = packed(name);
    io::Text<10> text("XXXXXXXXXX");
    int32_t nchar = -1;
    dms::DMSNCH(iwa_, cn1, cn2, 0, text.span(), nchar);
    EXPECT_EQ(nchar, static_cast<int32_t>(name.size()));
    EXPECT_EQ(text.view(), io::Text<10>(name).view());
  }
  EXPECT_EQ(W(3), 0);
}

TEST_F(Names, DecodingStopsAtTheFirstEmptyGroup) {
  io::Text<8> text;
  int32_t nchar = 0;
  dms::DMSNCH(iwa_, 35360000, 37000000, 0, text.span(), nchar);  // "AB": the second number unused
  EXPECT_EQ(nchar, 2);
  EXPECT_EQ(text.view(), "AB      ");
  dms::DMSNCH(iwa_, 35363738, -5, 0, text.span(), nchar);
  EXPECT_EQ(text.view(), "ABCD    ");
  dms::DMSNCH(iwa_, 0, 0, 0, text.span(), nchar);
  EXPECT_EQ(nchar, 0);
  EXPECT_EQ(text.view(), "        ");
  EXPECT_EQ(W(3), 0);
}

TEST_F(Names, DecodingAnIllegalCodeIsError13) {
  io::Text<8> text;
  int32_t nchar = 0;
  dms::DMSNCH(iwa_, 35360200, 0, 4, text.span(), nchar);  // group 02: code 32, a blank
  EXPECT_EQ(nchar, 2);
  EXPECT_EQ(text.view(), "AB      ");
  dms::DMSNCH(iwa_, 2147483647, 0, 4, text.span(), nchar);  // far beyond four groups
  dms::DMSNCH(iwa_, -35000000, 0, 4, text.span(), nchar);
  dms::DMSNCH(iwa_, 35363738, 97000000, 4, text.span(), nchar);  // code 127 in the second half
  EXPECT_EQ(nchar, 4);
  EXPECT_EQ(W(3), -4);
  const std::vector<std::string> lines = messages();
  ASSERT_EQ(lines.size(), 28u);
  EXPECT_EQ(lines[4], body("Illegal \"character number\" ( =        32 ) encountered"));
  EXPECT_EQ(lines[11], body("Illegal \"character number\" ( =      2177 ) encountered"));
  EXPECT_EQ(lines[18], body("Illegal \"character number\" ( =        -5 ) encountered"));
  EXPECT_EQ(lines[25], body("Illegal \"character number\" ( =       127 ) encountered"));
}

TEST_F(Names, NumberAndNameOfAnArray) {
  dms::DMSDFN(iwa_, "MSTRU", 15, 0, 10, 0);
  EXPECT_EQ(dms::DMSNUM(iwa_, "MSTRU", 0), 15);
  EXPECT_EQ(dms::state().number, 15);
  EXPECT_EQ(dms::DMSNUM(iwa_, "MELTYP", 0), 0);  // not in the name table: silent
  EXPECT_EQ(W(3), 0);

  io::Text<8> name;
  int32_t nchar = 0;
  dms::DMSNAM(iwa_, 15, 0, name.span(), nchar);
  EXPECT_EQ(name.view(), "MSTRU   ");
  EXPECT_EQ(nchar, 5);
  dms::DMSNAM(iwa_, 16, 0, name.span(), nchar);  // a number without a name
  EXPECT_EQ(name.view(), "        ");
  EXPECT_EQ(nchar, 0);
  EXPECT_EQ(W(3), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Names, NameOfAnIllegalNumberIsError23) {
  io::Text<8> name("OLD");
  int32_t nchar = 9;
  dms::DMSNAM(iwa_, 10, 2, name.span(), nchar);
  dms::DMSNAM(iwa_, 21, 2, name.span(), nchar);
  EXPECT_EQ(name.view(), "        ");
  EXPECT_EQ(nchar, 0);
  EXPECT_EQ(W(3), -2);
  const std::vector<std::string> lines = messages();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[4], body("Name requested for an illegal array number (=   10)"));
  EXPECT_EQ(lines[10], body("Name requested for an illegal array number (=   21)"));
}

TEST_F(Names, NameDecodingFailureIsFollowedByOccuredFor) {
  dms::DMSDFN(iwa_, "AB", 11, 0, 1, 0);
  io::IntView nt(iwa_, W(2 * 20 + 5), 40);
  nt.set(21, 35369900);  // "AB" then the illegal code 129
  io::Text<8> name;
  int32_t nchar = 0;
  dms::DMSNAM(iwa_, 11, 3, name.span(), nchar);
  EXPECT_EQ(nchar, 2);
  EXPECT_EQ(W(3), -1);  // the follow-up line is not counted
  const std::vector<std::string> lines = messages();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[7], body("Occured for array  AB      "));
}

TEST_F(Names, NumbersAreFoundOnlyUpToTheHighestNamedOne) {
  io::IntView nt(iwa_, W(2 * 20 + 5), 40);
  nt.set(2 * 12 - 1, 55000000);  // "U" at 12 and 14, NT(3) = 13
  nt.set(2 * 14 - 1, 55000000);
  nt.set(3, 13);
  EXPECT_EQ(dms::DMSLKP(nt, 55000000, 0), 12);
  nt.set(3, 11);
  EXPECT_EQ(dms::DMSLKP(nt, 55000000, 0), 0);
  nt.set(3, 1000);  // a corrupt NT(3) is held to the table
  EXPECT_EQ(dms::DMSLKP(nt, 55000000, 0), 12);
  EXPECT_EQ(dms::DMSLKP(nt, 56000000, 0), 0);
  EXPECT_EQ(dms::DMSLKP(io::IntView(iwa_, 1, 2), 0, 0), 0);  // too short to hold NT(3)
}

}  // namespace
