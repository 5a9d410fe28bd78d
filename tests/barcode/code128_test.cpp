// Code 128: expansion of code texts into symbol characters and display text, the
// modulo-103 check character and the modules of the worked examples.
#include <gtest/gtest.h>

#include <string>

#include "barcode/code128.h"
#include "barcode/eoverflow.h"
#include "encode_helpers.h"

namespace barcode {
namespace {

using test::Encoded;
using test::EncodedTextOf;
using test::ModuleString;

std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }
const std::string StartA = Byte(135), StartB = Byte(136), StartC = Byte(137), Stop = Byte(138);
const std::string SwitchA = Byte(133), SwitchB = Byte(132), SwitchC = Byte(131), FNC1 = Byte(134);
std::string Value(int v) { return Byte(32 + v); }

struct ExpandCase {
  std::string text;
  std::string encoded;
  std::string shown;
};

class Expand : public testing::TestWithParam<ExpandCase> {};

TEST_P(Expand, EncodeAndDisplayModes) {
  EXPECT_EQ(ExpandCode128(GetParam().text, false), GetParam().encoded);
  EXPECT_EQ(ExpandCode128(GetParam().text, true), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Expand,
    testing::Values(
        ExpandCase{StartB + "ABC", StartB + "ABC" + Stop, "ABC"},
        ExpandCase{StartC + "12345", StartC + Value(12) + Value(34) + SwitchA + "5" + Stop, "12345"},
        ExpandCase{StartC + "1a2", StartC + Value(10) + SwitchA + "2" + Stop, "102"},
        ExpandCase{StartC, StartC + Stop, ""},
        ExpandCase{StartA + "ab", StartA + "ab" + Stop, "  "},
        ExpandCase{StartA + "~", StartA + "~" + Stop, " "},     // above 95: not shown in set A
        ExpandCase{StartB + "~\x7f", StartB + "~\x7f" + Stop, "~ "},
        ExpandCase{"AB", "AB" + Stop, "  "},                       // no start: no set to show in
        ExpandCase{StartB + "12" + SwitchC + "34", StartB + "12" + SwitchC + Value(34) + Stop, "1234"},
        // A digit waiting for its pair survives a switch and pairs on return to set C ...
        ExpandCase{StartC + "1" + SwitchB + "x" + SwitchC + "2",
                   StartC + SwitchB + "x" + SwitchC + Value(12) + Stop, "x12"},
        // ... and is lost when the text ends in another set.
        ExpandCase{StartC + "1" + SwitchA + "A", StartC + SwitchA + "A" + Stop, "A"},
        ExpandCase{StartC + FNC1 + "12", StartC + FNC1 + Value(12) + Stop, " 12"},
        ExpandCase{StartC + "1" + FNC1, StartC + Value(10) + Stop, "10"},  // FNC1 as second digit
        ExpandCase{StartC + SwitchC, StartC + SwitchC + Stop, " "},        // the data pair 99
        ExpandCase{StartB + SwitchB, StartB + SwitchB + Stop, " "},        // FNC4 in set B
        ExpandCase{StartA + SwitchA + SwitchB + "a", StartA + SwitchA + SwitchB + "a" + Stop, " a"}));

struct SymbolCase {
  btCodeTypes type;
  std::string caption;
  std::string encoded;  // start, data, check, stop
  int moduleCount;
};

class Code128Symbol : public testing::TestWithParam<SymbolCase> {};

TEST_P(Code128Symbol, CarriesItsCheckCharacter) {
  TLLBarcode b = Encoded(GetParam().type, GetParam().caption);
  EXPECT_EQ(EncodedTextOf(b), GetParam().encoded);
  EXPECT_EQ(b.ModuleCount, GetParam().moduleCount);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Code128Symbol,
    testing::Values(
        SymbolCase{CODE128_B, "ABC", StartB + "ABC" + Value(1) + Stop, 68},
        SymbolCase{CODE128_C, "12345", StartC + Value(12) + Value(34) + SwitchA + Value(21) + Value(57) + Stop, 79},
        SymbolCase{CODE128_C, "1a2", StartC + Value(10) + SwitchA + Value(18) + Value(62) + Stop, 68},
        SymbolCase{CODE128_C, "", StartC + Value(2) + Stop, 35},
        SymbolCase{CODE128_A, "ab", StartA + Value(65) + Value(66) + Value(94) + Stop, 57},
        SymbolCase{CODE128_C, "\x01" "5", StartC + Value(5) + Value(7) + Stop, 46},  // a control byte is "0"
        // The longest expansion: a digit left over in set C after 50 characters gives
        // 51 data characters, 54 symbol characters in all.
        SymbolCase{CODE128_C, "1" + SwitchA + std::string(47, 'X') + SwitchC,
                   StartC + SwitchA + std::string(47, 'X') + SwitchC + SwitchA + "1" + Value(39) + Stop,
                   54 * 11 + 2}));

TEST(Code128Symbol, ModulesOfABC) {
  EXPECT_EQ(ModuleString(Encoded(CODE128_B, "ABC")),
            "11010010000"   // start B
            "10100011000"   // A
            "10001011000"   // B
            "10001000110"   // C
            "11001101100"   // check value 1
            "1100011101011");  // stop with its final bar
}

TEST(Code128Symbol, DisplayTextComesFromStartByteAndCodeText) {
  TLLBarcode b = Encoded(CODE128_C, "1a2");
  EXPECT_EQ(ExpandCode128(Byte(static_cast<unsigned char>(b.EncodedText[0])) + b.Params.Caption, true), "102");
}

TEST(Code128Symbol, BytesOutsideTheSymbolSetFailInSetsAAndB) {
  for (btCodeTypes type : {CODE128_A, CODE128_B}) {
    for (const char* caption : {"A\x01", "\x1f", "x\x8b", "\xff"}) {
      TLLBarcode b;
      b.Params.CodeType = type;
      test::SetText(b.Params.Caption, caption);
      try {
        b.Encode();
        ADD_FAILURE() << "no error for type " << int(type);
      } catch (const EOverflow& e) {
        EXPECT_STREQ(e.what(), "BarcoLL: Code128 error");
      }
    }
  }
  EXPECT_EQ(Encoded(CODE128_C, "A\x01").ModuleCount, 46);
}

TEST(Code128Table, HoldsBytes32To138) {
  const TBarCode128& table = Code128Table();
  EXPECT_EQ(table.Count(), 107);
  EXPECT_EQ(table.IndexOf(' '), 0);
  EXPECT_EQ(table.IndexOf(static_cast<char>(138)), 106);
  EXPECT_FALSE(table.Contains(static_cast<char>(31)));
  EXPECT_FALSE(table.Contains(static_cast<char>(139)));
}

}  // namespace
}  // namespace barcode
