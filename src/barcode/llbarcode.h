// The encoder object: turns the parameter record into the encoded text and the
// module array that the drawing renders. Encoding lives in llbarcode.cpp and one
// file per symbology family; the drawing adds its own file to this class.
#pragma once

#include <cstdint>
#include <string>

#include "barcode/barcodetypes.h"
#include "graphics/canvas.h"

namespace barcode {

// The longest encoded text is a Code 128 symbol of a 50-character code text that ends
// in set C with a digit left over: start, 51 data, check and stop characters.
inline constexpr int kMaxEncodedLength = 54;
inline constexpr int kEncodedTextCapacity = kMaxEncodedLength + 1;
inline constexpr int kWide39Capacity = 468;   // 52 Code 39 characters x 9 elements
inline constexpr int kWide25Capacity = 260;   // 50 digits x 5 elements + start and stop
inline constexpr int kModuleCapacity = 833;   // 52 Code 39 characters x 16 modules + 1

using TEncodedText = char[kEncodedTextCapacity];
using TModules = uint8_t[kModuleCapacity];

class TLLBarcode {
 public:
  TLLBarcode();

  TBarcodeParams Params;
  TEncodedText EncodedText{};
  uint8_t Wide39[kWide39Capacity]{};
  uint8_t Wide25[kWide25Capacity]{};
  TModules Modules{};
  int32_t ModuleCount = 0;

  // Rebuilds EncodedText, Modules and ModuleCount from Params; raises EOverflow.
  void Encode();
  double ModuleWidthMM() const;

  // Encodes and draws the symbol with its text on the canvas at the pixel origin
  // (x0, y0), at the canvas's resolution, and returns the drawn size (width and
  // height swapped for the quarter turns). Raises EOverflow before drawing anything,
  // also for a record it has no meaning for (the rules are in paramranges.h).
  platform::TSize DrawBarcode(platform::TCanvas& canvas, int x0, int y0);
  // The postal layout of Postnet and FIM, with fixed physical dimensions.
  platform::TSize DrawPostnet(platform::TCanvas& canvas, int x0, int y0);

 private:
  void EncodeEAN8();
  void EncodeEAN13();
  void EncodeUPCA();
  void EncodeUPCE();
  void EncodeAddon2();
  void EncodeAddon5();
  void EncodeCode39();
  void Encode25();
  void EncodeCodabar();
  void EncodeMSI();
  void EncodeCode128();
  void EncodePostnet();
  void EncodeFIM();

  void EncodeSymbol();

  // The unrotated layout (LW x LH from the origin) mapped onto the surface.
  platform::TPoint MapPoint(int x, int y, int LW, int LH, int x0, int y0) const;
  void FillRotatedRect(platform::TCanvas& canvas, const platform::TRect& rect, int LW, int LH, int x0,
                       int y0) const;
  void DrawRotatedText(platform::TCanvas& canvas, const std::string& text, int fontBase, int LW, int LH,
                       int anchorX, int anchorY, int x0, int y0) const;
};

}  // namespace barcode
