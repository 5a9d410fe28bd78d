#include "graphics/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <utility>

#include "base/ansi.h"

namespace platform {

void SetFaceName(TLogFont& font, std::string_view face) {
  size_t n = std::min(face.size(), LF_FACESIZE - 1);
  std::memset(font.lfFaceName, 0, LF_FACESIZE);
  std::memcpy(font.lfFaceName, face.data(), n);
}

std::string FaceNameOf(const TLogFont& font) {
  return std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE));
}

TFont::TFont() {
  SetFaceName(FLogFont, "Arial");
  FLogFont.lfHeight = -13;  // 10 points on a 96-dpi screen
  FLogFont.lfWeight = FW_NORMAL;
}

// ---- mapping ----

TCanvas::TScale TCanvas::Scale() const {
  if (FMapMode == MM_TEXT) return {};
  double sx = double(FViewportExt.cx) / FWindowExt.cx;
  double sy = double(FViewportExt.cy) / FWindowExt.cy;
  if (FMapMode == MM_ISOTROPIC) {
    // Equal units in both directions: the smaller scale wins, the signs stay.
    double s = std::min(std::abs(sx), std::abs(sy));
    sx = std::copysign(s, sx);
    sy = std::copysign(s, sy);
  }
  return {sx, sy};
}

// Results are kept within a range where widths and heights cannot overflow.
static int32_t RoundToInt(double v) {
  constexpr double limit = double(1 << 30);
  if (!(v == v)) return 0;
  return int32_t(std::lround(std::clamp(v, -limit, limit)));
}

TPoint TCanvas::LPtoDP(TPoint p) const {
  if (FMapMode == MM_TEXT && FWindowOrg == TPoint{} && FViewportOrg == TPoint{}) return p;
  TScale s = Scale();
  return TPoint{RoundToInt((double(p.X) - FWindowOrg.X) * s.X + FViewportOrg.X),
                RoundToInt((double(p.Y) - FWindowOrg.Y) * s.Y + FViewportOrg.Y)};
}

TPoint TCanvas::DPtoLP(TPoint p) const {
  TScale s = Scale();
  return TPoint{RoundToInt((double(p.X) - FViewportOrg.X) / s.X + FWindowOrg.X),
                RoundToInt((double(p.Y) - FViewportOrg.Y) / s.Y + FWindowOrg.Y)};
}

int32_t TCanvas::DeviceLength(int32_t logical, double scale) const {
  return RoundToInt(logical * std::abs(scale));
}

TRect TCanvas::DeviceRect(const TRect& rect) const {
  TPoint a = LPtoDP({rect.Left, rect.Top});
  TPoint b = LPtoDP({rect.Right, rect.Bottom});
  return TRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

std::vector<TPoint> TCanvas::DevicePoints(std::span<const TPoint> points) const {
  std::vector<TPoint> device(points.size());
  std::transform(points.begin(), points.end(), device.begin(), [this](TPoint p) { return LPtoDP(p); });
  return device;
}

int TCanvas::SetMapMode(int mode) {
  if (mode != MM_TEXT && mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC)
    throw ECanvasError("Unsupported mapping mode " + std::to_string(mode));
  if (mode == MM_TEXT) FWindowExt = FViewportExt = TSize{1, 1};
  return std::exchange(FMapMode, mode);
}

TSize TCanvas::SetWindowExtEx(int32_t cx, int32_t cy) {
  if (cx == 0 || cy == 0) throw ECanvasError("A window extent must not be zero");
  if (FMapMode == MM_TEXT) return FWindowExt;
  return std::exchange(FWindowExt, TSize{cx, cy});
}

TSize TCanvas::SetViewportExtEx(int32_t cx, int32_t cy) {
  if (cx == 0 || cy == 0) throw ECanvasError("A viewport extent must not be zero");
  if (FMapMode == MM_TEXT) return FViewportExt;
  return std::exchange(FViewportExt, TSize{cx, cy});
}

TPoint TCanvas::SetWindowOrgEx(int32_t x, int32_t y) { return std::exchange(FWindowOrg, TPoint{x, y}); }

TPoint TCanvas::SetViewportOrgEx(int32_t x, int32_t y) { return std::exchange(FViewportOrg, TPoint{x, y}); }

// ---- drawing state ----

TDevicePen TCanvas::DevicePen() const {
  return TDevicePen{Pen.Color(), Pen.Style(), std::max(1, DeviceLength(Pen.Width(), Scale().X))};
}

TDeviceBrush TCanvas::DeviceBrush() const { return TDeviceBrush{Brush.Color(), Brush.Style()}; }

const TLogFont& TCanvas::SelectedLogFont() const {
  if (FSelectedFont == CanvasFontHandle) return Font.LogFont();
  return FFonts.at(FSelectedFont);
}

TLogFont TCanvas::DeviceFont() const {
  TLogFont font = SelectedLogFont();
  TScale s = Scale();
  font.lfHeight = DeviceLength(font.lfHeight, s.Y);
  font.lfWidth = DeviceLength(font.lfWidth, s.X);
  return font;
}

uint32_t TCanvas::SetTextAlign(uint32_t flags) { return std::exchange(FTextAlign, flags); }

TColor TCanvas::SetBkColor(TColor color) { return std::exchange(FBkColor, color); }

int TCanvas::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE)
    throw ECanvasError("Unsupported background mode " + std::to_string(mode));
  return std::exchange(FBkMode, mode);
}

int TCanvas::SetPolyFillMode(int mode) {
  if (mode != ALTERNATE && mode != WINDING)
    throw ECanvasError("Unsupported polygon fill mode " + std::to_string(mode));
  return std::exchange(FPolyFillMode, mode);
}

HFONT TCanvas::CreateFontIndirect(const TLogFont& font) {
  HFONT handle = FNextHandle++;
  FFonts.emplace(handle, font);
  FFonts[handle].lfFaceName[LF_FACESIZE - 1] = '\0';
  return handle;
}

HGDIOBJ TCanvas::SelectObject(HGDIOBJ object) {
  if (object != CanvasFontHandle && !FFonts.contains(object))
    throw ECanvasError("Invalid GDI object handle " + std::to_string(object));
  return std::exchange(FSelectedFont, object);
}

void TCanvas::DeleteObject(HGDIOBJ object) {
  if (!FFonts.contains(object)) throw ECanvasError("Invalid GDI object handle " + std::to_string(object));
  if (object == FSelectedFont) throw ECanvasError("A selected font cannot be deleted");
  FFonts.erase(object);
}

// ---- drawing ----

void TCanvas::FillRect(const TRect& rect) {
  if (Brush.Style() == bsClear) return;
  TRect device = DeviceRect(rect);
  if (device.Width() <= 0 || device.Height() <= 0) return;
  DoFillRect(device, Brush.Color());
}

void TCanvas::Rectangle(const TRect& rect) { DoRectangle(DeviceRect(rect), DevicePen(), DeviceBrush()); }

void TCanvas::Ellipse(const TRect& bounds) { DoEllipse(DeviceRect(bounds), DevicePen(), DeviceBrush()); }

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  int32_t count = int32_t(points.size());
  DoPolyPolygon(DevicePoints(points), std::span<const int32_t>(&count, 1), DevicePen(), DeviceBrush(),
                FPolyFillMode);
}

void TCanvas::PolyPolygon(std::span<const TPoint> points, std::span<const int32_t> counts) {
  int64_t total = std::accumulate(counts.begin(), counts.end(), int64_t{0});
  bool valid = std::all_of(counts.begin(), counts.end(), [](int32_t n) { return n >= 0; });
  if (!valid || total != int64_t(points.size()))
    throw ECanvasError("Polygon point counts do not match the points");
  if (points.empty()) return;
  DoPolyPolygon(DevicePoints(points), counts, DevicePen(), DeviceBrush(), FPolyFillMode);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  DoPolyline(DevicePoints(points), DevicePen());
}

void TCanvas::MoveTo(int32_t x, int32_t y) { FPenPos = TPoint{x, y}; }

void TCanvas::LineTo(int32_t x, int32_t y) {
  TPoint line[2] = {LPtoDP(FPenPos), LPtoDP({x, y})};
  FPenPos = TPoint{x, y};
  DoPolyline(line, DevicePen());
}

void TCanvas::StretchDraw(const TRect& dest, const TRgbImage& image) {
  if (image.Width <= 0 || image.Height <= 0) return;
  if (image.Pixels.size() != size_t(image.Width) * size_t(image.Height))
    throw ECanvasError("Bitmap pixels do not match its size");
  DoStretchDraw(DeviceRect(dest), image);
}

void TCanvas::TextOut(int32_t x, int32_t y, std::string_view text) { TextOutW(x, y, AnsiToUtf16(text)); }

void TCanvas::TextOutW(int32_t x, int32_t y, std::u16string_view text) {
  bool updateCP = (FTextAlign & TA_UPDATECP) != 0;
  TPoint at = updateCP ? FPenPos : TPoint{x, y};
  TTextStyle style{DeviceFont(), Font.Color(), FTextAlign & ~TA_UPDATECP, FBkMode, FBkColor};
  DoTextOut(LPtoDP(at), text, style);
  if (updateCP) FPenPos.X += TextExtentW(text).cx;
}

TSize TCanvas::TextExtent(std::string_view text) { return TextExtentW(AnsiToUtf16(text)); }

TSize TCanvas::TextExtentW(std::u16string_view text) {
  TSize device = DeviceTextExtent(DeviceFont(), text);
  TScale s = Scale();
  return TSize{RoundToInt(device.cx / std::abs(s.X)), RoundToInt(device.cy / std::abs(s.Y))};
}

}  // namespace platform
