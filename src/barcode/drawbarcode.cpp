// Drawing of an encoded barcode on any canvas, at the canvas's own resolution and in
// any of the four rotations, with its human-readable text. Everything is laid out
// unrotated from the origin and mapped onto the surface at the end; every call
// encodes and lays out afresh.
#include <algorithm>
#include <cstring>
#include <string>

#include "barcode/code128.h"
#include "barcode/code25.h"
#include "barcode/drawmath.h"
#include "barcode/llbarcode.h"
#include "platform/canvas.h"
#include "platform/screen.h"

namespace barcode {
namespace {

using platform::TCanvas;
using platform::TRect;
using platform::TSize;

constexpr double kInchesPerMM = 0.039370078740157480;

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

bool IsEan13Layout(btCodeTypes type) { return type == EAN_13 || type == UPC_A; }

bool IsEanUpc(btCodeTypes type) { return type == EAN_8 || type == EAN_13 || type == UPC_A || type == UPC_E; }

// EAN and UPC data bars end above the guard bars, leaving room for the digits.
bool IsShortBar(btCodeTypes type, int start) {
  switch (type) {
    case EAN_8:
      return (start >= 3 && start <= 30) || (start >= 36 && start <= 63);
    case EAN_13:
    case UPC_A:
      return (start >= 3 && start <= 44) || (start >= 50 && start <= 91);
    case UPC_E:
      return start >= 3 && start <= 44;
    default:
      return false;
  }
}

// The text is 18 % of the full height of an EAN-13 bar whatever the symbology.
int FontHeightFor(btCodeTypes type, int fontBase, int fontScaling) {
  if (IsEan13Layout(type)) return Round(fontBase * 0.18 * fontScaling * 0.01);
  return Round(fontBase * 74.24 * (1 / 56.24) * 0.18 * fontScaling * 0.01);
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
  logFont.lfEscapement = kEscapement[Params.Rotation & 3];

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

  const TResolution r = ResolutionOf(canvas);
  TCanvasStateGuard restore(canvas);
  Encode();

  // Module width and heights. Without zoom the height follows the rounding of the
  // module width, so the symbol keeps its proportions.
  const double w = ModuleWidthMM();
  int p = Round(w * r.X);
  if (p == 0) p = 1;
  const double hf = IsEan13Layout(type) ? 74.24 : 56.24;
  const int M = IsEan13Layout(type) ? 10 * p : 0;
  const bool zoom = Params.ZoomSize;
  const int H = zoom ? Round(hf * w * r.Y) : Round(hf * w * r.Y * p / (w * r.X));
  const int R = MulDiv(H, 100 - Params.HeightPercent, 100);

  int32_t X[kModuleCapacity];
  for (int j = 0; j < ModuleCount; ++j) X[j] = x0 + M + (zoom ? Round(j * w * r.X) : j * p);

  canvas.Font.SetName(Params.Fontname);
  canvas.Font.SetHeight(FontHeightFor(type, H, Params.Fontscaling));
  const int th = canvas.TextHeight("Ay");

  const int last = ModuleCount > 0 ? X[ModuleCount - 1] : x0 + M;
  const int LW = last - x0 + M + p + 1;
  const double k = IsEanUpc(type) ? 0.9336 : 1;
  const int LH = Params.HumanReadable ? th + Round(H * k - R) + 1 : Round(H - R) + 1;

  const int shortBottom = y0 + Round(H * 0.917) - R;
  const int barBottom = y0 + H - R;
  for (int s = 0; s < ModuleCount;) {
    int n = 1;
    while (s + n < ModuleCount && Modules[s + n] == Modules[s]) ++n;
    if (Modules[s] != 0) {
      TRect bar{X[s], y0, 0, IsShortBar(type, s) ? shortBottom : barBottom};
      bar.Right = bar.Left + (zoom ? Round(n * w * r.X) : n * p);
      if (IsEan13Layout(type) && s > 99) bar.Top = y0 + th + p;  // room for the add-on digits
      if (Params.WidthReduce && bar.Right - bar.Left > 1) --bar.Right;
      FillRotatedRect(canvas, bar, LW, LH, x0, y0);
    }
    s += n;
  }

  PrepareForText(canvas);
  if (Params.HumanReadable) {
    auto text = [&](const std::string& piece, int anchorX, int anchorY) {
      DrawRotatedText(canvas, piece, H, LW, LH, anchorX, anchorY, x0, y0);
    };
    const int mid = ModuleCount >= 2 ? X[ModuleCount / 2 - 1] : x0 + M;
    const char* encoded = EncodedText;
    switch (type) {
      case EAN_8:
        text(Piece(encoded, 1, 4), X[17], shortBottom);
        text(Piece(encoded, 5, 8), X[50], shortBottom);
        break;
      case EAN_13:
        text(Piece(encoded, 1, 1), x0 + M / 2, shortBottom);
        text(Piece(encoded, 2, 7), X[24], shortBottom);
        text(Piece(encoded, 8, 13), X[71], shortBottom);
        break;
      case UPC_A:
        text(Piece(encoded, 1, 1), x0 + M / 2, shortBottom);
        text(Piece(encoded, 2, 6), X[24], shortBottom);
        text(Piece(encoded, 7, 11), X[71], shortBottom);
        text(Piece(encoded, 12, 12), X[94] + p + M / 2, shortBottom);
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
    if (IsEan13Layout(type)) {
      std::string addon(Params.CodeAddon, strnlen(Params.CodeAddon, kCodeAddonCapacity - 1));
      if (addon.size() == 2) text(addon, X[114], y0);
      if (addon.size() == 5) text(addon, X[127], y0);
    }
  }
  return RotatedSize(Params.Rotation, LW, LH);
}

TSize TLLBarcode::DrawPostnet(TCanvas& canvas, int x0, int y0) {
  const TResolution r = ResolutionOf(canvas);
  Encode();
  const bool fim = Params.CodeType == Postnet_FIM;
  const int bw = Round((fim ? 0.79375 : 0.508) * r.X);
  const double q = (fim ? 1.5875 : 1.1545454545454545) * r.X;
  const int tb = Round((fim ? 15.875 : 3.175) * r.Y);
  const int sb = fim ? tb : Round(1.27 * r.Y);
  const int f = fim ? 1 : 5;

  TCanvasStateGuard restore(canvas);
  canvas.Font.SetHeight(FontHeightFor(Params.CodeType, f * tb, Params.Fontscaling));

  auto P = [&](int j) { return x0 + Round(j * q); };
  const int lastBar = ModuleCount > 0 ? ModuleCount - 1 : 0;
  const int LW = P(lastBar) - x0 + bw + 1;
  const int LH = tb + 1 + (Params.HumanReadable ? canvas.TextHeight("Ay") : 0);

  for (int j = 0; j < ModuleCount; ++j) {
    if (fim) {
      if (Modules[j] == 0) continue;
      int left = x0 + j * Round(q);  // bar positions use the pitch rounded first
      FillRotatedRect(canvas, TRect{left, y0, left + bw, y0 + tb}, LW, LH, x0, y0);
    } else {
      int top = Modules[j] != 0 ? y0 : y0 + tb - sb;
      FillRotatedRect(canvas, TRect{P(j), top, P(j) + bw, y0 + tb}, LW, LH, x0, y0);
    }
  }

  PrepareForText(canvas);
  if (Params.HumanReadable)
    DrawRotatedText(canvas, EncodedText, f * tb, LW, LH, (P(lastBar) + P(0)) / 2, y0 + tb, x0, y0);
  return RotatedSize(Params.Rotation, LW, LH);
}

}  // namespace barcode
