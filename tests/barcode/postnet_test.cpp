// Postnet and the Facing Identification Marks.
#include <gtest/gtest.h>

#include "encode_helpers.h"

namespace barcode {
namespace {

using test::Encoded;
using test::EncodedTextOf;
using test::ModuleString;

struct PostnetCase {
  const char* caption;
  const char* encoded;
  int bars;
};

class PostnetText : public testing::TestWithParam<PostnetCase> {};

TEST_P(PostnetText, IsCutTo5Or9Or11DigitsWithCheckDigit) {
  TLLBarcode b = Encoded(Postnet, GetParam().caption);
  EXPECT_EQ(EncodedTextOf(b), GetParam().encoded);
  EXPECT_EQ(b.ModuleCount, GetParam().bars);
  EXPECT_EQ(b.Modules[0], 1);
  EXPECT_EQ(b.Modules[b.ModuleCount - 1], 1);
}

INSTANTIATE_TEST_SUITE_P(Examples, PostnetText,
                         testing::Values(PostnetCase{"12345", "123455", 32},
                                         PostnetCase{"1234567", "123455", 32},
                                         PostnetCase{"12345678", "123455", 32},
                                         PostnetCase{"123456789", "1234567895", 52},
                                         PostnetCase{"1234567890", "1234567895", 52},
                                         PostnetCase{"12345678901", "123456789014", 62},
                                         PostnetCase{"1234567890123", "123456789014", 62},
                                         PostnetCase{"", "000000", 32},
                                         PostnetCase{"12a", "120007", 32}));

TEST(Postnet, BarsOf12345) {
  EXPECT_EQ(ModuleString(Encoded(Postnet, "12345")),
            "1"
            "00011" "00101" "00110" "01001" "01010"  // 1 2 3 4 5
            "01010"                                  // check digit 5
            "1");
}

struct FIMCase {
  const char* caption;
  const char* name;
  const char* bars;
};

class FIM : public testing::TestWithParam<FIMCase> {};

TEST_P(FIM, FirstLetterChoosesTheMark) {
  TLLBarcode b = Encoded(Postnet_FIM, GetParam().caption);
  EXPECT_EQ(EncodedTextOf(b), GetParam().name);
  EXPECT_EQ(ModuleString(b), GetParam().bars);
}

INSTANTIATE_TEST_SUITE_P(Examples, FIM,
                         testing::Values(FIMCase{"a", "FIM-A", "110010011"}, FIMCase{"A", "FIM-A", "110010011"},
                                         FIMCase{"b", "FIM-B", "101101101"}, FIMCase{"Ba", "FIM-B", "101101101"},
                                         FIMCase{"c", "FIM-C", "110101011"}, FIMCase{"1", "FIM-C", "110101011"},
                                         FIMCase{"", "FIM-C", "110101011"}, FIMCase{"xA", "FIM-C", "110101011"}));

}  // namespace
}  // namespace barcode
