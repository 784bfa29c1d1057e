// The JSON writer: its layout, escaping and numbers, read back by the
// tests' strict reader (which is checked to refuse what is not JSON).
#include "info/json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "support/json.h"

namespace {

using testing_support::Json;
using testing_support::JsonReader;

Json parsed(const std::string& text) {
  Json v;
  EXPECT_TRUE(JsonReader(text).read(v)) << text;
  return v;
}

TEST(JsonWriter, MembersOnLinesOfTheirOwnAndPlainArraysOnOne) {
  info::JsonWriter j;
  j.begin_object();
  j.key("a").integer(1);
  j.key("list").begin_array().integer(1).integer(-2).end_array();
  j.key("rows").begin_array();
  j.begin_object(info::JsonWriter::Layout::kOneLine)
      .key("x")
      .integer(1)
      .key("y")
      .null()
      .end_object();
  j.begin_object().key("z").boolean(true).end_object();
  j.end_array();
  j.key("empty").begin_object().end_object();
  j.key("none").begin_array().end_array();
  j.end_object();
  EXPECT_EQ(j.text(),
            "{\n"
            "  \"a\": 1,\n"
            "  \"list\": [1, -2],\n"
            "  \"rows\": [\n"
            "    {\"x\": 1, \"y\": null},\n"
            "    {\n"
            "      \"z\": true\n"
            "    }\n"
            "  ],\n"
            "  \"empty\": {},\n"
            "  \"none\": []\n"
            "}");
  const Json v = parsed(j.text());
  EXPECT_EQ(v["rows"][0]["x"].number, 1);
  EXPECT_TRUE(v["rows"][1]["z"].boolean);
}

TEST(JsonWriter, StringsAreEscapedToAscii) {
  const std::string raw = std::string("a\"b\\c\n\x01 \x7f\xe9/", 11);
  info::JsonWriter j;
  j.begin_array().string(raw).end_array();
  EXPECT_EQ(j.text(), "[\"a\\\"b\\\\c\\u000a\\u0001 \\u007f\\u00e9/\"]");
  EXPECT_EQ(parsed(j.text())[0].text, raw);
}

TEST(JsonWriter, NumbersReadBackExactlyAndNonFiniteRealsAreNull) {
  const double reals[] = {0.1, -2.5e-300, 1.7976931348623157e308, 5e-324, -0.0, 1e21};
  info::JsonWriter j;
  j.begin_array();
  for (const double r : reals) j.real(r);
  j.integer(std::numeric_limits<int64_t>::min());
  j.real(std::nan("")).real(-INFINITY);
  j.end_array();
  const Json v = parsed(j.text());
  ASSERT_EQ(v.elements.size(), 9u);
  for (std::size_t k = 0; k < 6; ++k) {
    EXPECT_EQ(v[k].number, reals[k]) << v[k].text;
    EXPECT_EQ(std::signbit(v[k].number), std::signbit(reals[k])) << v[k].text;
  }
  EXPECT_EQ(v[6].text, "-9223372036854775808");
  EXPECT_EQ(v[7].kind, Json::Kind::kNull);
  EXPECT_EQ(v[8].kind, Json::Kind::kNull);
}

TEST(JsonReader, RefusesWhatIsNotJson) {
  for (const char* bad : {"{\"a\":1,}", "[1 2]", "[01]", "[1.]", "\"a\nb\"", "{} {}", "{a:1}",
                          "[\"\\x\"]", "[nul]", "", "[-]", "[1e]"}) {
    Json v;
    EXPECT_FALSE(JsonReader(bad).read(v)) << bad;
  }
  Json v;
  EXPECT_TRUE(JsonReader(" {\"a\": [true, false, null, -0.5e+2, \"\\u00e9\"]} ").read(v));
  EXPECT_EQ(v["a"][3].number, -50);
  EXPECT_EQ(v["a"][4].text, "\xe9");
}

}  // namespace
