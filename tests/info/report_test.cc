// The text and JSON reports of given facts: the columns of the text, the
// members of the document, and how sections absent from the file differ
// from sections not reached.
#include <gtest/gtest.h>

#include <string>

#include "info/facts.h"
#include "info/failure.h"
#include "info/json_report.h"
#include "info/text_report.h"
#include "support/json.h"

namespace {

using testing_support::Json;

info::Facts facts() {
  info::Facts f;
  f.file = "a.raf";
  info::Key k;
  k.identification = "RAFLIB  ";
  k.raflib = true;
  k.version = 0;
  k.revision = 0;
  k.upgraded_in_memory = true;
  k.type_number = 8;
  k.type_name = "HP PA-Risc / HP-UX";
  k.converted = true;
  k.created = "20240301  140509";
  k.last_write = "20240301  140509";
  k.last_read = "  000000  000000";
  k.access1 = 0;
  k.mfpadr = 3;
  k.mfpmax = 200;
  k.mfpcur = 102;
  k.mfpnxt = 20;
  k.mfp_records = 8;
  k.file_size = 9000;
  k.data_end = 19 * 512;
  f.key = k;
  f.mfp = {{101, 11, 1, 20, 20}, {102, 12, 3, 1000, 999}};
  info::Directory d;
  d.present = true;
  d.once = 2;
  d.post = 2;
  d.arrays = {{"MSTRU", "IN", "STRU", 122, {26, 0, 0}, 126, 0, 0, true},
              {"TFLE", "DP", "POST", 816, {0, 1, 0}, 0, 137, 2, true},
              {"EXTRA", "RE", "S+PO", 3, {40, 2, 0}, 140, 138, 2, false},
              {"MSCRA", "IN", "SKIP", 9, {0, 0, 0}, 0, 0, 0, true}};
  f.directory = d;
  f.parameters = info::Parameters{true, false, {{"MSFLAG", -1}, {"NNP", 36}}};
  info::Steps s{true, 30, 12, 25, {}};
  for (int32_t step = 1; step <= 25; ++step) s.stored.push_back(step);
  f.steps = s;
  f.array = info::ArrayValues{"ECC", "RE", "STRU", 1, 104, {}, {1.5, -2.0, 0.0, 1e-3, 7, 8, 9}};
  return f;
}

TEST(TextReport, EverySectionInItsColumns) {
  EXPECT_EQ(info::text_report(facts()),
            "RAF file a.raf\n"
            "\n"
            "Key\n"
            "  identification    RAFLIB\n"
            "  version           0, revision 0\n"
            "                    read as version 2, its MFP upgraded in memory; the file is "
            "unchanged\n"
            "  computer type     8  HP PA-Risc / HP-UX\n"
            "  byte order        the other byte order, converted on reading\n"
            "  created           20240301  140509\n"
            "  last write        20240301  140509\n"
            "  last read           000000  000000\n"
            "  access words      0 (no integer)\n"
            "  MFPADR            3\n"
            "  MFPMAX            200\n"
            "  MFPCUR            102\n"
            "  MFPNXT            20\n"
            "  MFP records       8\n"
            "  file size         9000 bytes, 728 bytes short of the end of the data area\n"
            "\n"
            "MFP: 2 arrays allocated\n"
            "  number   type  allocated     stored   address\n"
            "     101   1 IN         20         20        11\n"
            "     102   3 DP       1000        999        12\n"
            "\n"
            "Arrays: 4 in the array directory\n"
            "  stored once 2, per step 2 result and 0 restart arrays\n"
            "  name      type store elements   once   post   rest  RAF numbers\n"
            "  MSTRU     IN   STRU       122     26      0      0  126\n"
            "  TFLE      DP   POST       816      0      1      0  step 1: 137, stride 2\n"
            "  EXTRA     RE   S+PO         3     40      2      0  140; step 1: 138, stride 2"
            "  (not in the converter's table)\n"
            "  MSCRA     IN   SKIP         9      0      0      0  none\n"
            "\n"
            "Structure parameters: MSTRU, directory layout, 2 identifiers\n"
            "  MSFLAG   =          -1\n"
            "  NNP      =          36\n"
            "\n"
            "Steps: MGLRES, MXSTEP 30, MXGLPR 12\n"
            "  present           25\n"
            "  stored            25: 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20\n"
            "                    21 22 23 24 25\n"
            "  blank dialogue    steps 1 to 25, 25 stored steps written\n"
            "\n"
            "Array ECC for step 1: RE, STRU, 7 elements, RAF number 104\n"
            "       1  0.15000000E+01 -0.20000000E+01  0.00000000E+00  0.10000000E-02  "
            "0.70000000E+01  0.80000000E+01\n"
            "       7  0.90000000E+01\n");
}

TEST(TextReport, AbsentSectionsSaySoAndSectionsNotReachedAreLeftOut) {
  info::Facts f;
  f.file = "plain.raf";
  f.mfp.emplace();
  f.directory.emplace();
  f.parameters.emplace();
  f.steps.emplace();
  EXPECT_EQ(info::text_report(f),
            "RAF file plain.raf\n"
            "\n"
            "MFP: 0 arrays allocated\n"
            "  number   type  allocated     stored   address\n"
            "\n"
            "Arrays: none (no array directory, records 101 to 103)\n"
            "\n"
            "Structure parameters: none (no MSTRU)\n"
            "\n"
            "Steps: none (no MGLRES)\n");
  f = info::Facts{};
  f.file = "x.raf";
  info::Key k;
  k.identification = "XXXXXXXX";
  k.file_size = 2048;
  f.key = k;
  EXPECT_EQ(info::text_report(f),
            "RAF file x.raf\n"
            "\n"
            "Key\n"
            "  identification    XXXXXXXX  (not a RAF file)\n"
            "  file size         2048 bytes\n");
}

TEST(JsonReport, TheSameFactsAsOneDocument) {
  Json v;
  const std::string text = info::json_report(facts());
  ASSERT_TRUE(testing_support::JsonReader(text).read(v)) << text;
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(v["file"].text, "a.raf");
  const Json& key = v["key"];
  EXPECT_EQ(key["version"].number, 0);
  EXPECT_TRUE(key["upgraded_in_memory"].boolean);
  EXPECT_TRUE(key["byte_order_converted"].boolean);
  EXPECT_EQ(key["computer_type_name"].text, "HP PA-Risc / HP-UX");
  EXPECT_TRUE(key.has("access_word_2"));
  EXPECT_EQ(key["access_word_2"].kind, Json::Kind::kNull);
  EXPECT_FALSE(key["size_matches_data_area"].boolean);
  EXPECT_EQ(key["data_area_end"].number, 19 * 512);
  ASSERT_EQ(v["mfp"].elements.size(), 2u);
  EXPECT_EQ(v["mfp"][1]["stored"].number, 999);
  const Json& extra = v["directory"]["arrays"][2];
  EXPECT_EQ(extra["name"].text, "EXTRA");
  EXPECT_EQ(extra["once_key"].number, 140);
  EXPECT_EQ(extra["step1_key"].number, 138);
  EXPECT_EQ(extra["serials"][1].number, 2);
  EXPECT_FALSE(extra["known"].boolean);
  EXPECT_EQ(v["parameters"]["layout"].text, "directory");
  EXPECT_EQ(v["parameters"]["values"][0]["value"].number, -1);
  EXPECT_EQ(v["steps"]["stored"].elements.size(), 25u);
  EXPECT_EQ(v["steps"]["blank_range"]["last"].number, 25);
  EXPECT_EQ(v["array"]["values"][3].number, 1e-3);
  EXPECT_FALSE(v.has("error"));
}

TEST(JsonReport, AbsentIsNullNotReachedIsLeftOutAndTheErrorIsAMember) {
  info::Facts f;
  f.file = "d.raf";
  f.mfp.emplace();
  f.directory.emplace();
  f.failure = info::catalogue_failure("MFP entry of array 7", 1033, -4);
  Json v;
  ASSERT_TRUE(testing_support::JsonReader(info::json_report(f)).read(v));
  EXPECT_EQ(v["key"].kind, Json::Kind::kNull);
  EXPECT_EQ(v["mfp"].kind, Json::Kind::kArray);
  EXPECT_TRUE(v.has("directory"));
  EXPECT_EQ(v["directory"].kind, Json::Kind::kNull);
  EXPECT_FALSE(v.has("parameters"));
  EXPECT_FALSE(v.has("steps"));
  EXPECT_EQ(v["error"]["what"].text, "MFP entry of array 7");
  EXPECT_EQ(v["error"]["message"].number, 1033);
  EXPECT_EQ(v["error"]["text"].text, "Corrupt MFP: Negative no of elements (-4)");
  EXPECT_EQ(info::describe(*f.failure),
            "MFP entry of array 7: RAFLIB message 1033: Corrupt MFP: Negative no of elements (-4)");
}

}  // namespace
