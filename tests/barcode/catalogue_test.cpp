// The parameter record, module widths, the dispatch of Encode and the error vocabulary.
#include <gtest/gtest.h>

#include <cstring>

#include "barcode/eoverflow.h"
#include "barcode/msi.h"
#include "barcode/textprep.h"
#include "encode_helpers.h"

namespace barcode {
namespace {

using test::Encoded;
using test::EncodedTextOf;
using test::ModuleString;

TEST(BarcodeParams, DefaultsAreThoseTheControlStartsWith) {
  TBarcodeParams p;
  EXPECT_STREQ(p.Caption, "4711");
  EXPECT_STREQ(p.CodeAddon, "");
  EXPECT_EQ(p.CodeType, EAN_8);
  EXPECT_EQ(p.ModuleWidth, SC2);
  EXPECT_EQ(p.Ratio, Ratio_3);
  EXPECT_EQ(p.HeightPercent, 100);
  EXPECT_EQ(p.Fontname, "Arial");
  EXPECT_EQ(p.Fontscaling, 100);
  EXPECT_FALSE(p.WidthReduce);
  EXPECT_FALSE(p.HighDensity);
  EXPECT_FALSE(p.ZoomSize);
  EXPECT_EQ(p.Rotation, rotate_000);
  EXPECT_TRUE(p.HumanReadable);
  EXPECT_EQ(p.IdentSplit, 7);
}

TEST(BarcodeParams, DefaultParametersEncodeAsEAN8Of4711) {
  TLLBarcode barcode;
  barcode.Encode();
  EXPECT_EQ(EncodedTextOf(barcode), "47110007");
  EXPECT_EQ(barcode.ModuleCount, 67);
  EXPECT_EQ(ModuleString(barcode),
            "101"
            "0100011" "0111011" "0011001" "0011001"  // 4 7 1 1 in set A
            "01010"
            "1110010" "1110010" "1110010" "1000100"  // 0 0 0 7 in set C
            "101");
}

struct ModuleWidthCase {
  int stored;
  bool highDensity;
  double mm;
};

class ModuleWidth : public testing::TestWithParam<ModuleWidthCase> {};

TEST_P(ModuleWidth, MapsClassToMillimetres) {
  TLLBarcode barcode;
  barcode.Params.ModuleWidth = static_cast<btCodeSizes>(GetParam().stored);
  barcode.Params.HighDensity = GetParam().highDensity;
  EXPECT_DOUBLE_EQ(barcode.ModuleWidthMM(), GetParam().mm);
}

INSTANTIATE_TEST_SUITE_P(AllClasses, ModuleWidth,
                         testing::Values(ModuleWidthCase{0, false, 0.27}, ModuleWidthCase{1, false, 0.297},
                                         ModuleWidthCase{2, false, 0.33}, ModuleWidthCase{3, false, 0.363},
                                         ModuleWidthCase{4, false, 0.396}, ModuleWidthCase{5, false, 0.445},
                                         ModuleWidthCase{6, false, 0.495}, ModuleWidthCase{7, false, 0.544},
                                         ModuleWidthCase{8, false, 0.61}, ModuleWidthCase{9, false, 0.66},
                                         ModuleWidthCase{9, true, 0.33}, ModuleWidthCase{0, true, 0.135},
                                         ModuleWidthCase{10, false, 0.33}, ModuleWidthCase{255, false, 0.33},
                                         ModuleWidthCase{10, true, 0.165}));

std::string MessageOf(TLLBarcode& barcode) {
  try {
    barcode.Encode();
  } catch (const EOverflow& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(EncodeErrors, TypesBeyondThe14AreUnknown) {
  for (int type : {14, 15, 128, 255}) {
    TLLBarcode barcode;
    barcode.Params.CodeType = static_cast<btCodeTypes>(type);
    EXPECT_EQ(MessageOf(barcode), "Barcode: Unknown Type of Barcode") << type;
    EXPECT_EQ(barcode.ModuleCount, 0);
  }
}

TEST(EncodeErrors, AddonMustBeEmptyTwoOrFiveDigits) {
  for (btCodeTypes type : {EAN_13, UPC_A}) {
    for (const char* addon : {"1", "123", "1234", "1a", "12 45", "-1234"}) {
      TLLBarcode barcode;
      barcode.Params.CodeType = type;
      test::SetText(barcode.Params.CodeAddon, addon);
      EXPECT_EQ(MessageOf(barcode), "BarLL: Wrong Addoncode") << addon;
      EXPECT_EQ(barcode.ModuleCount, 0);
      EXPECT_EQ(ModuleString(barcode), "");
    }
  }
}

TEST(EncodeErrors, AddonWithoutTerminatorIsRefused) {
  TLLBarcode barcode;
  barcode.Params.CodeType = EAN_13;
  std::memset(barcode.Params.CodeAddon, '5', sizeof barcode.Params.CodeAddon);
  EXPECT_EQ(MessageOf(barcode), "BarLL: Wrong Addoncode");
}

TEST(EncodeErrors, AddonIsIgnoredByOtherSymbologies) {
  for (btCodeTypes type : {EAN_8, UPC_E, CODE39, CODE25i, CODE128_B, MSI_Plessey, Codabar, Postnet}) {
    TLLBarcode plain = Encoded(type, "123456");
    for (const char* addon : {"12345", "12", "1", "abc"}) {
      TLLBarcode withAddon = Encoded(type, "123456", Ratio_3, addon);
      EXPECT_EQ(ModuleString(withAddon), ModuleString(plain)) << int(type) << " " << addon;
    }
  }
}

TEST(EncodeErrors, CheckDigitRoutinesRefuseOtherTypes) {
  TEncodedText text = "123";
  try {
    AddProofchar(text, CODE39);
    FAIL() << "no error";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "BarcoLL: No check char with this barcode type");
  }
  try {
    AddMSIProofchar(text, EAN_13);
    FAIL() << "no error";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "Wrong barcode type in procedure AddMSIProofchar");
  }
  EXPECT_STREQ(text, "123");
}

TEST(EncodeErrors, NextEncodeStartsAfresh) {
  TLLBarcode barcode;
  barcode.Params.CodeType = CODE39;
  test::SetText(barcode.Params.Caption, "LONG TEXT WITH MANY MODULES");
  barcode.Encode();
  barcode.Params.CodeType = CODE128_B;
  test::SetText(barcode.Params.Caption, "a\x01");
  EXPECT_EQ(MessageOf(barcode), "BarcoLL: Code128 error");
  barcode.Params.CodeType = EAN_8;
  test::SetText(barcode.Params.Caption, "4711");
  barcode.Encode();
  TLLBarcode fresh;
  fresh.Encode();
  EXPECT_EQ(EncodedTextOf(barcode), EncodedTextOf(fresh));
  EXPECT_EQ(barcode.ModuleCount, fresh.ModuleCount);
  EXPECT_EQ(std::memcmp(barcode.Modules, fresh.Modules, sizeof fresh.Modules), 0);
}

// The control accepts 50 characters; text beyond that in the record (up to its capacity,
// or without a terminator at all) is not read, so no symbol outgrows the module array.
TEST(EncodeLimits, CodeTextIsReadUpTo50Characters) {
  TLLBarcode barcode;
  barcode.Params.CodeType = CODE39;
  std::memset(barcode.Params.Caption, 'W', sizeof barcode.Params.Caption);
  barcode.Encode();
  EXPECT_EQ(EncodedTextOf(barcode), "*" + std::string(50, 'W') + "*");
  EXPECT_EQ(barcode.ModuleCount, 52 * 16);
}

}  // namespace
}  // namespace barcode
