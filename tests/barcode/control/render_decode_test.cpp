// Symbols drawn through the Qt canvas, at screen and printer resolutions and in all
// four rotations, read back by an independent decoder.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "rendered.h"

namespace barcode {
namespace {

struct RenderCase {
  const char* name;
  btCodeTypes type;
  const char* caption;
  const char* addon;
  ZXing::BarcodeFormat format;
  std::string expected;
};

class RenderDecode : public testing::TestWithParam<RenderCase> {};

TEST_P(RenderDecode, ReadsBackAtEveryResolutionAndRotation) {
  const RenderCase& c = GetParam();
  for (int dpi : {96, 300, 600}) {
    for (btCodeRotate rotation : {rotate_000, rotate_090, rotate_180, rotate_270}) {
      SCOPED_TRACE(std::to_string(dpi) + " dpi, rotation " + std::to_string(rotation));
      TLLBarcode barcode;
      barcode.Params.CodeType = c.type;
      std::strcpy(barcode.Params.Caption, c.caption);
      std::strcpy(barcode.Params.CodeAddon, c.addon);
      barcode.Params.Rotation = rotation;
      barcode.Params.ModuleWidth = SC4;
      QImage image = Rendered(barcode, dpi);
      EXPECT_EQ(Decoded(image, c.format, c.addon[0] != 0), c.expected);
    }
  }
}

const RenderCase kRenderCases[] = {
    {"Ean13", EAN_13, "400638133393", "", ZXing::BarcodeFormat::EAN13, "4006381333931"},
    {"Ean13AddOn5", EAN_13, "400638133393", "52495", ZXing::BarcodeFormat::EAN13, "4006381333931 52495"},
    {"Ean8", EAN_8, "4711", "", ZXing::BarcodeFormat::EAN8, "47110007"},
    {"UpcA", UPC_A, "03600029145", "", ZXing::BarcodeFormat::UPCA, "036000291452"},
    {"UpcE", UPC_E, "042100", "", ZXing::BarcodeFormat::UPCE, "00421001"},
    {"Code39", CODE39, "ABC-1", "", ZXing::BarcodeFormat::Code39, "ABC-1"},
    {"Code25i", CODE25i, "123456", "", ZXing::BarcodeFormat::ITF, "123456"},
    {"Code128B", CODE128_B, "Quorvantix Systems", "", ZXing::BarcodeFormat::Code128, "Quorvantix Systems"},
    {"Code128C", CODE128_C, "123456", "", ZXing::BarcodeFormat::Code128, "123456"},
};

INSTANTIATE_TEST_SUITE_P(Symbologies, RenderDecode, testing::ValuesIn(kRenderCases),
                         [](const testing::TestParamInfo<RenderCase>& info) { return info.param.name; });

}  // namespace
}  // namespace barcode
