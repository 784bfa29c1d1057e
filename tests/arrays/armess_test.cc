// ARMESS: texts printed on a unit, and the message store.
#include "arrays/armess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arrays_test.h"
#include "io/text.h"

namespace {

using arrays_test::ArraysTest;

class Armess : public ArraysTest {
 protected:
  void SetUp() override {
    ArraysTest::SetUp();
    store.assign(200, 0);
    arrays::prepare_message_store(store);
  }

  void keep(int32_t code, std::string_view message) {
    io::Text<256> t(message);
    arrays::ARMESS(store, code, t.span(), "Store");
  }
  std::string fetch(std::size_t length) {
    std::string t(length, '#');
    arrays::ARMESS(store, 0, t, "Fetch");
    return t;
  }
  int32_t word(int k) const { return store[static_cast<std::size_t>(k - 1)]; }

  std::vector<int32_t> store;
};

TEST_F(Armess, PrintsTheTextUpToItsLastNonBlankAsOneRecord) {
  int32_t unit = arrays_test::kMsg;
  io::Text<256> t("*** ERROR IN ARRECL ***\nUnknown Instruction      : X");
  arrays::ARMESS(std::span(&unit, 1), -1, t.span(), "Store");
  io::Text<256> blank;
  arrays::ARMESS(std::span(&unit, 1), -1, blank.span(), "whatever");
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "*** ERROR IN ARRECL ***\nUnknown Instruction      : X", ""}));
}

TEST_F(Armess, StoresAnErrorAndAppendsTheNextOne) {
  EXPECT_EQ(word(1), arrays::kMessageStore);
  keep(-1, "first");
  EXPECT_EQ(word(3), -1);
  EXPECT_EQ(word(4), 11);
  EXPECT_EQ(word(5), 17);
  EXPECT_EQ(word(11), 'f');
  EXPECT_EQ(word(15), 't');
  EXPECT_EQ(word(16), 0);
  EXPECT_EQ(word(17), ' ');
  EXPECT_EQ(word(199), ' ');
  EXPECT_EQ(word(200), 0);
  keep(-5, "second");
  EXPECT_EQ(word(16), '\n');
  EXPECT_EQ(word(23), 0);
  EXPECT_EQ(word(5), 24);
  EXPECT_EQ(word(3), -1);
  // A notice does not bury a held error; a code of 0 stores nothing.
  keep(4, "notice");
  keep(0, "nothing");
  EXPECT_EQ(word(5), 24);
  EXPECT_EQ(fetch(20), "first\nsecond #######");
  EXPECT_EQ(fetch(3), "fir");
}

TEST_F(Armess, AnErrorReplacesHeldNoticesAndTooLongTextsAreCut) {
  keep(2, "note");
  keep(3, "more");
  EXPECT_EQ(fetch(10), "note\nmore ");
  keep(-1, "bad");
  EXPECT_EQ(word(3), -1);
  EXPECT_EQ(fetch(10), "bad ######");
  EXPECT_EQ(word(16), ' ') << "the earlier text is blanked";

  arrays::prepare_message_store(store);
  keep(-1, std::string(200, 'x'));
  EXPECT_EQ(word(3), -103);
  EXPECT_EQ(word(11), 'x');
  EXPECT_EQ(word(199), 'x');
  EXPECT_EQ(word(200), 0);
}

TEST_F(Armess, AStoreThatIsNotOneIsLeftAlone) {
  const std::vector<int32_t> before = store;
  store[0] = 0;  // not the store mark
  keep(-1, "x");
  store[0] = arrays::kMessageStore;
  store[1] = 100;  // too small
  keep(-1, "x");
  store[1] = 500;  // larger than the span
  keep(-1, "x");
  store[1] = 200;
  store[4] = 5000;  // next word outside the store
  keep(-1, "x");
  store[4] = 11;
  EXPECT_EQ(store, before);
  std::vector<int32_t> empty;
  io::Text<4> t("x");
  arrays::ARMESS(empty, -1, t.span(), "S");
  EXPECT_TRUE(messages().empty());
}

}  // namespace
