// The barcode vocabulary: symbologies, module width classes, rotations, wide:narrow
// ratios, and the parameter record that every barcode carries.
#pragma once

#include <cstdint>
#include <string>

namespace barcode {

// Each enumeration is one byte and may hold any byte value: a control stores a type
// without a range check, so the engine must cope with values beyond the named ones.
enum btCodeTypes : uint8_t {
  EAN_8 = 0,
  EAN_13 = 1,
  UPC_A = 2,
  UPC_E = 3,
  CODE39 = 4,
  CODE25i = 5,
  CODE25iP = 6,  // interleaved 2 of 5 with the 4/9-weighted freight-post check digit
  CODE128_A = 7,
  CODE128_B = 8,
  CODE128_C = 9,
  MSI_Plessey = 10,
  Codabar = 11,
  Postnet = 12,
  Postnet_FIM = 13,
};
inline constexpr int kCodeTypeCount = 14;

enum btCodeSizes : uint8_t { SC0, SC1, SC2, SC3, SC4, SC5, SC6, SC7, SC8, SC9 };

enum btCodeRotate : uint8_t { rotate_000, rotate_090, rotate_180, rotate_270 };

enum btCodeRatio : uint8_t { Ratio_3, Ratio_2 };

// Capacities of the zero-terminated text buffers.
inline constexpr int kCaptionCapacity = 53;
inline constexpr int kMaxCodeTextLength = 50;  // the engine reads at most this many characters
inline constexpr int kCodeAddonCapacity = 6;

using TCaption = char[kCaptionCapacity];
using TCodeAddon = char[kCodeAddonCapacity];

class TBarcodeParams {
 public:
  TCaption Caption = "4711";
  TCodeAddon CodeAddon = "";
  btCodeTypes CodeType = EAN_8;
  btCodeSizes ModuleWidth = SC2;
  btCodeRatio Ratio = Ratio_3;
  int32_t HeightPercent = 100;
  std::string Fontname = "Arial";
  int32_t Fontscaling = 100;
  bool WidthReduce = false;
  bool HighDensity = false;
  bool ZoomSize = false;
  btCodeRotate Rotation = rotate_000;
  bool HumanReadable = true;
  int32_t IdentSplit = 7;  // where a 12-character freight-post text is split for display
};

// Width of a wide element in modules (a narrow one is 1). Any stored value other than
// Ratio_2 counts as the default Ratio_3.
inline int WideModules(btCodeRatio ratio) { return ratio == Ratio_2 ? 2 : 3; }

}  // namespace barcode
