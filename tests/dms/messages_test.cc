#include "dms/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dms_fixture.h"

namespace {

using dms_test::body;
using dms_test::header;
using dms_test::kErrorHeader;
using dms_test::kUnit;
using dms_test::kWarningHeader;
using Lines = std::vector<std::string>;

class Messages : public dms_test::DmsTest {};

std::string label_line(const std::string& label_field) {
  return body("Detected by a DMS-routine called with label" + label_field);
}

Lines concat(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(Messages, NameErrorLayoutOfTheSpecifiedExample) {
  int32_t nerr = 0;
  dms::DMSMSN(17, "TCOORD", 12, 0, 0, kUnit, nerr);
  EXPECT_EQ(nerr, -1);
  const Lines expected =
      concat(header(kErrorHeader), {"     Array  TCOORD  cannot be defined/redefined",
                                    "     The array name already exists (for array no.   12)",
                                    "     Detected by a DMS-routine called with label     0"});
  EXPECT_EQ(messages(), expected);
}

TEST_F(Messages, NameErrorsCountAlsoWithoutAUnitButFollowUpsDoNot) {
  int32_t nerr = -3;
  dms::DMSMSN(12, "A B", 0, 0, 5, 0, nerr);
  EXPECT_EQ(nerr, -4);
  dms::DMSMSN(12, "A B", 0, 0, 5, -1, nerr);
  EXPECT_EQ(nerr, -5);
  dms::DMSMSN(51, "A B", 0, 0, 5, 0, nerr);
  EXPECT_EQ(nerr, -5);
  dms::DMSMSN(51, "A B", 0, 0, 5, kUnit, nerr);
  EXPECT_EQ(nerr, -5);
  // The follow-up line: no header, no label line, the name with its length.
  EXPECT_EQ(messages(), Lines{body("Occured for array  A B")});
}

TEST_F(Messages, TheCounterStopsAtTheLowestInteger) {
  int32_t nerr = INT32_MIN;
  dms::DMSMSN(11, "NAME", 0, 0, 0, 0, nerr);
  EXPECT_EQ(nerr, INT32_MIN);
}

TEST_F(Messages, CodesWithoutTextPrintOnlyTheirHeaderAndLabelLine) {
  int32_t nerr = 0;
  dms::DMSMSN(40, "X", 0, 0, -7, kUnit, nerr);  // error without a body
  dms::DMSMSN(5, "X", 0, 0, 3, kUnit, nerr);    // below the errors: no header
  dms::DMSMSN(60, "X", 0, 0, 4, kUnit, nerr);   // above the follow-up: not counted
  EXPECT_EQ(nerr, -2);
  dms::DMSMSI(40, 1, 2, 3, 0, kUnit);  // no label line with label 0
  dms::DMSMSI(0, 1, 2, 3, 8, kUnit);   // a warning
  Lines expected = header(kErrorHeader);
  expected.push_back(label_line("    -7"));
  expected.push_back(label_line("     3"));
  expected.push_back(label_line("     4"));
  expected = concat(expected, header(kErrorHeader));
  expected = concat(expected, header(kWarningHeader));
  expected.push_back(label_line("     8"));
  EXPECT_EQ(messages(), expected);
}

TEST_F(Messages, NumberMessagesCountNothingAndPrintNothingWithoutAUnit) {
  dms::DMSMSI(13, 0, 0, 0, 1, 0);
  dms::DMSMSI(13, 0, 0, 0, 1, -4);
  dms::DMSMSI(1, 12, 0, 0, 0, kUnit);
  const Lines expected =
      concat(header(kWarningHeader), {body("Primary storage requested for an array (no.   12 )"),
                                      body("already occupying storage  -  old storage used")});
  EXPECT_EQ(messages(), expected);
}

// Every text of the name table, with NAME "TCOORD", VALUE 12 and label 9.
TEST_F(Messages, EveryNameMessage) {
  struct Case {
    int32_t code;
    Lines body;
  };
  const std::string defined = "Array  TCOORD  cannot be defined/redefined";
  const Case cases[] = {
      {11, {"Array name  TCOORD  is too long"}},
      {12, {"Illegal character encountered in array name  TCOORD"}},
      {13,
       {"Illegal \"character number\" ( =        12 ) encountered",
        "during conversion from numbers to name - corrupt data?"}},
      {14,
       {"Subroutine DMSANN is called out of order",
        "(or the DMS \"book-keeping-system\" is corrupt)"}},
      {15,
       {"The DMS \"book-keeping-system\" exceeds available",
        "storage space in work array by     12 words"}},
      {16, {defined, "Implicit numbering is requested, but not specified"}},
      {17, {defined, "The array name already exists (for array no.   12)"}},
      {18, {defined, "Maximum number of data arrays ( =  12 ) has alreadybeen defined"}},
      {19, {defined, "Explicit numbering is requested, but not specified"}},
      {20, {defined, "The DMS \"book-keeping-system\" is corrupt"}},
      {21, {defined, "Illegal array number ( =   12 ) requested"}},
      {22, {"Storage allocation/release attempted for a non-", "existing array (TCOORD)"}},
      {23, {"Name requested for an illegal array number (=   12)"}},
      {24, {"Pointer requested for an undefined array (TCOORD)"}},
      {25, {"Inconsistent (corrupt) DMS-info for array TCOORD"}},
      {26, {"Attempt to assign a secondary storage file to a non-", "existing array (TCOORD)"}},
      {27, {"Attempt to transfer a non-existing array (TCOORD)", "to/from file"}},
      {28, {"Attempt to retrieve an element from a non-existing", "array (TCOORD)"}},
      {29, {"Attempt to introduce an element into a non-existing", "array (TCOORD)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    io::reset();
    int32_t nerr = 0;
    dms::DMSMSN(c.code, "TCOORD", 12, 99, 9, kUnit, nerr);
    EXPECT_EQ(nerr, -1);
    Lines expected = header(kErrorHeader);
    for (const std::string& line : c.body) expected.push_back(body(line));
    if (c.code != 14 && c.code != 28) expected.push_back(label_line("     9"));
    EXPECT_EQ(messages(), expected);
  }
}

// Every text of the number table, with V1 12, V2 345, V3 67 and label 9.
TEST_F(Messages, EveryNumberMessage) {
  struct Case {
    int32_t code;
    Lines body;
  };
  const Case cases[] = {
      {1,
       {"Primary storage requested for an array (no.   12 )",
        "already occupying storage  -  old storage used"}},
      {2, {"File unit no.  12 is already defined"}},
      {11, {"Illegal data array number ( =    12 ) specified"}},
      {12, {"Illegal number of words per element ( =  12 )", "specified for array number  345"}},
      {13, {"The DMS \"book-keeping-system\" (MCM) is corrupt"}},
      {14,
       {"Available primary (\"core\") storage (of      12 words)",
        "exceeded (by    345 words) for array number   67"}},
      {15, {"Implicit data array specification is incorrect"}},
      {16, {"Primary storage address requested for", "an array ( no.   12 ) having no storage"}},
      {17, {"Zero or negative file unit or file address specified"}},
      {18, {"An undefined file unit ( =   12 ) is specified"}},
      {19, {"Error during transfer of array number   12"}},
      {20, {"Incorrect control data (MCM) retrieved from file"}},
      {21, {"Copying :  data array    12  does not exist"}},
      {22, {"Copying :  data array    12  too small"}},
      {23, {"Copying :  data array    12 and   345 of diff. type"}},
      {24, {"Primary storage allocation attempted for", "an undefined array  (no.   12 )"}},
      {25, {"Primary storage address requested for", "an undefined array  (no.   12 )"}},
      {26, {"Negative dimension specified for array number   12"}},
      {27, {"Negative shrinking (i.e. expansion) attempted", "for array number   12"}},
      {28, {"Maximum number of files (5) already defined"}},
      {29, {"Attempt to merge two existing files"}},
      {30,
       {"Attempt to redefine an array ( no.   12 ) for which",
        "primary storage is already reserved"}},
      {31, {"Incorrect subroutine reference or corrupt  MCM"}},
      {32, {"Illegal array version number ( =    12 ) specified"}},
      {33, {"Attempt to transfer a non-existing data array ( no.    12 )", "to secondary storage"}},
      {34,
       {"Attempt to transfer a non-existing data record ( no.    12 )",
        "into data array number   345"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    io::reset();
    dms::DMSMSI(c.code, 12, 345, 67, 9, kUnit);
    Lines expected = header(c.code <= 10 ? kWarningHeader : kErrorHeader);
    for (const std::string& line : c.body) expected.push_back(body(line));
    expected.push_back(label_line("     9"));
    EXPECT_EQ(messages(), expected);
  }
}

TEST_F(Messages, ValuesTooWideForTheirFieldAreStars) {
  dms::DMSMSI(14, 123456789, 12345678, 123456, 0, kUnit);
  const Lines lines = messages();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[4], body("Available primary (\"core\") storage (of******** words)"));
  EXPECT_EQ(lines[5], body("exceeded (by******* words) for array number*****"));
}

}  // namespace
