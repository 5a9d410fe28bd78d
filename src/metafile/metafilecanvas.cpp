#include "metafile/metafilecanvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>

#include "base/screen.h"
#include "metafile/emfrecords.h"
#include "metafile/emfwriter.h"

namespace platform {

// The writer and what the metafile's own device context holds at the current record,
// so objects and text state are only written when they change.
class TEmfRecorder {
 public:
  TEmfWriter Writer;
  bool Finished = false;

  void UseBrush(const TDeviceBrush& brush);
  void UsePen(const TDevicePen& pen);
  void UseFont(const TLogFont& font);
  void UseTextState(const TTextStyle& style);
  void UseFillMode(int mode);

 private:
  uint32_t Replace(uint32_t& current);
  std::optional<TDeviceBrush> FBrush;
  std::optional<TDevicePen> FPen;
  std::optional<TLogFont> FFont;
  uint32_t FBrushHandle = 0, FPenHandle = 0, FFontHandle = 0;
  TColor FTextColor = clBlack;
  TColor FBkColor = clWhite;
  int FBkMode = OPAQUE;
  uint32_t FAlign = TA_LEFT | TA_TOP;
  int FFillMode = ALTERNATE;
};

namespace {

constexpr uint32_t PS_NULL = 5;
constexpr uint32_t BS_SOLID = 0;
constexpr uint32_t BS_NULL = 1;

void AddU32(TEmfWriter& w, uint32_t type, uint32_t value) { w.Add(type, TByteBuilder().U32(value)); }

TRect BoundsOf(std::span<const TPoint> points, int32_t margin) {
  TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (TPoint p : points) {
    r.Left = std::min(r.Left, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X);
    r.Bottom = std::max(r.Bottom, p.Y);
  }
  return TRect{r.Left - margin, r.Top - margin, r.Right + 1 + margin, r.Bottom + 1 + margin};
}

TRect Inclusive(const TRect& r) { return TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}; }

bool SameFont(const TLogFont& a, const TLogFont& b) { return std::memcmp(&a, &b, sizeof(TLogFont)) == 0; }

void AppendLogFontW(TByteBuilder& b, const TLogFont& f) {
  b.I32(f.lfHeight).I32(f.lfWidth).I32(f.lfEscapement).I32(f.lfOrientation).I32(f.lfWeight);
  b.U8(f.lfItalic).U8(f.lfUnderline).U8(f.lfStrikeOut).U8(f.lfCharSet);
  b.U8(f.lfOutPrecision).U8(f.lfClipPrecision).U8(f.lfQuality).U8(f.lfPitchAndFamily);
  // Face names are ANSI bytes; below 0x80 and from 0xA0 they equal their UTF-16 units.
  size_t i = 0;
  for (; i < LF_FACESIZE && f.lfFaceName[i]; ++i) b.U16(uint8_t(f.lfFaceName[i]));
  b.Zeros((LF_FACESIZE - i) * 2);
}

// The box a text covers around its reference point, turned by the escapement.
TRect TextBounds(TPoint at, TSize size, const TTextStyle& style) {
  double x0 = 0;
  if ((style.Align & TA_HORIZONTAL_MASK) == TA_CENTER) x0 = -size.cx / 2.0;
  if ((style.Align & TA_HORIZONTAL_MASK) == TA_RIGHT) x0 = -size.cx;
  double y0 = 0;
  if ((style.Align & TA_VERTICAL_MASK) == TA_BOTTOM) y0 = -size.cy;
  if ((style.Align & TA_VERTICAL_MASK) == TA_BASELINE) y0 = -size.cy * 0.8;
  double angle = style.Font.lfEscapement / 10.0 * std::numbers::pi / 180;
  double c = std::cos(angle), s = std::sin(angle);
  TPoint corners[4];
  double xs[2] = {x0, x0 + size.cx}, ys[2] = {y0, y0 + size.cy};
  for (int i = 0; i < 4; ++i) {
    double x = xs[i & 1], y = ys[i >> 1];
    corners[i] = TPoint{at.X + int32_t(std::lround(x * c + y * s)), at.Y + int32_t(std::lround(-x * s + y * c))};
  }
  return BoundsOf(corners, 0);
}

}  // namespace

uint32_t TEmfRecorder::Replace(uint32_t& current) {
  uint32_t previous = current;
  current = Writer.NewHandle();
  return previous;
}

void TEmfRecorder::UseBrush(const TDeviceBrush& brush) {
  if (FBrush && FBrush->Style == brush.Style && (brush.Style == bsClear || FBrush->Color == brush.Color)) return;
  FBrush = brush;
  uint32_t previous = Replace(FBrushHandle);
  Writer.Add(EMR_CREATEBRUSHINDIRECT,
             TByteBuilder().U32(FBrushHandle).U32(brush.Style == bsClear ? BS_NULL : BS_SOLID).U32(brush.Color).U32(0));
  AddU32(Writer, EMR_SELECTOBJECT, FBrushHandle);
  if (previous) {
    AddU32(Writer, EMR_DELETEOBJECT, previous);
    Writer.FreeHandle(previous);
  }
}

void TEmfRecorder::UsePen(const TDevicePen& pen) {
  if (FPen && FPen->Style == pen.Style && FPen->Color == pen.Color && FPen->Width == pen.Width) return;
  FPen = pen;
  uint32_t previous = Replace(FPenHandle);
  uint32_t style = pen.Style == psClear ? PS_NULL : uint32_t(pen.Style);
  Writer.Add(EMR_CREATEPEN, TByteBuilder().U32(FPenHandle).U32(style).I32(pen.Width).I32(0).U32(pen.Color));
  AddU32(Writer, EMR_SELECTOBJECT, FPenHandle);
  if (previous) {
    AddU32(Writer, EMR_DELETEOBJECT, previous);
    Writer.FreeHandle(previous);
  }
}

void TEmfRecorder::UseFont(const TLogFont& font) {
  if (FFont && SameFont(*FFont, font)) return;
  FFont = font;
  uint32_t previous = Replace(FFontHandle);
  TByteBuilder record;
  record.U32(FFontHandle);
  AppendLogFontW(record, font);
  record.Zeros(320 - 92);  // full name, style, version and PANOSE left empty
  Writer.Add(EMR_EXTCREATEFONTINDIRECTW, record);
  AddU32(Writer, EMR_SELECTOBJECT, FFontHandle);
  if (previous) {
    AddU32(Writer, EMR_DELETEOBJECT, previous);
    Writer.FreeHandle(previous);
  }
}

void TEmfRecorder::UseTextState(const TTextStyle& style) {
  UseFont(style.Font);
  if (style.Color != FTextColor) AddU32(Writer, EMR_SETTEXTCOLOR, FTextColor = style.Color);
  if (style.BkColor != FBkColor) AddU32(Writer, EMR_SETBKCOLOR, FBkColor = style.BkColor);
  if (style.BkMode != FBkMode) AddU32(Writer, EMR_SETBKMODE, uint32_t(FBkMode = style.BkMode));
  if (style.Align != FAlign) AddU32(Writer, EMR_SETTEXTALIGN, FAlign = style.Align);
}

void TEmfRecorder::UseFillMode(int mode) {
  if (mode != FFillMode) AddU32(Writer, EMR_SETPOLYFILLMODE, uint32_t(FFillMode = mode));
}

TMetafileCanvas::TMetafileCanvas(TCanvas& reference, int32_t width, int32_t height, int32_t unitsPerPixel)
    : FReference(reference), FRecorder(std::make_unique<TEmfRecorder>()), FWidth(width), FHeight(height),
      FUnits(unitsPerPixel) {
  if (FUnits < 1) throw ECanvasError("A metafile needs at least one logical unit per pixel");
  if (FUnits == 1) return;
  // The extents span the whole frame, as other writers of finer pages give them.
  const int64_t cx = std::max<int32_t>(1, width), cy = std::max<int32_t>(1, height);
  if (std::max(cx, cy) * FUnits > INT32_MAX) throw ECanvasError("The metafile picture is too large for its units");
  TEmfWriter& w = FRecorder->Writer;
  AddU32(w, EMR_SETMAPMODE, MM_ANISOTROPIC);
  w.Add(EMR_SETWINDOWEXTEX, TByteBuilder().I32(int32_t(cx * FUnits)).I32(int32_t(cy * FUnits)));
  w.Add(EMR_SETVIEWPORTEXTEX, TByteBuilder().I32(int32_t(cx)).I32(int32_t(cy)));
}

TMetafileCanvas::~TMetafileCanvas() = default;

int TMetafileCanvas::ReferenceDpi(int reported) const { return reported > 0 ? reported : ScreenPixelsPerInch(); }

// A plain recording reports what the reference reports, unknown included.
int TMetafileCanvas::Resolution(int reported) const {
  return FUnits == 1 ? reported : FUnits * ReferenceDpi(reported);
}

int TMetafileCanvas::LogPixelsX() const { return Resolution(FReference.LogPixelsX()); }
int TMetafileCanvas::LogPixelsY() const { return Resolution(FReference.LogPixelsY()); }

namespace {
int32_t FloorDiv(int32_t a, int32_t b) { return a / b - (a % b != 0 && a < 0); }
int32_t CeilDiv(int32_t a, int32_t b) { return a / b + (a % b != 0 && a > 0); }
}  // namespace

void TMetafileCanvas::Include(const TRect& drawn) {
  FRecorder->Writer.IncludeBounds(TRect{FloorDiv(drawn.Left, FUnits), FloorDiv(drawn.Top, FUnits),
                                        CeilDiv(drawn.Right, FUnits), CeilDiv(drawn.Bottom, FUnits)});
}

TSize TMetafileCanvas::DeviceTextExtent(const TLogFont& deviceFont, std::u16string_view text) {
  return FReference.DeviceTextExtent(deviceFont, text);
}

namespace {

TEmfWriter& Live(TEmfRecorder& recorder) {
  if (recorder.Finished) throw ECanvasError("The metafile recording has already been finished");
  return recorder.Writer;
}

// The reference device is described so that its pixels per millimetre are exactly
// dpi / 25.4 and it covers the picture: 5 * dpi pixels per 127 mm.
void DescribeDevice(int dpi, int32_t pixels, int32_t& devicePixels, int32_t& mm, int32_t& um) {
  int32_t blocks = std::max<int32_t>(1, int32_t(std::ceil(pixels * 25.4 / dpi / 127)));
  devicePixels = 5 * dpi * blocks;
  mm = 127 * blocks;
  um = 127000 * blocks;
}

}  // namespace

void TMetafileCanvas::DoFillRect(const TRect& rect, TColor color) {
  TEmfWriter& w = Live(*FRecorder);
  FRecorder->UseBrush(TDeviceBrush{color, bsSolid});
  TByteBuilder b;
  b.Rect(Inclusive(rect)).I32(rect.Left).I32(rect.Top).I32(rect.Width()).I32(rect.Height()).U32(PATCOPY);
  b.I32(0).I32(0).F32(1).F32(0).F32(0).F32(1).F32(0).F32(0);  // source origin and transform
  b.U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);                // no source bitmap
  w.Add(EMR_BITBLT, b);
  Include(rect);
}

void TMetafileCanvas::DoRectangle(const TRect& rect, const TDevicePen& pen, const TDeviceBrush& brush) {
  TEmfWriter& w = Live(*FRecorder);
  FRecorder->UsePen(pen);
  FRecorder->UseBrush(brush);
  w.Add(EMR_RECTANGLE, TByteBuilder().Rect(rect));
  Include(rect);
}

void TMetafileCanvas::DoEllipse(const TRect& rect, const TDevicePen& pen, const TDeviceBrush& brush) {
  TEmfWriter& w = Live(*FRecorder);
  FRecorder->UsePen(pen);
  FRecorder->UseBrush(brush);
  w.Add(EMR_ELLIPSE, TByteBuilder().Rect(rect));
  Include(rect);
}

void TMetafileCanvas::DoPolyPolygon(std::span<const TPoint> points, std::span<const int32_t> counts,
                                    const TDevicePen& pen, const TDeviceBrush& brush, int fillMode) {
  TEmfWriter& w = Live(*FRecorder);
  FRecorder->UsePen(pen);
  FRecorder->UseBrush(brush);
  FRecorder->UseFillMode(fillMode);
  TRect bounds = BoundsOf(points, pen.Width / 2);
  TByteBuilder b;
  b.Rect(Inclusive(bounds));
  if (counts.size() == 1) {
    b.U32(uint32_t(points.size()));
  } else {
    b.U32(uint32_t(counts.size())).U32(uint32_t(points.size()));
    for (int32_t n : counts) b.U32(uint32_t(n));
  }
  for (TPoint p : points) b.Point(p);
  w.Add(counts.size() == 1 ? EMR_POLYGON : EMR_POLYPOLYGON, b);
  Include(bounds);
}

void TMetafileCanvas::DoPolyline(std::span<const TPoint> points, const TDevicePen& pen) {
  TEmfWriter& w = Live(*FRecorder);
  FRecorder->UsePen(pen);
  TRect bounds = BoundsOf(points, pen.Width / 2);
  TByteBuilder b;
  b.Rect(Inclusive(bounds)).U32(uint32_t(points.size()));
  for (TPoint p : points) b.Point(p);
  w.Add(EMR_POLYLINE, b);
  Include(bounds);
}

void TMetafileCanvas::DoTextOut(TPoint at, std::u16string_view text, const TTextStyle& style) {
  TEmfWriter& w = Live(*FRecorder);
  FRecorder->UseTextState(style);
  // Other readers place each character by the advance array, as Windows writes it.
  std::vector<int32_t> dx(text.size());
  int32_t before = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    int32_t after = FReference.DeviceTextExtent(style.Font, text.substr(0, i + 1)).cx;
    dx[i] = after - before;
    before = after;
  }
  TRect bounds = TextBounds(at, TSize{before, FReference.DeviceTextExtent(style.Font, u"Ay").cy}, style);
  uint32_t stringBytes = uint32_t((text.size() * 2 + 3) / 4 * 4);
  TByteBuilder b;
  b.Rect(Inclusive(bounds)).U32(GM_COMPATIBLE).F32(0).F32(0);
  b.Point(at).U32(uint32_t(text.size())).U32(76).U32(0).Rect(TRect{0, 0, -1, -1}).U32(76 + stringBytes);
  for (char16_t c : text) b.U16(c);
  b.Pad4();
  for (int32_t d : dx) b.I32(d);
  w.Add(EMR_EXTTEXTOUTW, b);
  Include(bounds);
}

void TMetafileCanvas::DoStretchDraw(const TRect& rect, const TRgbImage& image) {
  TEmfWriter& w = Live(*FRecorder);
  TByteBuilder info, bits;
  AppendDib32(image, info, bits);
  TByteBuilder b;
  b.Rect(Inclusive(rect)).I32(rect.Left).I32(rect.Top).I32(0).I32(0).I32(image.Width).I32(image.Height);
  b.U32(80).U32(uint32_t(info.Size())).U32(uint32_t(80 + info.Size())).U32(uint32_t(bits.Size()));
  b.U32(0).U32(SRCCOPY).I32(rect.Width()).I32(rect.Height());
  b.Bytes(info.Data()).Bytes(bits.Data());
  w.Add(EMR_STRETCHDIBITS, b);
  Include(rect);
}

TMetafile TMetafileCanvas::Finish() {
  TEmfWriter& w = Live(*FRecorder);
  FRecorder->Finished = true;
  int dpiX = ReferenceDpi(FReference.LogPixelsX());
  int dpiY = ReferenceDpi(FReference.LogPixelsY());
  TEmfFrameInfo info;
  info.Frame = TRect{0, 0, int32_t(std::lround(FWidth * 2540.0 / dpiX)), int32_t(std::lround(FHeight * 2540.0 / dpiY))};
  DescribeDevice(dpiX, FWidth, info.Device.cx, info.Millimeters.cx, info.Micrometers.cx);
  DescribeDevice(dpiY, FHeight, info.Device.cy, info.Millimeters.cy, info.Micrometers.cy);
  return TMetafile::FromBytes(w.Finish(info));
}

}  // namespace platform
