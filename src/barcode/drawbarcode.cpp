// Drawing of an encoded barcode on any canvas, at the canvas's own resolution and in
// any of the four rotations, with its human-readable text. Everything is laid out
// unrotated from the origin and mapped onto the surface at the end; every call
// encodes and lays out afresh.
#include <algorithm>
#include <cstring>
#include <string>

#include "barcode/code128.h"
#include "barcode/code25.h"
#include "barcode/llbarcode.h"
#include "barcode/paramranges.h"
#include "base/intmath.h"
#include "base/screen.h"
#include "graphics/canvas.h"

namespace barcode {
namespace {

using platform::MulDiv;
using platform::Round;
using platform::TCanvas;
using platform::TRect;
using platform::TSize;

constexpr double kInchesPerMM = 0.039370078740157480;  // 1 / 25.4

// Full bar height in modules: for EAN-13 and UPC-A the guard-bar height of the nominal
// symbol (24.50 mm at 0.33 mm); every other linear symbology is drawn lower.
constexpr double kEan13BarModules = 74.24;
constexpr double kOtherBarModules = 56.24;
// EAN-13 and UPC-A carry their outer digits in side margins of this many modules.
constexpr int kEan13MarginModules = 10;
// The text's cell height as a share of the full EAN-13 bar height.
constexpr double kTextHeightShare = 0.18;
// Data bars of EAN and UPC end here (share of the full height), leaving the digits room.
constexpr double kShortBarShare = 0.917;
// Layout height of an EAN/UPC symbol with digits, in full heights, to which the digits'
// own height is added: the digits begin at the short bars' bottom, so this leaves a
// margin of 0.9336 - 0.917 of the full height below them.
constexpr double kEanHeightAboveDigits = 0.9336;
// Modules of the EAN-13 and UPC-A symbol itself, without an add-on.
constexpr int kMainSymbolModules = 95;
// The add-on begins 9 modules after the main symbol; a run starting past module 99
// belongs to it.
constexpr int kAddonRunsAfter = 99;
// Centres of the add-on digits: the middle of the 20 modules of two digits and of the
// 47 modules of five digits, from the add-on's first module 104.
constexpr int kAddon2Centre = 114;
constexpr int kAddon5Centre = 127;

// The postal layouts have fixed physical dimensions, whatever the module width class.
struct TPostalLayout {
  double BarWidthMM;
  double PitchMM;  // from one bar's left edge to the next
  double TallBarMM;
  double ShortBarMM;
  int TextFactor;  // the font base in tall-bar heights: 15.875 mm for both layouts
};
// Postnet: 0.020-inch bars, 22 bars per inch, tall 0.125 inch, short 0.050 inch.
constexpr TPostalLayout kPostnetLayout{0.508, 1.1545454545454545, 3.175, 1.27, 5};
// FIM: 1/32-inch bars at 1/16-inch pitch, 5/8 inch tall, all bars tall.
constexpr TPostalLayout kFimLayout{0.79375, 1.5875, 15.875, 15.875, 1};

// Pixels per millimetre across and down; a surface that reports no resolution is
// drawn as the screen would be, in both directions.
struct TResolution {
  double X;
  double Y;
};

TResolution ResolutionOf(const TCanvas& canvas) {
  int dpiX = canvas.LogPixelsX();
  int dpiY = canvas.LogPixelsY();
  if (dpiX == 0 || dpiY == 0) dpiX = dpiY = platform::ScreenPixelsPerInch();
  return {dpiX * kInchesPerMM, dpiY * kInchesPerMM};
}

// A block of data modules of an EAN/UPC symbol, first to last module: its bars are
// short and its digits are centred beneath it.
struct TDigitBlock {
  int First;
  int Last;
  int Centre() const { return (First + Last + 1) / 2; }  // the module boundary in its middle
};

constexpr TDigitBlock kEan8Left{3, 30}, kEan8Right{36, 63};
constexpr TDigitBlock kEan13Left{3, 44}, kEan13Right{50, 91};  // also UPC-A; UPC-E has the left one only

bool Holds(const TDigitBlock& block, int module) { return module >= block.First && module <= block.Last; }

bool IsShortBar(btCodeTypes type, int start) {
  switch (type) {
    case EAN_8:
      return Holds(kEan8Left, start) || Holds(kEan8Right, start);
    case EAN_13:
    case UPC_A:
      return Holds(kEan13Left, start) || Holds(kEan13Right, start);
    case UPC_E:
      return Holds(kEan13Left, start);
    default:
      return false;
  }
}

// The text is 18 % of the full height of an EAN-13 bar whatever the symbology.
int FontHeightFor(btCodeTypes type, int fontBase, int fontScaling) {
  if (HasEan13Layout(type)) return Round(fontBase * kTextHeightShare * fontScaling * 0.01);
  return Round(fontBase * kEan13BarModules * (1 / kOtherBarModules) * kTextHeightShare * fontScaling * 0.01);
}

// Puts the brush and the text alignment back as the caller had them, also when the
// encoding fails half-way.
class TCanvasStateGuard {
 public:
  explicit TCanvasStateGuard(TCanvas& canvas)
      : FCanvas(canvas),
        FBrushColor(canvas.Brush.Color()),
        FBrushStyle(canvas.Brush.Style()),
        FTextAlign(canvas.SetTextAlign(platform::TA_CENTER | platform::TA_TOP)) {
    canvas.Brush.SetColor(platform::clBlack);
  }
  ~TCanvasStateGuard() {
    FCanvas.Brush.SetColor(FBrushColor);
    FCanvas.Brush.SetStyle(FBrushStyle);
    FCanvas.SetTextAlign(FTextAlign);
  }
  TCanvasStateGuard(const TCanvasStateGuard&) = delete;
  TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

 private:
  TCanvas& FCanvas;
  platform::TColor FBrushColor;
  platform::TBrushStyle FBrushStyle;
  uint32_t FTextAlign;
};

// Texts are written white-backed but transparent, so only the glyphs show.
void PrepareForText(TCanvas& canvas) {
  canvas.Brush.SetColor(platform::clWhite);
  canvas.Brush.SetStyle(platform::bsClear);
  canvas.SetBkColor(platform::clWhite);
  canvas.SetBkMode(platform::TRANSPARENT);
}

TSize RotatedSize(btCodeRotate rotation, int width, int height) {
  if (rotation == rotate_090 || rotation == rotate_270) return {height, width};
  return {width, height};
}

// Characters first..last (1-based, inclusive) of a zero-terminated text.
std::string Piece(const char* text, int first, int last) {
  std::string all(text);
  if (first > static_cast<int>(all.size())) return {};
  return all.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1));
}

// The code text as the engine reads it: at most 50 characters.
std::string CaptionText(const TBarcodeParams& params) {
  return std::string(params.Caption, strnlen(params.Caption, kMaxCodeTextLength));
}

}  // namespace

platform::TPoint TLLBarcode::MapPoint(int x, int y, int LW, int LH, int x0, int y0) const {
  switch (Params.Rotation) {
    case rotate_090:
      return {x0 + (y - y0), y0 + LW - (x - x0)};
    case rotate_180:
      return {x0 + LW - (x - x0), y0 + LH - (y - y0)};
    case rotate_270:
      return {x0 + LH - (y - y0), y0 + (x - x0)};
    default:
      return {x, y};
  }
}

void TLLBarcode::FillRotatedRect(TCanvas& canvas, const TRect& rect, int LW, int LH, int x0, int y0) const {
  platform::TPoint a = MapPoint(rect.Left, rect.Top, LW, LH, x0, y0);
  platform::TPoint b = MapPoint(rect.Right, rect.Bottom, LW, LH, x0, y0);
  canvas.FillRect(TRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)});
}

void TLLBarcode::DrawRotatedText(TCanvas& canvas, const std::string& text, int fontBase, int LW, int LH,
                                 int anchorX, int anchorY, int x0, int y0) const {
  static constexpr int kEscapement[] = {0, 900, 1800, 2700};
  platform::TLogFont logFont{};
  platform::SetFaceName(logFont, Params.Fontname);
  logFont.lfHeight = FontHeightFor(Params.CodeType, fontBase, Params.Fontscaling);
  logFont.lfEscapement = kEscapement[Params.Rotation];  // checked at the start of the drawing

  platform::HFONT font = canvas.CreateFontIndirect(logFont);
  platform::HGDIOBJ previous = canvas.SelectObject(font);
  canvas.SetTextAlign(platform::TA_CENTER | platform::TA_TOP);
  platform::TPoint at = MapPoint(anchorX, anchorY, LW, LH, x0, y0);
  canvas.TextOut(at.X, at.Y, text);
  canvas.SelectObject(previous);
  canvas.DeleteObject(font);
}

TSize TLLBarcode::DrawBarcode(TCanvas& canvas, int x0, int y0) {
  const btCodeTypes type = Params.CodeType;
  if (type == Postnet || type == Postnet_FIM) return DrawPostnet(canvas, x0, y0);
  CheckDrawableParams(Params, false);

  const TResolution perMM = ResolutionOf(canvas);
  TCanvasStateGuard restore(canvas);
  Encode();

  // Module width and heights. Without zoom the height follows the rounding of the
  // module width, so the symbol keeps its proportions.
  const bool ean13Layout = HasEan13Layout(type);
  const double moduleMM = ModuleWidthMM();                              // w
  int modulePx = Round(moduleMM * perMM.X);                             // p
  if (modulePx == 0) modulePx = 1;
  const double barModules = ean13Layout ? kEan13BarModules : kOtherBarModules;  // hf
  const int margin = ean13Layout ? kEan13MarginModules * modulePx : 0;  // M
  const bool zoom = Params.ZoomSize;
  const int fullHeight = zoom ? Round(barModules * moduleMM * perMM.Y)  // H
                              : Round(barModules * moduleMM * perMM.Y * modulePx / (moduleMM * perMM.X));
  const int reduction = MulDiv(fullHeight, 100 - Params.HeightPercent, 100);  // R
  auto pixelsOf = [&](int modules) { return zoom ? Round(modules * moduleMM * perMM.X) : modules * modulePx; };

  int32_t moduleLeft[kModuleCapacity];  // X
  for (int j = 0; j < ModuleCount; ++j) moduleLeft[j] = x0 + margin + pixelsOf(j);

  canvas.Font.SetName(Params.Fontname);
  canvas.Font.SetHeight(FontHeightFor(type, fullHeight, Params.Fontscaling));
  const int textHeight = canvas.TextHeight("Ay");  // th

  const int last = ModuleCount > 0 ? moduleLeft[ModuleCount - 1] : x0 + margin;
  const int LW = last - x0 + margin + modulePx + 1;
  const double heightShare = IsEanUpc(type) ? kEanHeightAboveDigits : 1;
  const int LH = Params.HumanReadable ? textHeight + Round(fullHeight * heightShare - reduction) + 1
                                      : Round(fullHeight - reduction) + 1;

  const int shortBottom = y0 + Round(fullHeight * kShortBarShare) - reduction;
  const int barBottom = y0 + fullHeight - reduction;
  for (int start = 0; start < ModuleCount;) {
    int length = 1;
    while (start + length < ModuleCount && Modules[start + length] == Modules[start]) ++length;
    if (Modules[start] != 0) {
      TRect bar{moduleLeft[start], y0, 0, IsShortBar(type, start) ? shortBottom : barBottom};
      bar.Right = bar.Left + pixelsOf(length);
      // Add-on bars leave room for the add-on digits above them.
      if (ean13Layout && start > kAddonRunsAfter) bar.Top = y0 + textHeight + modulePx;
      if (Params.WidthReduce && bar.Right - bar.Left > 1) --bar.Right;
      FillRotatedRect(canvas, bar, LW, LH, x0, y0);
    }
    start += length;
  }

  PrepareForText(canvas);
  if (Params.HumanReadable) {
    auto text = [&](const std::string& piece, int anchorX, int anchorY) {
      DrawRotatedText(canvas, piece, fullHeight, LW, LH, anchorX, anchorY, x0, y0);
    };
    auto below = [&](const TDigitBlock& block) { return moduleLeft[block.Centre()]; };
    const int mid = ModuleCount >= 2 ? moduleLeft[ModuleCount / 2 - 1] : x0 + margin;
    const int leftMarginCentre = x0 + margin / 2;
    const char* encoded = EncodedText;
    switch (type) {
      case EAN_8:
        text(Piece(encoded, 1, 4), below(kEan8Left), shortBottom);
        text(Piece(encoded, 5, 8), below(kEan8Right), shortBottom);
        break;
      case EAN_13:
        text(Piece(encoded, 1, 1), leftMarginCentre, shortBottom);
        text(Piece(encoded, 2, 7), below(kEan13Left), shortBottom);
        text(Piece(encoded, 8, 13), below(kEan13Right), shortBottom);
        break;
      case UPC_A:
        text(Piece(encoded, 1, 1), leftMarginCentre, shortBottom);
        text(Piece(encoded, 2, 6), below(kEan13Left), shortBottom);
        text(Piece(encoded, 7, 11), below(kEan13Right), shortBottom);
        text(Piece(encoded, 12, 12), moduleLeft[kMainSymbolModules - 1] + modulePx + margin / 2,
             shortBottom);  // centred in the right margin
        break;
      case UPC_E:
        text(Piece(encoded, 1, 6), mid, shortBottom);
        break;
      case CODE39:
      case Codabar: {
        std::string all(encoded);
        text(all.size() >= 2 ? all.substr(1, all.size() - 2) : std::string(), mid, barBottom);
        break;
      }
      case CODE25iP: {
        TEncodedText display;
        std::copy(std::begin(EncodedText), std::end(EncodedText), display);
        FormatFrachtpostText(*this, display);
        text(display, mid, barBottom);
        break;
      }
      case CODE128_A:
      case CODE128_B:
      case CODE128_C:
        text(ExpandCode128(std::string(1, encoded[0]) + CaptionText(Params), true), mid, barBottom);
        break;
      default:  // CODE25i, MSI_Plessey
        text(encoded, mid, barBottom);
        break;
    }
    if (ean13Layout) {
      std::string addon(Params.CodeAddon, strnlen(Params.CodeAddon, kCodeAddonCapacity - 1));
      if (addon.size() == 2) text(addon, moduleLeft[kAddon2Centre], y0);
      if (addon.size() == 5) text(addon, moduleLeft[kAddon5Centre], y0);
    }
  }
  return RotatedSize(Params.Rotation, LW, LH);
}

TSize TLLBarcode::DrawPostnet(TCanvas& canvas, int x0, int y0) {
  CheckDrawableParams(Params, true);
  const TResolution perMM = ResolutionOf(canvas);
  Encode();
  const bool fim = Params.CodeType == Postnet_FIM;
  const TPostalLayout& layout = fim ? kFimLayout : kPostnetLayout;
  const int barWidth = Round(layout.BarWidthMM * perMM.X);     // bw
  const double pitch = layout.PitchMM * perMM.X;               // q, kept unrounded
  const int tallBar = Round(layout.TallBarMM * perMM.Y);       // tb
  const int shortBar = Round(layout.ShortBarMM * perMM.Y);     // sb
  const int fontBase = layout.TextFactor * tallBar;

  TCanvasStateGuard restore(canvas);
  canvas.Font.SetHeight(FontHeightFor(Params.CodeType, fontBase, Params.Fontscaling));

  auto barLeft = [&](int j) { return x0 + Round(j * pitch); };  // P(j)
  const int lastBar = ModuleCount > 0 ? ModuleCount - 1 : 0;
  const int LW = barLeft(lastBar) - x0 + barWidth + 1;
  const int LH = tallBar + 1 + (Params.HumanReadable ? canvas.TextHeight("Ay") : 0);

  for (int j = 0; j < ModuleCount; ++j) {
    if (fim) {
      if (Modules[j] == 0) continue;
      int left = x0 + j * Round(pitch);  // bar positions use the pitch rounded first
      FillRotatedRect(canvas, TRect{left, y0, left + barWidth, y0 + tallBar}, LW, LH, x0, y0);
    } else {
      int top = Modules[j] != 0 ? y0 : y0 + tallBar - shortBar;
      FillRotatedRect(canvas, TRect{barLeft(j), top, barLeft(j) + barWidth, y0 + tallBar}, LW, LH, x0, y0);
    }
  }

  PrepareForText(canvas);
  if (Params.HumanReadable)
    DrawRotatedText(canvas, EncodedText, fontBase, LW, LH, (barLeft(lastBar) + barLeft(0)) / 2, y0 + tallBar, x0,
                    y0);
  return RotatedSize(Params.Rotation, LW, LH);
}

}  // namespace barcode
