// The barcode vocabulary: symbologies, module width classes, rotations, wide:narrow
// ratios, and the parameter record that every barcode carries.
#pragma once

#include <cstdint>
#include <string>

namespace barcode {

// The vocabulary as lists of (name, ordinal), so that every enumeration of it (the
// engine's below, the barcode control's property types) is made from one source.
#define BARCODE_CODE_TYPES(X)                                                                  \
  X(EAN_8, 0)                                                                                  \
  X(EAN_13, 1)                                                                                 \
  X(UPC_A, 2)                                                                                  \
  X(UPC_E, 3)                                                                                  \
  X(CODE39, 4)                                                                                 \
  X(CODE25i, 5)                                                                                \
  X(CODE25iP, 6) /* interleaved 2 of 5 with the 4/9-weighted freight-post check digit */      \
  X(CODE128_A, 7)                                                                              \
  X(CODE128_B, 8)                                                                              \
  X(CODE128_C, 9)                                                                              \
  X(MSI_Plessey, 10)                                                                           \
  X(Codabar, 11)                                                                               \
  X(Postnet, 12)                                                                               \
  X(Postnet_FIM, 13)
#define BARCODE_CODE_SIZES(X) \
  X(SC0, 0) X(SC1, 1) X(SC2, 2) X(SC3, 3) X(SC4, 4) X(SC5, 5) X(SC6, 6) X(SC7, 7) X(SC8, 8) X(SC9, 9)
#define BARCODE_CODE_ROTATIONS(X) X(rotate_000, 0) X(rotate_090, 1) X(rotate_180, 2) X(rotate_270, 3)
#define BARCODE_CODE_RATIOS(X) X(Ratio_3, 0) X(Ratio_2, 1)
#define BARCODE_ENUMERATOR(name, value) name = value,
#define BARCODE_COUNT_ONE(name, value) +1

// Each enumeration is one byte and may hold any byte value: a control stores a type
// without a range check, so the engine must cope with values beyond the named ones.
enum btCodeTypes : uint8_t { BARCODE_CODE_TYPES(BARCODE_ENUMERATOR) };
inline constexpr int kCodeTypeCount = 0 BARCODE_CODE_TYPES(BARCODE_COUNT_ONE);

enum btCodeSizes : uint8_t { BARCODE_CODE_SIZES(BARCODE_ENUMERATOR) };

enum btCodeRotate : uint8_t { BARCODE_CODE_ROTATIONS(BARCODE_ENUMERATOR) };

enum btCodeRatio : uint8_t { BARCODE_CODE_RATIOS(BARCODE_ENUMERATOR) };

// EAN-13 and UPC-A share one layout (the 95 modules between two side margins that
// carry the outer digits), and they alone take an add-on.
inline bool HasEan13Layout(btCodeTypes type) { return type == EAN_13 || type == UPC_A; }

// The EAN/UPC family: shortened data bars with the digits beneath them.
inline bool IsEanUpc(btCodeTypes type) { return type == EAN_8 || type == EAN_13 || type == UPC_A || type == UPC_E; }

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
