// Structure parameters in both layouts of MSTRU, and the identifier
// directory and codes beneath them.
#include "arrays/stru.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arrays/identifiers.h"
#include "arrays_test.h"
#include "writer/mstru.h"

namespace {

using arrays_test::ArraysTest;
using arrays_test::kMsg;

const std::vector<writer::Parameter> kParameters = {{"NNP", 36}, {"NEL", 68}, {"MXSTEP", 12}};

std::vector<std::string> not_found(const std::string& routine, const std::string& name) {
  return {"",
          "  *** ERROR IN " + routine + " ***",
          "      PARAMETER NOT FOUND:" + name,
          "      LEAVING " + routine,
          "",
          "",
          ""};
}

class Stru : public ArraysTest {
 protected:
  // MSTRU in the directory layout with messages of the directory on unit 17.
  io::IntView directory(int32_t adding = 1, int32_t spare = 4, int32_t flag = -1) {
    writer::MstruOptions o;
    o.unit = kMsg;
    o.adding = adding;
    o.spare = spare;
    o.flag = flag;
    return put(writer::build_mstru(kParameters, o));
  }
  io::IntView fixed() {
    writer::MstruOptions o;
    o.layout = writer::MstruLayout::kFixed;
    return put(writer::build_mstru(kParameters, o));
  }
};

TEST_F(Stru, DirectoryLayoutAddsFoldedIdentifiers) {
  io::IntView mstru = directory();
  int32_t st = 0;
  EXPECT_EQ(arrays::GTSTRU(mstru, "NNP", kMsg, st), 36);
  EXPECT_EQ(arrays::GTSTRU(mstru, "mxstep", kMsg, st), 12);
  const io::IntView d = arrays::identifier_directory(mstru);
  EXPECT_EQ(d(arrays::kIdCount), 5);
  arrays::PTSTRU(mstru, "iFWST1", 4, kMsg, st);
  EXPECT_EQ(d(arrays::kIdCount), 6);
  EXPECT_EQ(mstru(6), 4) << "identifier 6 has word 6";
  EXPECT_EQ(arrays::GTSTRU(mstru, "IFWST1", kMsg, st), 4);
  arrays::PTSTRU(mstru, "ifwst1", 9, kMsg, st);
  EXPECT_EQ(mstru(6), 9);
  EXPECT_EQ(d(arrays::kIdCount), 6);
  // Unknown identifiers read as 0 silently while the directory adds.
  EXPECT_EQ(arrays::GTSTRU(mstru, "NOSUCH", kMsg, st), 0);
  EXPECT_EQ(st, 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Stru, ADirectoryThatDoesNotAddReportsUnknownIdentifiers) {
  io::IntView mstru = directory(0);
  int32_t st = 0;
  EXPECT_EQ(arrays::GTSTRU(mstru, "IFWST9", kMsg, st), 0);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages(), not_found("GTSTRU", "IFWST9"));
  st = 0;
  arrays::PTSTRU(mstru, "iFWST1", 3, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages(), not_found("PTSTRU", "iFWST1"));
  // A call entered with a failed status does nothing at all.
  arrays::PTSTRU(mstru, "NNP", 1, kMsg, st);
  EXPECT_EQ(arrays::GTSTRU(mstru, "NNP", kMsg, st), 0);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(mstru(3), 36);
  EXPECT_TRUE(messages().empty());
}

TEST_F(Stru, FixedLayoutHasNoPlaceForTheStepRange) {
  io::IntView mstru = fixed();
  EXPECT_EQ(mstru.size(), 200);
  int32_t st = 0;
  EXPECT_EQ(arrays::GTSTRU(mstru, "NEL", kMsg, st), 68);
  EXPECT_EQ(mstru(2), 68);
  EXPECT_EQ(mstru(40), 12) << "MXSTEP is slot 40";
  EXPECT_EQ(arrays::GTSTRU(mstru, "IFWST1", kMsg, st), 0);
  EXPECT_EQ(st, 0);
  EXPECT_TRUE(messages().empty());
  arrays::PTSTRU(mstru, "NNP", 40, kMsg, st);
  EXPECT_EQ(mstru(1), 40);
  arrays::PTSTRU(mstru, "iFWST1", 1, kMsg, st);
  EXPECT_EQ(st, -1);
  EXPECT_EQ(messages(), not_found("PTSTRU", "iFWST1"));
}

TEST_F(Stru, AFullDirectoryRefusesNewIdentifiers) {
  io::IntView mstru = directory(1, 0);
  int32_t st = 0;
  arrays::PTSTRU(mstru, "IFWST1", 1, kMsg, st);
  EXPECT_EQ(st, -1);
  std::vector<std::string> expected = {"", "  *** ERROR IN IDADD  ***", "",
                                       "    Number of IDS exceeds maximum of :      5"};
  const auto block = not_found("PTSTRU", "IFWST1");
  expected.insert(expected.end(), block.begin(), block.end());
  EXPECT_EQ(messages(), expected);
}

TEST_F(Stru, IllegalIdentifiersAreReportedOnTheDirectorysUnit) {
  io::IntView mstru = directory();
  const io::IntView d = arrays::identifier_directory(mstru);
  EXPECT_EQ(arrays::IDXIST(d, "IF WST"), 0);
  EXPECT_EQ(arrays::IDXIST(d, "ABCDEFGHI"), 0);
  EXPECT_EQ(messages(), (std::vector<std::string>{"", "  *** ERROR IN IDXIST  ***", "",
                                                  "    Identifier length = 0 or > 8: IF WST", "",
                                                  "  *** ERROR IN IDXIST  ***", "",
                                                  "    Identifier length = 0 or > 8: ABCDEFGHI"}));
  // PTSTRU still adds the first eight characters of a longer name.
  int32_t st = 0;
  arrays::PTSTRU(mstru, "LONGNAME9", 7, kMsg, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(arrays::GTSTRU(mstru, "LONGNAME", kMsg, st), 7);
  int32_t index = 0;
  arrays::IDADD(d, "A\tB", index);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(messages().back(), "    Illegal Identifier : A\tB");
}

TEST_F(Stru, AnEmptyDirectoryFindsNothingSilently) {
  std::vector<int32_t> words = {10, kMsg, 0, 1, 0};
  words.resize(25, 0);
  const io::IntView d = put(words);
  EXPECT_EQ(arrays::IDXIST(d, "NNP"), 0);
  EXPECT_TRUE(messages().empty());
  int32_t index = 250;  // hundreds: the offset of a new identifier
  arrays::IDADD(d, "NNP", index);
  EXPECT_EQ(index, 3);
  EXPECT_EQ(arrays::IDXIST(d, "NNP"), 1);
  index = 0;
  arrays::IDADD(d, "NNP", index);
  EXPECT_EQ(index, 1) << "a present identifier gives its own number";
}

TEST_F(Stru, AFlagOfMinus100ShiftsTheWordOfNewIdentifiers) {
  io::IntView mstru = directory(1, 4, -100);
  int32_t st = 0;
  arrays::PTSTRU(mstru, "NEW", 77, kMsg, st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(mstru(5), 77) << "identifier 6 stored one word lower";
}

TEST_F(Stru, ADirectoryPlacedOutsideMstruFindsNothing) {
  for (const int32_t m : {-5, 1000, 2147483647}) {
    io::IntView mstru = directory(1);
    mstru.set(2, m);
    int32_t st = 0;
    EXPECT_EQ(arrays::GTSTRU(mstru, "NNP", kMsg, st), 0) << m;
    EXPECT_EQ(st, -1);
    st = 0;
    arrays::PTSTRU(mstru, "NNP", 1, kMsg, st);
    EXPECT_EQ(st, -1);
  }
  // A count of identifiers beyond the directory is searched only as far
  // as the directory goes.
  io::IntView mstru = directory(0);
  arrays::identifier_directory(mstru).set(arrays::kIdCount, 2000000000);
  int32_t st = 0;
  EXPECT_EQ(arrays::GTSTRU(mstru, "NEL", kMsg, st), 68);
  EXPECT_EQ(arrays::GTSTRU(put({-1}), "NEL", kMsg, st), 0);
  EXPECT_EQ(st, -1);
  st = 0;
  EXPECT_EQ(arrays::GTSTRU(io::IntView(), "NEL", kMsg, st), 0);
  EXPECT_EQ(st, -1);
}

TEST_F(Stru, TheIdentifierDirectoryLiesWhereWord2PlacesIt) {
  const io::IntView mstru = directory();
  const io::IntView d = arrays::identifier_directory(mstru);
  ASSERT_EQ(d.size(), mstru.size() - mstru(2));
  EXPECT_EQ(d.word(1), mstru.word(mstru(2) + 1));
  EXPECT_EQ(d(arrays::kIdCount), 2 + static_cast<int32_t>(kParameters.size()));
  EXPECT_EQ(arrays::identifier_directory(fixed()).size(), 0);
  io::IntView beyond = directory();
  beyond.set(2, static_cast<int32_t>(beyond.size()) - 4);  // no room for the header
  EXPECT_EQ(arrays::identifier_directory(beyond).size(), 0);
  EXPECT_EQ(arrays::identifier_directory(put({-1})).size(), 0);
}

TEST(Identifiers, CodesAndTheFixedTable) {
  int32_t c1 = 0, c2 = 0;
  arrays::IDCODE("ABC", 3, c1, c2);
  EXPECT_EQ(c1, 35363700);
  EXPECT_EQ(c2, 0);
  arrays::IDCODE("KEYRAF", 6, c1, c2);
  EXPECT_EQ(c1, 45395952);
  EXPECT_EQ(c2, 35400000);
  arrays::IDCODE("~~~~~~~~", 8, c1, c2);
  EXPECT_EQ(c1, 96969696);
  EXPECT_EQ(c2, 96969696);
  for (const auto& [name, length] :
       {std::pair{"A B", 3}, std::pair{"ABC", 0}, std::pair{"ABCDEFGHI", 9}, std::pair{"AB", 3},
        std::pair{"\xC3\xA9", 2}}) {
    arrays::IDCODE(name, length, c1, c2);
    EXPECT_EQ(c1, -1) << name;
    EXPECT_EQ(c2, -1) << name;
  }
  EXPECT_EQ(arrays::IDFIX("NNP"), 1);
  EXPECT_EQ(arrays::IDFIX("NEL   "), 2);
  EXPECT_EQ(arrays::IDFIX("MXSTEP"), 40);
  EXPECT_EQ(arrays::IDFIX("IWINDW"), 105);
  EXPECT_EQ(arrays::IDFIX("MXSTRU"), 110);
  EXPECT_EQ(arrays::IDFIX("NSCHAR"), 121);
  EXPECT_EQ(arrays::IDFIX("NAMD"), 132);
  EXPECT_EQ(arrays::IDFIX("nel"), 0);
  EXPECT_EQ(arrays::IDFIX("IFWST1"), 0);
  EXPECT_EQ(arrays::IDFIX("NNPLOAD"), 128) << "cut to six characters";
}

}  // namespace
