// Code 39, interleaved 2 of 5 (plain and freight-post), Codabar and MSI at both
// wide:narrow ratios. Expected modules are written at 2:1 from the published tables;
// the 3:1 form is the same symbol with every wide element one module wider.
#include <gtest/gtest.h>

#include <string>

#include "barcode/codabar.h"
#include "barcode/code25.h"
#include "encode_helpers.h"

namespace barcode {
namespace {

using test::Encoded;
using test::EncodedTextOf;
using test::ModuleString;
using test::WidenedTo3;

struct SymbolCase {
  btCodeTypes type;
  const char* caption;
  const char* encoded;
  const char* modules2;  // at Ratio_2
};

class WideNarrowSymbol : public testing::TestWithParam<SymbolCase> {};

TEST_P(WideNarrowSymbol, EncodesAtBothRatios) {
  const SymbolCase& c = GetParam();
  TLLBarcode ratio2 = Encoded(c.type, c.caption, Ratio_2);
  EXPECT_EQ(EncodedTextOf(ratio2), c.encoded);
  EXPECT_EQ(ModuleString(ratio2), c.modules2);
  TLLBarcode ratio3 = Encoded(c.type, c.caption, Ratio_3);
  EXPECT_EQ(ModuleString(ratio3), WidenedTo3(c.modules2));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WideNarrowSymbol,
    testing::Values(
        SymbolCase{CODE39, "abc-1", "*ABC-1*",
                   "1001011011010" "1101010010110" "1011010010110" "1101101001010"  // * A B C
                   "1001010110110" "1101001010110" "1001011011010"},                 // - 1 *
        SymbolCase{CODE39, "A*B", "*A*B*",  // a typed star is the start/stop pattern
                   "1001011011010" "1101010010110" "1001011011010" "1011010010110" "1001011011010"},
        SymbolCase{CODE39, "_", "*0*", "1001011011010" "1010011011010" "1001011011010"},
        SymbolCase{CODE25i, "1234", "1234",
                   "1010" "11010010101100" "11011010010100" "1101"},  // start, pairs 12 and 34, stop
        SymbolCase{CODE25i, "", "", "1010" "1101"},
        SymbolCase{Codabar, "12", "A12A",
                   "10110010010" "1010110010" "1010010110" "10110010010"},
        SymbolCase{MSI_Plessey, "1", "18",
                   "110" "100100100110" "110100100100" "100100"}));  // start, 0001, 1000, stop

TEST(Code39, ModuleCountsOfAbc1) {
  EXPECT_EQ(Encoded(CODE39, "abc-1", Ratio_3).ModuleCount, 112);
  EXPECT_EQ(Encoded(CODE39, "abc-1", Ratio_2).ModuleCount, 91);
}

// Any ratio byte other than Ratio_2 is drawn as the default 3:1.
TEST(Code39, UnknownRatioCountsAsThreeToOne) {
  EXPECT_EQ(ModuleString(Encoded(CODE39, "AB", static_cast<btCodeRatio>(7))),
            ModuleString(Encoded(CODE39, "AB", Ratio_3)));
}

TEST(Code25, OddCountGetsTheCheckDigit) {
  TLLBarcode b = Encoded(CODE25i, "123", Ratio_3);
  EXPECT_EQ(EncodedTextOf(b), "1236");
  EXPECT_EQ(b.ModuleCount, 45);
  EXPECT_EQ(Encoded(CODE25i, "1234", Ratio_3).ModuleCount, 45);
  EXPECT_EQ(Encoded(CODE25i, "", Ratio_3).ModuleCount, 9);
  EXPECT_EQ(Encoded(CODE25i, "12x", Ratio_3).EncodedText, std::string("1205"));
}

TEST(Code25, LongestTextFillsItsElementScratch) {
  TLLBarcode b = Encoded(CODE25iP, std::string(50, '7'), Ratio_3);
  EXPECT_EQ(EncodedTextOf(b), std::string(50, '7'));
  EXPECT_EQ(b.ModuleCount, 9 * 50 + 9);
}

TEST(Frachtpost, CheckDigitUsesWeights4And9) {
  EXPECT_EQ(EncodedTextOf(Encoded(CODE25iP, "1234567890123")), "12345678901236");
  EXPECT_EQ(EncodedTextOf(Encoded(CODE25iP, "12345678901")), "123456789016");
  EXPECT_EQ(EncodedTextOf(Encoded(CODE25iP, "1")), "16");
}

struct DisplayCase {
  const char* encoded;
  int identSplit;
  const char* shown;
};

class FrachtpostDisplay : public testing::TestWithParam<DisplayCase> {};

TEST_P(FrachtpostDisplay, GroupsTheText) {
  TLLBarcode b;
  b.Params.IdentSplit = GetParam().identSplit;
  TEncodedText text;
  test::SetText(text, GetParam().encoded);
  FormatFrachtpostText(b, text);
  EXPECT_STREQ(text, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FrachtpostDisplay,
    testing::Values(DisplayCase{"12345678901236", 7, "12345.678.901.23   6"},
                    DisplayCase{"123456789016", 7, "12.34567   8901   6"},
                    DisplayCase{"1234567890", 7, "1234567890"},
                    DisplayCase{"", 7, ""},
                    // A split outside the text is held inside it instead of reading past it.
                    DisplayCase{"123456789016", 0, "12.   345678901   6"},
                    DisplayCase{"123456789016", 99, "12.345678901      6"}));

struct CodabarCase {
  const char* source;
  const char* prepared;
};

class CodabarPreparation : public testing::TestWithParam<CodabarCase> {};

TEST_P(CodabarPreparation, FramesWithStartAndStopLetters) {
  TCaption source;
  test::SetText(source, GetParam().source);
  TEncodedText prepared;
  PrepareCodabar(source, prepared);
  EXPECT_STREQ(prepared, GetParam().prepared);
}

INSTANTIATE_TEST_SUITE_P(Examples, CodabarPreparation,
                         testing::Values(CodabarCase{"", "AA"}, CodabarCase{"5", "A5A"},
                                         CodabarCase{"a12b", "A12B"}, CodabarCase{"12A34", "A12034A"},
                                         CodabarCase{"X12", "A12A"}, CodabarCase{"A12A34A", "A12034A"},
                                         CodabarCase{"1X", "A1A"}, CodabarCase{"c", "CA"},
                                         CodabarCase{"$-:/.+", "A$-:/.+A"}));

TEST(Codabar, CodeTextReadsBackUpperCased) {
  TLLBarcode b = Encoded(Codabar, "b12c");
  EXPECT_STREQ(b.Params.Caption, "B12C");
  EXPECT_EQ(EncodedTextOf(b), "B12C");
}

TEST(Codabar, ModuleCountFollowsTheWideElementsOfEachCharacter) {
  // A and B have 3 wide elements, digits 2: (4 + 3w + 1) x 2 + (5 + 2w + 1) x 2.
  EXPECT_EQ(Encoded(Codabar, "B12A", Ratio_3).ModuleCount, 2 * 14 + 2 * 12);
  EXPECT_EQ(Encoded(Codabar, "B12A", Ratio_2).ModuleCount, 2 * 11 + 2 * 10);
  EXPECT_EQ(Encoded(Codabar, "", Ratio_3).ModuleCount, 28);
}

struct MSICase {
  std::string digits;
  char check;  // worked by hand
};

class MSICheckDigit : public testing::TestWithParam<MSICase> {};

TEST_P(MSICheckDigit, IsTheModulo10OfTheDoubledOddPositions) {
  TLLBarcode b = Encoded(MSI_Plessey, GetParam().digits);
  EXPECT_EQ(EncodedTextOf(b), GetParam().digits + GetParam().check);
}

INSTANTIATE_TEST_SUITE_P(Examples, MSICheckDigit,
                         testing::Values(MSICase{"1234567", '4'}, MSICase{"1234", '4'}, MSICase{"", '0'},
                                         MSICase{"80", '2'}, MSICase{std::string(49, '1'), '6'},
                                         MSICase{std::string(50, '9'), '0'}));

// Texts of 49 and 50 typed digits need more than 200 bits and are encoded in full.
TEST(MSI, ModuleCountIsFourBitsPerDigitPlusStartAndStop) {
  EXPECT_EQ(Encoded(MSI_Plessey, "1234567", Ratio_2).ModuleCount, 35 * 3);
  EXPECT_EQ(Encoded(MSI_Plessey, std::string(48, '5'), Ratio_3).ModuleCount, 199 * 4);
  EXPECT_EQ(Encoded(MSI_Plessey, std::string(49, '5'), Ratio_3).ModuleCount, 203 * 4);
  TLLBarcode longest = Encoded(MSI_Plessey, std::string(50, '8'), Ratio_3);
  EXPECT_EQ(longest.ModuleCount, 207 * 4);
  // The last data digit is the check digit; its bits end just before the stop bits.
  char check = longest.EncodedText[50];
  std::string lastDigit = ModuleString(longest).substr(828 - 8 - 16, 16);
  std::string expected;
  for (int bit = 3; bit >= 0; --bit) expected += ((check - '0') >> bit) & 1 ? "1110" : "1000";
  EXPECT_EQ(lastDigit, expected);
  EXPECT_EQ(ModuleString(longest).substr(820), "10001000");
}

}  // namespace
}  // namespace barcode
