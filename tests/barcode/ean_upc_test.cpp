// EAN-8, EAN-13, UPC-A, UPC-E and their add-ons: prepared texts, check digits and the
// modules of the worked examples, written out from the published number sets.
#include <gtest/gtest.h>

#include "barcode/ean_upc.h"
#include "barcode/eoverflow.h"
#include "encode_helpers.h"

namespace barcode {
namespace {

using test::Encoded;
using test::EncodedTextOf;
using test::ModuleString;

struct PreparedCase {
  btCodeTypes type;
  const char* caption;
  const char* encoded;
};

class EANPreparedText : public testing::TestWithParam<PreparedCase> {};

TEST_P(EANPreparedText, IsCutOrPaddedAndGetsItsCheckDigit) {
  EXPECT_EQ(EncodedTextOf(Encoded(GetParam().type, GetParam().caption)), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, EANPreparedText,
    testing::Values(PreparedCase{EAN_13, "", "0000000000000"},
                    PreparedCase{EAN_13, "4006381333931", "4006381333931"},  // typed check digit recomputed
                    PreparedCase{EAN_13, "400638133393", "4006381333931"},
                    PreparedCase{EAN_13, "4006381333939", "4006381333931"},  // wrong typed check digit
                    PreparedCase{EAN_13, "40063813339312345", "4006381333931"},
                    PreparedCase{EAN_8, "12a4", "12040001"},                 // letters become 0
                    PreparedCase{EAN_8, "96385074", "96385074"},
                    PreparedCase{UPC_A, "03600029145", "036000291452"},
                    PreparedCase{UPC_A, "", "000000000000"},
                    PreparedCase{UPC_E, "042100", "0421001"},
                    PreparedCase{UPC_E, "123456", "1234565"},
                    PreparedCase{UPC_E, "12", "1200003"}));

TEST(EAN13, ModulesOf4006381333931) {
  TLLBarcode b = Encoded(EAN_13, "400638133393");
  EXPECT_EQ(b.ModuleCount, 95);
  EXPECT_EQ(ModuleString(b),
            "101"
            "0001101" "0100111" "0101111" "0111101" "0001001" "0110011"  // 0A 0B 6A 3A 8B 1B (parity of 4)
            "01010"
            "1000010" "1000010" "1000010" "1110100" "1000010" "1100110"  // 3 3 3 9 3 1 in set C
            "101");
}

TEST(UPCA, EncodesLikeEAN13WithLeadingZero) {
  TLLBarcode upc = Encoded(UPC_A, "036000291452");
  TLLBarcode ean = Encoded(EAN_13, "0036000291452");
  EXPECT_EQ(upc.ModuleCount, 95);
  EXPECT_EQ(ModuleString(upc), ModuleString(ean));
}

TEST(UPCE, ModulesOf042100And123456) {
  TLLBarcode a = Encoded(UPC_E, "042100");
  EXPECT_EQ(a.ModuleCount, 51);
  EXPECT_EQ(ModuleString(a),
            "101"
            "0100111" "0011101" "0010011" "0110011" "0001101" "0001101"  // BBABAA for check digit 1
            "010101");
  TLLBarcode b = Encoded(UPC_E, "123456");
  EXPECT_EQ(ModuleString(b),
            "101"
            "0110011" "0010011" "0111101" "0011101" "0111001" "0101111"  // BAABBA for check digit 5
            "010101");
}

struct UPCECase {
  const char* upce;
  int sum;  // weighted sum of the expansion, worked by hand
};

class UPCEExpansion : public testing::TestWithParam<UPCECase> {};

TEST_P(UPCEExpansion, GivesTheWeightedSumOfTheUPCANumber) {
  EXPECT_EQ(DecodeUPCE(GetParam().upce), GetParam().sum);
}

INSTANTIATE_TEST_SUITE_P(Examples, UPCEExpansion,
                         testing::Values(UPCECase{"042100", 19},    // 00400000210
                                         UPCECase{"123456", 45},    // 01234500006
                                         UPCECase{"123450", 35},    // 01200000345
                                         UPCECase{"123453", 29},    // 01230000045
                                         UPCECase{"123454", 37},    // 01234000005
                                         UPCECase{"123459", 54}));  // 01234500009

TEST(UPCEExpansion, TooShortATextCannotBeExpanded) {
  try {
    DecodeUPCE("12345");
    FAIL() << "no error";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "Decoded legth of UPC-E code is wrong!");
  }
}

struct AddonCase {
  btCodeTypes type;
  const char* addon;
  int count;
  const char* modules;  // from module 104 on
};

class Addon : public testing::TestWithParam<AddonCase> {};

TEST_P(Addon, FollowsTheSymbolAfterALightGap) {
  TLLBarcode b = Encoded(GetParam().type, "400638133393", Ratio_3, GetParam().addon);
  EXPECT_EQ(b.ModuleCount, GetParam().count);
  EXPECT_EQ(ModuleString(b).substr(95, 9), "000000000");
  EXPECT_EQ(ModuleString(b, 104), GetParam().modules);
  TLLBarcode plain = Encoded(GetParam().type, "400638133393");
  EXPECT_EQ(ModuleString(b).substr(0, 95), ModuleString(plain));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Addon,
    testing::Values(AddonCase{EAN_13, "12", 125, "1011" "0011001" "01" "0010011" "0"},  // 12 mod 4 = 0: AA
                    AddonCase{EAN_13, "15", 125, "1011" "0110011" "01" "0111001" "0"},  // 15 mod 4 = 3: BB
                    AddonCase{UPC_A, "15", 125, "1011" "0110011" "01" "0111001" "0"},
                    // checksum (3 x 14 + 9 x 11) mod 10 = 1: BABAA
                    AddonCase{EAN_13, "52495", 152,
                              "1011" "0111001" "01" "0010011" "01" "0011101" "01" "0001011" "01" "0110001" "0"}));

}  // namespace
}  // namespace barcode
