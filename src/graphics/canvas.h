// The drawing surface: a small GDI-like canvas in place of the Windows device context.
//
// TCanvas keeps all the state logic once (brush, pen, canvas font, created fonts and
// their handles, text alignment, background, mapping mode); backends (the QPainter
// canvas, the metafile recorder) implement only the device primitives at the bottom.
// Coordinates given to the public operations are logical units; the mapping mode turns
// them into device pixels, font heights included.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A Windows COLORREF: 0x00BBGGRR.
using TColor = uint32_t;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}
constexpr uint8_t GetRValue(TColor c) { return uint8_t(c & 0xFF); }
constexpr uint8_t GetGValue(TColor c) { return uint8_t((c >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor c) { return uint8_t((c >> 16) & 0xFF); }

constexpr TColor clBlack = RGB(0, 0, 0);
constexpr TColor clWhite = RGB(255, 255, 255);
constexpr TColor clRed = RGB(255, 0, 0);
constexpr TColor clLime = RGB(0, 255, 0);
constexpr TColor clBlue = RGB(0, 0, 255);

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int32_t cx = 0;
  int32_t cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

enum TBrushStyle : uint8_t { bsSolid, bsClear };
enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

// Text alignment flags (SetTextAlign).
constexpr uint32_t TA_NOUPDATECP = 0;
constexpr uint32_t TA_UPDATECP = 1;
constexpr uint32_t TA_LEFT = 0;
constexpr uint32_t TA_RIGHT = 2;
constexpr uint32_t TA_CENTER = 6;
constexpr uint32_t TA_TOP = 0;
constexpr uint32_t TA_BOTTOM = 8;
constexpr uint32_t TA_BASELINE = 24;
constexpr uint32_t TA_HORIZONTAL_MASK = TA_LEFT | TA_RIGHT | TA_CENTER;
constexpr uint32_t TA_VERTICAL_MASK = TA_TOP | TA_BOTTOM | TA_BASELINE;

// Background modes (SetBkMode).
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Mapping modes (SetMapMode).
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Polygon fill modes (SetPolyFillMode).
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

constexpr int32_t FW_DONTCARE = 0;
constexpr int32_t FW_NORMAL = 400;
constexpr int32_t FW_BOLD = 700;

constexpr size_t LF_FACESIZE = 32;

// A LOGFONT. lfHeight > 0 is the cell height (ascent plus descent), lfHeight < 0 the
// character (em) height, 0 a default size; lfEscapement is in tenths of a degree,
// counter-clockwise. Value-initialise it (TLogFont lf{}) to get GDI's all-zero record.
struct TLogFont {
  int32_t lfHeight;
  int32_t lfWidth;
  int32_t lfEscapement;
  int32_t lfOrientation;
  int32_t lfWeight;
  uint8_t lfItalic;
  uint8_t lfUnderline;
  uint8_t lfStrikeOut;
  uint8_t lfCharSet;
  uint8_t lfOutPrecision;
  uint8_t lfClipPrecision;
  uint8_t lfQuality;
  uint8_t lfPitchAndFamily;
  char lfFaceName[LF_FACESIZE];  // zero-terminated, at most 31 characters
};
using LOGFONT = TLogFont;

// Copies at most the first 31 characters of the face name, zero-terminated.
void SetFaceName(TLogFont& font, std::string_view face);
std::string FaceNameOf(const TLogFont& font);

// GDI object handles are small integers managed by each canvas; 0 is no object.
using HGDIOBJ = uint32_t;
using HFONT = HGDIOBJ;

// A bitmap for stretched drawing: top-down rows of 0xAARRGGBB pixels (not premultiplied).
struct TRgbImage {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint32_t> Pixels;
};

// Misuse of the canvas (an unknown handle, an unsupported mode): a programming error.
class ECanvasError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class TBrush {
 public:
  TColor Color() const { return FColor; }
  // GDI has no clear brush with a colour: choosing a colour makes the brush solid.
  void SetColor(TColor color) {
    FColor = color;
    FStyle = bsSolid;
  }
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle style) { FStyle = style; }

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

class TPen {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor color) { FColor = color; }
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle style) { FStyle = style; }
  // Width in logical units; 0 and 1 both draw one device pixel.
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t width) { FWidth = width < 0 ? 0 : width; }

 private:
  TColor FColor = clBlack;
  TPenStyle FStyle = psSolid;
  int32_t FWidth = 1;
};

// The canvas font. Height > 0 is the cell height in logical units, as GDI's LOGFONT.
class TFont {
 public:
  TFont();
  std::string Name() const { return FaceNameOf(FLogFont); }
  void SetName(std::string_view name) { SetFaceName(FLogFont, name); }
  int32_t Height() const { return FLogFont.lfHeight; }
  void SetHeight(int32_t height) { FLogFont.lfHeight = height; }
  TColor Color() const { return FColor; }
  void SetColor(TColor color) { FColor = color; }
  bool Bold() const { return FLogFont.lfWeight >= FW_BOLD; }
  void SetBold(bool bold) { FLogFont.lfWeight = bold ? FW_BOLD : FW_NORMAL; }
  bool Italic() const { return FLogFont.lfItalic != 0; }
  void SetItalic(bool italic) { FLogFont.lfItalic = italic ? 1 : 0; }
  const TLogFont& LogFont() const { return FLogFont; }

 private:
  TLogFont FLogFont{};
  TColor FColor = clBlack;
};

// Device-level descriptions handed to backends (all sizes in device pixels).
struct TDevicePen {
  TColor Color = clBlack;
  TPenStyle Style = psSolid;
  int32_t Width = 1;
};

struct TDeviceBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
};

struct TTextStyle {
  TLogFont Font{};       // height and width already in device pixels
  TColor Color = clBlack;
  uint32_t Align = TA_LEFT | TA_TOP;
  int BkMode = OPAQUE;
  TColor BkColor = clWhite;
};

class TCanvas {
 public:
  // The handle of the canvas font; it is selected when no created font is.
  static constexpr HFONT CanvasFontHandle = 1;

  TCanvas() = default;
  virtual ~TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Device resolution in dots per inch; 0 when the surface does not know it.
  virtual int LogPixelsX() const = 0;
  virtual int LogPixelsY() const = 0;

  TBrush Brush;
  TPen Pen;
  TFont Font;

  // Fills with the brush: left and top edges inside, right and bottom edges outside.
  // A clear brush fills nothing. The corners may be given in any order.
  void FillRect(const TRect& rect);
  // Outlined with the pen, filled with the brush.
  void Rectangle(const TRect& rect);
  void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    Rectangle(TRect{left, top, right, bottom});
  }
  void Ellipse(const TRect& bounds);
  void Polygon(std::span<const TPoint> points);
  // Several closed figures filled together under the poly-fill mode (holes with ALTERNATE).
  void PolyPolygon(std::span<const TPoint> points, std::span<const int32_t> counts);
  void Polyline(std::span<const TPoint> points);
  void MoveTo(int32_t x, int32_t y);
  // Draws from the pen position to (x, y), which is not drawn, and moves the pen there.
  void LineTo(int32_t x, int32_t y);
  TPoint PenPos() const { return FPenPos; }
  void StretchDraw(const TRect& dest, const TRgbImage& image);

  // Writes single-byte ANSI (Windows-1252) text in the selected font, with the current
  // alignment, the font's escapement, in the canvas font's colour.
  void TextOut(int32_t x, int32_t y, std::string_view text);
  void TextOutW(int32_t x, int32_t y, std::u16string_view text);
  // Measured in the selected font, in logical units.
  TSize TextExtent(std::string_view text);
  int32_t TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int32_t TextHeight(std::string_view text) { return TextExtent(text).cy; }
  TSize TextExtentW(std::u16string_view text);

  uint32_t SetTextAlign(uint32_t flags);  // returns the previous flags
  uint32_t GetTextAlign() const { return FTextAlign; }
  TColor SetBkColor(TColor color);  // returns the previous colour
  TColor GetBkColor() const { return FBkColor; }
  int SetBkMode(int mode);  // TRANSPARENT or OPAQUE; returns the previous mode
  int GetBkMode() const { return FBkMode; }
  int SetPolyFillMode(int mode);  // ALTERNATE or WINDING; returns the previous mode
  int GetPolyFillMode() const { return FPolyFillMode; }

  HFONT CreateFontIndirect(const TLogFont& font);
  // Selects a created font or CanvasFontHandle; returns the previously selected font.
  HGDIOBJ SelectObject(HGDIOBJ object);
  // Deletes a created font that is not selected.
  void DeleteObject(HGDIOBJ object);
  HFONT SelectedFont() const { return FSelectedFont; }

  // Mapping of logical to device coordinates: MM_TEXT (identity), MM_ISOTROPIC or
  // MM_ANISOTROPIC (window extents map onto viewport extents). Each setter returns the
  // previous value; extents are ignored in MM_TEXT, as in GDI.
  int SetMapMode(int mode);
  int GetMapMode() const { return FMapMode; }
  TSize SetWindowExtEx(int32_t cx, int32_t cy);
  TSize SetViewportExtEx(int32_t cx, int32_t cy);
  TPoint SetWindowOrgEx(int32_t x, int32_t y);
  TPoint SetViewportOrgEx(int32_t x, int32_t y);
  TPoint LPtoDP(TPoint logical) const;
  TPoint DPtoLP(TPoint device) const;

  // The primitive that measures text in a device font, for recorders that measure on a
  // reference surface. Sizes in device pixels.
  virtual TSize DeviceTextExtent(const TLogFont& deviceFont, std::u16string_view text) = 0;

 protected:
  // Backend primitives, all in device pixels. Rectangles arrive normalised.
  virtual void DoFillRect(const TRect& rect, TColor color) = 0;
  virtual void DoRectangle(const TRect& rect, const TDevicePen& pen, const TDeviceBrush& brush) = 0;
  virtual void DoEllipse(const TRect& rect, const TDevicePen& pen, const TDeviceBrush& brush) = 0;
  virtual void DoPolyPolygon(std::span<const TPoint> points, std::span<const int32_t> counts,
                             const TDevicePen& pen, const TDeviceBrush& brush, int fillMode) = 0;
  virtual void DoPolyline(std::span<const TPoint> points, const TDevicePen& pen) = 0;
  virtual void DoTextOut(TPoint at, std::u16string_view text, const TTextStyle& style) = 0;
  virtual void DoStretchDraw(const TRect& rect, const TRgbImage& image) = 0;

 private:
  struct TScale {
    double X = 1;
    double Y = 1;
  };
  TScale Scale() const;
  int32_t DeviceLength(int32_t logical, double scale) const;
  TRect DeviceRect(const TRect& rect) const;
  std::vector<TPoint> DevicePoints(std::span<const TPoint> points) const;
  TDevicePen DevicePen() const;
  TDeviceBrush DeviceBrush() const;
  TLogFont DeviceFont() const;
  const TLogFont& SelectedLogFont() const;

  uint32_t FTextAlign = TA_LEFT | TA_TOP;
  TColor FBkColor = clWhite;
  int FBkMode = OPAQUE;
  int FPolyFillMode = ALTERNATE;
  TPoint FPenPos;

  std::map<HGDIOBJ, TLogFont> FFonts;
  HGDIOBJ FNextHandle = CanvasFontHandle + 1;
  HFONT FSelectedFont = CanvasFontHandle;

  int FMapMode = MM_TEXT;
  TPoint FWindowOrg;
  TPoint FViewportOrg;
  TSize FWindowExt{1, 1};
  TSize FViewportExt{1, 1};
};

}  // namespace platform
