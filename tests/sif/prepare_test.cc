#include "sif/prepare.h"

#include <gtest/gtest.h>

#include <vector>

#include "sif/elements.h"
#include "support.h"

namespace {

using sif_test::parse_sif;
using V = std::vector<double>;

class Prepare : public sif_test::SifFile {
 protected:
  std::vector<int32_t> values(io::IntView v) {
    std::vector<int32_t> out;
    for (int64_t k = 1; k <= v.size(); ++k) out.push_back(v(k));
    return out;
  }
  // The element arrays the preparation changes.
  static sif::Model elements(int32_t nel, io::IntView meltyp, io::IntView melmat,
                             io::IntView melgeo) {
    sif::Model m;
    m.nel = nel, m.meltyp = meltyp, m.melmat = melmat, m.melgeo = melgeo;
    return m;
  }
};

TEST_F(Prepare, MapsElementTypesWithTheirMaterialAndSection) {
  io::IntView meltyp = arrays.ints({48, 481, 49, 491, 18, 15, 4810});
  io::IntView melmat = arrays.ints({7, 7, 7, 7, 7, 7, 7});
  io::IntView melgeo = arrays.ints({3, 3, 3, 3, 3, 3, 3});
  int32_t istat = 0;
  sif::Model m = elements(7, meltyp, melmat, melgeo);
  sif::WSIF_CHG_MODEL(m, kUnit, istat);
  EXPECT_EQ(istat, 0);
  EXPECT_EQ(values(meltyp), (std::vector<int32_t>{18, 18, 16, 16, 18, 15, 4810}));
  EXPECT_EQ(values(melmat), (std::vector<int32_t>{1, 1, 1, 1, 7, 7, 7}));
  EXPECT_EQ(values(melgeo), (std::vector<int32_t>{3, 3, 1, 1, 3, 3, 3}));
}

TEST_F(Prepare, MappedElementsAreWrittenWithTheirNewReferences) {
  // Element 1 of type 481 with material 7, element 2 of type 49.
  io::IntView meltyp = arrays.ints({481, 49});
  io::IntView melmat = arrays.ints({7, 7});
  io::IntView melgeo = arrays.ints({2, 2});
  const io::IntView mpmnpc = arrays.ints({1, 3, 5});
  int32_t istat = 0;
  sif::Model m = elements(2, meltyp, melmat, melgeo);
  sif::WSIF_CHG_MODEL(m, kUnit, istat);
  sif::WSIF_GELMNT1(2, 3, arrays.ints({1, 2, 2, 3}), mpmnpc, arrays.ints({11, 12}), meltyp, kUnit,
                    istat);
  sif::WSIF_GELREF1(2, mpmnpc, melgeo, melmat, arrays.ints({0, 0, 0, 0}), arrays.ints({0, 0}),
                    arrays.ints({31, 32, 33, 34, 35, 36, 37}), arrays.ints({41, 42}), {}, {}, kUnit,
                    istat);
  EXPECT_EQ(istat, 0);
  const auto r = parse_sif(text());
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].values[2], 18.0);
  EXPECT_EQ(r[1].values[2], 16.0);
  EXPECT_EQ(r[2].values, (V{1, 31, 0, 0, 0, 0, 0, 0, 42, 0, 0, 0}));
  EXPECT_EQ(r[3].values, (V{2, 31, 0, 0, 0, 0, 0, 0, 41, 0, 0, 0}));
}

TEST_F(Prepare, ArraysShorterThanTheElementCountChangeNothing) {
  io::IntView meltyp = arrays.ints({48, 48});
  io::IntView melmat = arrays.ints({7, 7});
  io::IntView melgeo = arrays.ints({3});
  int32_t istat = 0;
  sif::Model m = elements(2, meltyp, melmat, melgeo);
  sif::WSIF_CHG_MODEL(m, kUnit, istat);
  EXPECT_EQ(istat, -1);
  EXPECT_EQ(values(meltyp), (std::vector<int32_t>{48, 48}));
  EXPECT_EQ(values(melmat), (std::vector<int32_t>{7, 7}));
  EXPECT_EQ(text(),
            "\r\n  *** ERROR IN WSIF_CHG_MODEL ***\r\n"
            "    INDEX           2 OUT OF RANGE IN MELGEO FOR ELEMENT         2\r\n");
}

}  // namespace
