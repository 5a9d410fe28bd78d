#include "metafile/metaplayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace platform {
namespace {

// Coordinates beyond this are clamped: no page is that large, and painting engines
// work in fixed point that larger values would overflow.
constexpr double CoordinateLimit = double(1 << 23);
constexpr int32_t FontHeightLimit = 20000;
constexpr size_t SavedStateLimit = 1024;
constexpr int BezierSteps = 16;
constexpr int EllipseSteps = 64;
constexpr uint32_t StockFlag = 0x80000000u;

int32_t Clamped(double v) {
  if (!(v == v)) return 0;
  return int32_t(std::lround(std::clamp(v, -CoordinateLimit, CoordinateLimit)));
}

// A fill's edges on the target's pixels. One narrower than a pixel still covers the pixel
// under its middle, as a printer draws a hairline, so the one-pixel lines of a page
// recorded in finer units stay visible on a coarser target.
std::pair<int32_t, int32_t> FillSpan(double from, double to) {
  const int32_t first = Clamped(from), last = Clamped(to);
  if (first != last || !(std::abs(to - from) > 0)) return {first, last};  // NaN: nothing
  const int32_t pixel = Clamped(std::floor((from + to) / 2));
  return {pixel, pixel + 1};
}

TLogFont DefaultFont() {
  TLogFont font{};
  font.lfHeight = 16;
  font.lfWeight = FW_NORMAL;
  SetFaceName(font, "Arial");
  return font;
}

// The stock objects (GetStockObject indices 0..19).
struct TStockEntry {
  uint32_t Index;
  TPlayObject Object;
};
const TStockEntry StockObjects[] = {
    {0, TPlayBrush{bsSolid, RGB(255, 255, 255)}},  // WHITE_BRUSH
    {1, TPlayBrush{bsSolid, RGB(192, 192, 192)}},  // LTGRAY_BRUSH
    {2, TPlayBrush{bsSolid, RGB(128, 128, 128)}},  // GRAY_BRUSH
    {3, TPlayBrush{bsSolid, RGB(64, 64, 64)}},     // DKGRAY_BRUSH
    {4, TPlayBrush{bsSolid, RGB(0, 0, 0)}},        // BLACK_BRUSH
    {5, TPlayBrush{bsClear, RGB(0, 0, 0)}},        // NULL_BRUSH
    {6, TPlayPen{psSolid, 0, RGB(255, 255, 255)}}, // WHITE_PEN
    {7, TPlayPen{psSolid, 0, RGB(0, 0, 0)}},       // BLACK_PEN
    {8, TPlayPen{psClear, 0, RGB(0, 0, 0)}},       // NULL_PEN
    {10, DefaultFont()},                            // OEM_FIXED_FONT
    {11, DefaultFont()},                            // ANSI_FIXED_FONT
    {12, DefaultFont()},                            // ANSI_VAR_FONT
    {13, DefaultFont()},                            // SYSTEM_FONT
    {14, DefaultFont()},                            // DEVICE_DEFAULT_FONT
    {16, DefaultFont()},                            // SYSTEM_FIXED_FONT
    {17, DefaultFont()},                            // DEFAULT_GUI_FONT
    {18, TPlayBrush{bsSolid, RGB(255, 255, 255)}}, // DC_BRUSH
    {19, TPlayPen{psSolid, 0, RGB(0, 0, 0)}},      // DC_PEN
};

}  // namespace

TXform TXform::After(const TXform& a) const {
  // (this ∘ a)(p) = this(a(p))
  return TXform{M11 * a.M11 + M21 * a.M12,      M12 * a.M11 + M22 * a.M12,
                M11 * a.M21 + M21 * a.M22,      M12 * a.M21 + M22 * a.M22,
                M11 * a.Dx + M21 * a.Dy + Dx,   M12 * a.Dx + M22 * a.Dy + Dy};
}

TPlayPen PlayPenFrom(uint32_t style, int32_t width, TColor color) {
  static const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psSolid};
  uint32_t kind = style & 0x0F;
  return TPlayPen{kind < std::size(styles) ? styles[kind] : psSolid, std::clamp(width, 0, 100000), color & 0xFFFFFF};
}

TPlayBrush PlayBrushFrom(uint32_t style, TColor color) {
  switch (style) {
    case 0: return TPlayBrush{bsSolid, color & 0xFFFFFF};  // BS_SOLID
    case 1: return TPlayBrush{bsClear, color & 0xFFFFFF};  // BS_NULL
    case 2: return TPlayBrush{bsSolid, color & 0xFFFFFF};  // BS_HATCHED: the hatch colour, without the hatch
    default: return TPlayBrush{bsSolid, RGB(128, 128, 128)};  // pattern brushes: their mean is unknown
  }
}

// The target canvas's state, put back when playback ends however it ends.
struct TMetafilePlayer::TTargetState {
  TCanvas& Canvas;
  TBrush Brush;
  TPen Pen;
  TFont Font;
  uint32_t Align;
  int BkMode;
  TColor BkColor;
  int FillMode;
  explicit TTargetState(TCanvas& c)
      : Canvas(c), Brush(c.Brush), Pen(c.Pen), Font(c.Font), Align(c.GetTextAlign()), BkMode(c.GetBkMode()),
        BkColor(c.GetBkColor()), FillMode(c.GetPolyFillMode()) {}
  ~TTargetState() {
    Canvas.Brush = Brush;
    Canvas.Pen = Pen;
    Canvas.Font = Font;
    Canvas.SetTextAlign(Align);
    Canvas.SetBkMode(BkMode);
    Canvas.SetBkColor(BkColor);
    Canvas.SetPolyFillMode(FillMode);
  }
};

TMetafilePlayer::TMetafilePlayer(TCanvas& target, const TRect& dest, TMetafileBitmaps& bitmaps)
    : FTarget(&target), FDest(dest), FBitmaps(&bitmaps), FTargetState(std::make_unique<TTargetState>(target)) {
  FDc.Font = DefaultFont();
}

TMetafilePlayer::~TMetafilePlayer() = default;

TMetafilePlayer TMetafilePlayer::ForEmf(TCanvas& target, const TRect& dest, double frameLeft, double frameTop,
                                        double frameRight, double frameBottom, TPointD pixelsPerMM,
                                        TMetafileBitmaps& bitmaps) {
  TMetafilePlayer player(target, dest, bitmaps);
  double sx = (dest.Right - dest.Left) / (frameRight - frameLeft);
  double sy = (dest.Bottom - dest.Top) / (frameBottom - frameTop);
  player.FStretch = TXform{sx, 0, 0, sy, dest.Left - frameLeft * sx, dest.Top - frameTop * sy};
  player.FPixelsPerMM = pixelsPerMM;
  return player;
}

TMetafilePlayer TMetafilePlayer::ForWmf(TCanvas& target, const TRect& dest, const TRect& window,
                                        TMetafileBitmaps& bitmaps) {
  TMetafilePlayer player(target, dest, bitmaps);
  player.FWmf = true;
  player.FDc.WindowOrg = {double(window.Left), double(window.Top)};
  player.FDc.WindowExt = {double(window.Width()), double(window.Height())};
  return player;
}

// ---- mapping ----

TXform TMetafilePlayer::Mapping() const {
  const TDcState& dc = FDc;
  if (FWmf) {
    // The viewport is the destination rectangle.
    double sx = (FDest.Right - FDest.Left) / dc.WindowExt.X;
    double sy = (FDest.Bottom - FDest.Top) / dc.WindowExt.Y;
    return TXform{sx, 0, 0, sy, FDest.Left - dc.WindowOrg.X * sx, FDest.Top - dc.WindowOrg.Y * sy};
  }
  double sx = 1, sy = 1;
  switch (dc.MapMode) {
    case MM_TEXT: return FStretch;
    case MM_LOMETRIC: sx = FPixelsPerMM.X * 0.1, sy = -FPixelsPerMM.Y * 0.1; break;
    case MM_HIMETRIC: sx = FPixelsPerMM.X * 0.01, sy = -FPixelsPerMM.Y * 0.01; break;
    case MM_LOENGLISH: sx = FPixelsPerMM.X * 0.254, sy = -FPixelsPerMM.Y * 0.254; break;
    case MM_HIENGLISH: sx = FPixelsPerMM.X * 0.0254, sy = -FPixelsPerMM.Y * 0.0254; break;
    case MM_TWIPS: sx = FPixelsPerMM.X * 25.4 / 1440, sy = -FPixelsPerMM.Y * 25.4 / 1440; break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC:
      sx = dc.ViewportExt.X / dc.WindowExt.X;
      sy = dc.ViewportExt.Y / dc.WindowExt.Y;
      if (dc.MapMode == MM_ISOTROPIC) {
        double s = std::min(std::abs(sx), std::abs(sy));
        sx = std::copysign(s, sx);
        sy = std::copysign(s, sy);
      }
      break;
    default: return FStretch;
  }
  TXform page{sx, 0, 0, sy, dc.ViewportOrg.X - dc.WindowOrg.X * sx, dc.ViewportOrg.Y - dc.WindowOrg.Y * sy};
  return FStretch.After(page);
}

TXform TMetafilePlayer::Transform() const { return Mapping().After(FDc.World); }

std::vector<TPointD> TMetafilePlayer::Mapped(std::span<const TPointD> points) const {
  TXform m = Transform();
  std::vector<TPointD> mapped(points.size());
  std::transform(points.begin(), points.end(), mapped.begin(), [&m](TPointD p) { return m.Apply(p); });
  return mapped;
}

std::vector<TPoint> TMetafilePlayer::Rounded(std::span<const TPointD> points) const {
  std::vector<TPoint> rounded(points.size());
  std::transform(points.begin(), points.end(), rounded.begin(),
                 [](TPointD p) { return TPoint{Clamped(p.X), Clamped(p.Y)}; });
  return rounded;
}

int32_t TMetafilePlayer::TargetLength(double logical) const {
  TXform m = Transform();
  double scale = std::sqrt(std::abs(m.M11 * m.M22 - m.M12 * m.M21));
  return Clamped(logical * scale);
}

void TMetafilePlayer::SetWindowExt(double cx, double cy) {
  if (cx != 0 && cy != 0) FDc.WindowExt = {cx, cy};
}

void TMetafilePlayer::SetViewportExt(double cx, double cy) {
  if (cx != 0 && cy != 0) FDc.ViewportExt = {cx, cy};
}

void TMetafilePlayer::ScaleWindowExt(int32_t xNum, int32_t xDenom, int32_t yNum, int32_t yDenom) {
  if (xDenom != 0 && yDenom != 0) SetWindowExt(FDc.WindowExt.X * xNum / xDenom, FDc.WindowExt.Y * yNum / yDenom);
}

void TMetafilePlayer::ScaleViewportExt(int32_t xNum, int32_t xDenom, int32_t yNum, int32_t yDenom) {
  if (xDenom != 0 && yDenom != 0)
    SetViewportExt(FDc.ViewportExt.X * xNum / xDenom, FDc.ViewportExt.Y * yNum / yDenom);
}

void TMetafilePlayer::ModifyWorldTransform(const TXform& xform, uint32_t mode) {
  switch (mode) {
    case 1: FDc.World = TXform{}; break;              // MWT_IDENTITY
    case 2: FDc.World = FDc.World.After(xform); break;  // MWT_LEFTMULTIPLY: xform first
    case 3: FDc.World = xform.After(FDc.World); break;  // MWT_RIGHTMULTIPLY
    case 4: FDc.World = xform; break;                   // MWT_SET
    default: break;
  }
}

void TMetafilePlayer::SaveDC(const TRecordRef& record) {
  if (FSaved.size() >= SavedStateLimit) record.Fail("saves more drawing states than any picture needs");
  FSaved.push_back(FDc);
}

void TMetafilePlayer::RestoreDC(int32_t which) {
  // Negative: relative to the current state; positive: the n-th saved state.
  int64_t index = which < 0 ? int64_t(FSaved.size()) + which : int64_t(which) - 1;
  if (index < 0 || index >= int64_t(FSaved.size())) return;  // GDI ignores it too
  FDc = FSaved[size_t(index)];
  FSaved.resize(size_t(index));
}

// ---- objects ----

void TMetafilePlayer::CheckSlot(const TRecordRef& record, uint32_t index) const {
  if (index >= FTableSize)
    record.Fail("uses object " + std::to_string(index) + " beyond the object table of " + std::to_string(FTableSize));
}

void TMetafilePlayer::CreateObjectAt(const TRecordRef& record, uint32_t index, TPlayObject object) {
  CheckSlot(record, index);
  FObjects[index] = std::move(object);
}

void TMetafilePlayer::CreateObject(const TRecordRef& record, TPlayObject object) {
  uint32_t index = 0;
  for (auto it = FObjects.begin(); it != FObjects.end() && it->first == index; ++it) ++index;
  if (index >= FTableSize) record.Fail("creates more objects than its object table holds");
  FObjects[index] = std::move(object);
}

namespace {
struct TSelector {
  TPlayPen& Pen;
  TPlayBrush& Brush;
  TLogFont& Font;
  void operator()(const TPlayPen& p) { Pen = p; }
  void operator()(const TPlayBrush& b) { Brush = b; }
  void operator()(const TLogFont& f) { Font = f; }
  void operator()(const TPlayOther&) {}
};
}  // namespace

void TMetafilePlayer::SelectObject(const TRecordRef& record, uint32_t index) {
  if (index & StockFlag) return SelectStockObject(record, index & ~StockFlag);
  auto found = FObjects.find(index);
  // Selecting an empty slot: GDI fails the call and the picture goes on.
  if (found == FObjects.end()) return;
  std::visit(TSelector{FDc.Pen, FDc.Brush, FDc.Font}, found->second);
}

void TMetafilePlayer::SelectStockObject(const TRecordRef&, uint32_t stock) {
  for (const TStockEntry& entry : StockObjects)
    if (entry.Index == stock) std::visit(TSelector{FDc.Pen, FDc.Brush, FDc.Font}, entry.Object);
}

void TMetafilePlayer::DeleteObject(const TRecordRef&, uint32_t index) { FObjects.erase(index); }

// ---- drawing ----

void TMetafilePlayer::UsePen(bool withPen) {
  if (!withPen || FDc.Pen.Style == psClear) {
    FTarget->Pen.SetStyle(psClear);
    return;
  }
  FTarget->Pen.SetStyle(FDc.Pen.Style);
  FTarget->Pen.SetColor(FDc.Pen.Color);
  FTarget->Pen.SetWidth(std::max(1, TargetLength(FDc.Pen.Width)));
}

void TMetafilePlayer::UseBrush(bool withBrush) {
  if (!withBrush || FDc.Brush.Style == bsClear) {
    FTarget->Brush.SetStyle(bsClear);
    return;
  }
  FTarget->Brush.SetColor(FDc.Brush.Color);
}

void TMetafilePlayer::AddFigure(std::vector<TPointD> targetPoints, bool closed) {
  FPath.push_back(TFigure{std::move(targetPoints), closed});
}

void TMetafilePlayer::ExtendFigure(std::span<const TPointD> targetPoints) {
  if (FPath.empty() || FPath.back().Closed) AddFigure({ToTarget(FDc.Position)}, false);
  FPath.back().Points.insert(FPath.back().Points.end(), targetPoints.begin(), targetPoints.end());
}

void TMetafilePlayer::DrawFigures(const std::vector<TFigure>& figures, bool fill, bool stroke) {
  std::vector<TPointD> all;
  std::vector<int32_t> counts;
  for (const TFigure& f : figures) {
    if (f.Points.size() < 2) continue;
    all.insert(all.end(), f.Points.begin(), f.Points.end());
    counts.push_back(int32_t(f.Points.size()));
  }
  if (all.empty()) return;
  std::vector<TPoint> points = Rounded(all);
  FTarget->SetPolyFillMode(FDc.PolyFillMode);
  if (fill && FDc.Brush.Style != bsClear) {
    UsePen(false);
    UseBrush(true);
    FTarget->PolyPolygon(points, counts);
  }
  if (!stroke || FDc.Pen.Style == psClear) return;
  UsePen(true);
  size_t at = 0;
  for (const TFigure& f : figures) {
    if (f.Points.size() < 2) continue;
    std::vector<TPoint> line(points.begin() + long(at), points.begin() + long(at + f.Points.size()));
    if (f.Closed) line.push_back(line.front());
    FTarget->Polyline(line);
    at += f.Points.size();
  }
}

void TMetafilePlayer::MoveTo(TPointD p) {
  FDc.Position = p;
  if (FInPath) AddFigure({ToTarget(p)}, false);
}

void TMetafilePlayer::LineTo(TPointD p) {
  TPointD line[2] = {FDc.Position, p};
  FDc.Position = p;
  if (FInPath) {
    TPointD end = ToTarget(p);
    ExtendFigure(std::span<const TPointD>(&end, 1));
    return;
  }
  DrawFigures({TFigure{Mapped(line), false}}, false, true);
}

void TMetafilePlayer::Rectangle(TPointD a, TPointD b) {
  TXform m = Transform();
  if (!FInPath && m.M12 == 0 && m.M21 == 0) {
    TPointD p = m.Apply(a), q = m.Apply(b);
    UsePen(true);
    UseBrush(true);
    FTarget->Rectangle(TRect{Clamped(p.X), Clamped(p.Y), Clamped(q.X), Clamped(q.Y)});
    return;
  }
  TPointD corners[4] = {a, {b.X, a.Y}, b, {a.X, b.Y}};
  Polygon(corners);
}

std::vector<TPointD> TMetafilePlayer::EllipsePoints(TPointD a, TPointD b) const {
  std::vector<TPointD> points(EllipseSteps);
  double cx = (a.X + b.X) / 2, cy = (a.Y + b.Y) / 2, rx = (b.X - a.X) / 2, ry = (b.Y - a.Y) / 2;
  for (int i = 0; i < EllipseSteps; ++i) {
    double t = 2 * std::numbers::pi * i / EllipseSteps;
    points[size_t(i)] = {cx + rx * std::cos(t), cy + ry * std::sin(t)};
  }
  return points;
}

void TMetafilePlayer::Ellipse(TPointD a, TPointD b) {
  TXform m = Transform();
  if (!FInPath && m.M12 == 0 && m.M21 == 0) {
    TPointD p = m.Apply(a), q = m.Apply(b);
    UsePen(true);
    UseBrush(true);
    FTarget->Ellipse(TRect{Clamped(p.X), Clamped(p.Y), Clamped(q.X), Clamped(q.Y)});
    return;
  }
  Polygon(EllipsePoints(a, b));
}

void TMetafilePlayer::Polygon(std::span<const TPointD> points) {
  if (FInPath) return AddFigure(Mapped(points), true);
  DrawFigures({TFigure{Mapped(points), true}}, true, true);
}

void TMetafilePlayer::Polyline(std::span<const TPointD> points) {
  if (FInPath) return AddFigure(Mapped(points), false);
  DrawFigures({TFigure{Mapped(points), false}}, false, true);
}

namespace {
template <typename Each>
void ForEachPart(std::span<const TPointD> points, std::span<const uint32_t> counts, Each each) {
  size_t at = 0;
  for (uint32_t n : counts) {
    if (n > points.size() - at) break;
    each(points.subspan(at, n));
    at += n;
  }
}
}  // namespace

void TMetafilePlayer::PolyPolygon(std::span<const TPointD> points, std::span<const uint32_t> counts) {
  std::vector<TFigure> figures;
  ForEachPart(points, counts, [&](std::span<const TPointD> part) { figures.push_back({Mapped(part), true}); });
  if (FInPath) {
    FPath.insert(FPath.end(), figures.begin(), figures.end());
    return;
  }
  DrawFigures(figures, true, true);
}

void TMetafilePlayer::PolyPolyline(std::span<const TPointD> points, std::span<const uint32_t> counts) {
  ForEachPart(points, counts, [&](std::span<const TPointD> part) { Polyline(part); });
}

void TMetafilePlayer::PolylineTo(std::span<const TPointD> points) {
  if (points.empty()) return;
  if (FInPath) {
    ExtendFigure(Mapped(points));
  } else {
    std::vector<TPointD> line{FDc.Position};
    line.insert(line.end(), points.begin(), points.end());
    DrawFigures({TFigure{Mapped(line), false}}, false, true);
  }
  FDc.Position = points.back();
}

std::vector<TPointD> TMetafilePlayer::Flattened(TPointD start, std::span<const TPointD> controls) const {
  std::vector<TPointD> out{start};
  for (size_t i = 0; i + 3 <= controls.size(); i += 3) {
    TPointD p0 = out.back(), p1 = controls[i], p2 = controls[i + 1], p3 = controls[i + 2];
    for (int s = 1; s <= BezierSteps; ++s) {
      double t = double(s) / BezierSteps, u = 1 - t;
      double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
      out.push_back({a * p0.X + b * p1.X + c * p2.X + d * p3.X, a * p0.Y + b * p1.Y + c * p2.Y + d * p3.Y});
    }
  }
  return out;
}

void TMetafilePlayer::PolyBezier(std::span<const TPointD> points) {
  if (points.empty()) return;
  Polyline(Flattened(points.front(), points.subspan(1)));
}

void TMetafilePlayer::PolyBezierTo(std::span<const TPointD> points) {
  std::vector<TPointD> curve = Flattened(FDc.Position, points);
  curve.erase(curve.begin());
  PolylineTo(curve);
}

void TMetafilePlayer::FillRect(TPointD a, TPointD b, std::optional<TColor> colour) {
  if (!colour && FDc.Brush.Style == bsClear) return;
  TXform m = Transform();
  if (m.M12 != 0 || m.M21 != 0) {
    TPlayBrush saved = FDc.Brush;
    if (colour) FDc.Brush = TPlayBrush{bsSolid, *colour};
    TPointD corners[4] = {a, {b.X, a.Y}, b, {a.X, b.Y}};
    DrawFigures({TFigure{Mapped(corners), true}}, true, false);
    FDc.Brush = saved;
    return;
  }
  TPointD p = m.Apply(a), q = m.Apply(b);
  auto [left, right] = FillSpan(p.X, q.X);
  auto [top, bottom] = FillSpan(p.Y, q.Y);
  FTarget->Brush.SetColor(colour ? *colour : FDc.Brush.Color);
  FTarget->FillRect(TRect{left, top, right, bottom});
}

void TMetafilePlayer::Bitmap(TPointD a, TPointD b, const TRecordRef& record, const TDibData& dib,
                             const TDibPart& part) {
  const TRgbImage& image = FBitmaps->Image(record, dib, part);
  TPointD p = ToTarget(a), q = ToTarget(b);
  FTarget->StretchDraw(TRect{Clamped(p.X), Clamped(p.Y), Clamped(q.X), Clamped(q.Y)}, image);
}

void TMetafilePlayer::Text(TPointD at, std::u16string_view text, uint32_t options,
                           std::optional<std::pair<TPointD, TPointD>> box) {
  if (box && (options & ETO_OPAQUE)) FillRect(box->first, box->second, FDc.BkColor);
  if (text.empty()) return;
  TXform m = Transform();
  TLogFont font = FDc.Font;
  double yScale = std::hypot(m.M21, m.M22), xScale = std::hypot(m.M11, m.M12);
  font.lfHeight = std::clamp(Clamped(font.lfHeight * yScale), -FontHeightLimit, FontHeightLimit);
  font.lfWidth = std::clamp(Clamped(font.lfWidth * xScale), 0, FontHeightLimit);
  // A rotating world transform turns the writing direction as well.
  double turn = std::atan2(-m.M12, m.M11) * 1800 / std::numbers::pi;
  font.lfEscapement = int32_t((int64_t(font.lfEscapement % 3600) + std::lround(turn) + 3600) % 3600);
  bool updateCP = (FDc.TextAlign & TA_UPDATECP) != 0;
  TPointD p = m.Apply(updateCP ? FDc.Position : at);
  HFONT created = FTarget->CreateFontIndirect(font);
  HGDIOBJ previous = FTarget->SelectObject(created);
  FTarget->SetTextAlign(FDc.TextAlign & ~TA_UPDATECP);
  FTarget->SetBkMode(FDc.BkMode);
  FTarget->SetBkColor(FDc.BkColor);
  FTarget->Font.SetColor(FDc.TextColor);
  FTarget->TextOutW(Clamped(p.X), Clamped(p.Y), text);
  if (updateCP && xScale > 0) FDc.Position.X += FTarget->TextExtentW(text).cx / xScale;
  FTarget->SelectObject(previous);
  FTarget->DeleteObject(created);
}

// ---- paths ----

void TMetafilePlayer::BeginPath() {
  FPath.clear();
  FInPath = true;
}

void TMetafilePlayer::AbortPath() {
  FPath.clear();
  FInPath = false;
}

void TMetafilePlayer::CloseFigure() {
  if (!FPath.empty()) FPath.back().Closed = true;
}

void TMetafilePlayer::FillPath() {
  for (TFigure& f : FPath) f.Closed = true;
  DrawFigures(FPath, true, false);
  AbortPath();
}

void TMetafilePlayer::StrokePath() {
  DrawFigures(FPath, false, true);
  AbortPath();
}

void TMetafilePlayer::StrokeAndFillPath() {
  for (TFigure& f : FPath) f.Closed = true;
  DrawFigures(FPath, true, true);
  AbortPath();
}

}  // namespace platform
