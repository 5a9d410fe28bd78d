// The playback device context shared by the EMF and WMF players: the picture's own GDI
// state (object table, selected pen, brush and font, mapping, text state, paths, saved
// states) and the drawing onto the target canvas, stretched into the destination.
// The record decoders only parse and call in here, so both formats draw the same way.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "graphics/canvas.h"
#include "metafile/metabitmaps.h"
#include "metafile/metarecord.h"

namespace platform {

struct TPointD {
  double X = 0;
  double Y = 0;
};

// x' = M11 x + M21 y + Dx, y' = M12 x + M22 y + Dy, as GDI's XFORM.
struct TXform {
  double M11 = 1, M12 = 0, M21 = 0, M22 = 1, Dx = 0, Dy = 0;
  TPointD Apply(TPointD p) const { return {M11 * p.X + M21 * p.Y + Dx, M12 * p.X + M22 * p.Y + Dy}; }
  // this after first
  TXform After(const TXform& first) const;
};

struct TPlayPen {
  TPenStyle Style = psSolid;
  int32_t Width = 0;  // logical units; 0 is one device pixel
  TColor Color = clBlack;
};

struct TPlayBrush {
  TBrushStyle Style = bsSolid;
  TColor Color = clWhite;
};

// Palettes and regions take a slot of the object table but draw nothing here.
struct TPlayOther {};

using TPlayObject = std::variant<TPlayPen, TPlayBrush, TLogFont, TPlayOther>;

// Logical pens, brushes and fonts as the records describe them.
TPlayPen PlayPenFrom(uint32_t style, int32_t width, TColor color);
TPlayBrush PlayBrushFrom(uint32_t style, TColor color);

// Fixed mapping modes that metafiles may use besides those of the canvas.
constexpr int MM_LOMETRIC = 2;
constexpr int MM_HIMETRIC = 3;
constexpr int MM_LOENGLISH = 4;
constexpr int MM_HIENGLISH = 5;
constexpr int MM_TWIPS = 6;

constexpr uint32_t ETO_OPAQUE = 0x0002;
constexpr uint32_t ETO_CLIPPED = 0x0004;

class TMetafilePlayer {
 public:
  // EMF: the picture's frame in its reference-device pixels maps onto dest; fixed
  // mapping modes use the reference device's pixels per millimetre. The bitmaps are the
  // picture's own, decoded at its first play and kept for the later ones.
  static TMetafilePlayer ForEmf(TCanvas& target, const TRect& dest, double frameLeft, double frameTop,
                                double frameRight, double frameBottom, TPointD pixelsPerMM,
                                TMetafileBitmaps& bitmaps);
  // WMF: the window (origin and extent, set again by the records) maps onto dest.
  static TMetafilePlayer ForWmf(TCanvas& target, const TRect& dest, const TRect& window, TMetafileBitmaps& bitmaps);
  ~TMetafilePlayer();
  TMetafilePlayer(TMetafilePlayer&&) = default;

  // Object table. EMF names the slot, WMF takes the lowest free one.
  void SetTableSize(uint32_t size) { FTableSize = size; }
  void CreateObjectAt(const TRecordRef& record, uint32_t index, TPlayObject object);
  void CreateObject(const TRecordRef& record, TPlayObject object);
  void SelectObject(const TRecordRef& record, uint32_t index);
  void SelectStockObject(const TRecordRef& record, uint32_t stock);
  void DeleteObject(const TRecordRef& record, uint32_t index);

  // State.
  void SetMapMode(int mode) { FDc.MapMode = mode; }
  void SetWindowOrg(double x, double y) { FDc.WindowOrg = {x, y}; }
  void SetWindowExt(double cx, double cy);
  void SetViewportOrg(double x, double y) { FDc.ViewportOrg = {x, y}; }
  void SetViewportExt(double cx, double cy);
  void OffsetWindowOrg(double dx, double dy) { FDc.WindowOrg = {FDc.WindowOrg.X + dx, FDc.WindowOrg.Y + dy}; }
  void OffsetViewportOrg(double dx, double dy) {
    FDc.ViewportOrg = {FDc.ViewportOrg.X + dx, FDc.ViewportOrg.Y + dy};
  }
  void ScaleWindowExt(int32_t xNum, int32_t xDenom, int32_t yNum, int32_t yDenom);
  void ScaleViewportExt(int32_t xNum, int32_t xDenom, int32_t yNum, int32_t yDenom);
  void SetWorldTransform(const TXform& xform) { FDc.World = xform; }
  void ModifyWorldTransform(const TXform& xform, uint32_t mode);
  void SetTextAlign(uint32_t align) { FDc.TextAlign = align; }
  void SetTextColor(TColor color) { FDc.TextColor = color; }
  void SetBkColor(TColor color) { FDc.BkColor = color; }
  void SetBkMode(uint32_t mode) { FDc.BkMode = mode == TRANSPARENT ? TRANSPARENT : OPAQUE; }
  void SetPolyFillMode(uint32_t mode) { FDc.PolyFillMode = mode == WINDING ? WINDING : ALTERNATE; }
  void SaveDC(const TRecordRef& record);
  void RestoreDC(int32_t which);

  // Drawing, in the picture's logical coordinates.
  void MoveTo(TPointD p);
  void LineTo(TPointD p);
  void Rectangle(TPointD a, TPointD b);
  void RoundRect(TPointD a, TPointD b) { Rectangle(a, b); }
  void Ellipse(TPointD a, TPointD b);
  void Polygon(std::span<const TPointD> points);
  void Polyline(std::span<const TPointD> points);
  void PolyPolygon(std::span<const TPointD> points, std::span<const uint32_t> counts);
  void PolyPolyline(std::span<const TPointD> points, std::span<const uint32_t> counts);
  void PolylineTo(std::span<const TPointD> points);
  void PolyBezier(std::span<const TPointD> points);
  void PolyBezierTo(std::span<const TPointD> points);
  // Fills with a colour, or with the selected brush when colour is empty.
  void FillRect(TPointD a, TPointD b, std::optional<TColor> colour);
  // Draws the part of the record's bitmap stretched from a to b.
  void Bitmap(TPointD a, TPointD b, const TRecordRef& record, const TDibData& dib, const TDibPart& part);
  void Text(TPointD at, std::u16string_view text, uint32_t options, std::optional<std::pair<TPointD, TPointD>> box);
  void SelectFont(const TLogFont& font) { FDc.Font = font; }

  // Paths.
  void BeginPath();
  void EndPath() { FInPath = false; }
  void AbortPath();
  void CloseFigure();
  void FillPath();
  void StrokePath();
  void StrokeAndFillPath();

 private:
  struct TDcState {
    TPlayPen Pen;
    TPlayBrush Brush;
    TLogFont Font{};
    TColor TextColor = clBlack;
    TColor BkColor = clWhite;
    int BkMode = OPAQUE;
    uint32_t TextAlign = TA_LEFT | TA_TOP;
    int PolyFillMode = ALTERNATE;
    int MapMode = MM_TEXT;
    TPointD WindowOrg, ViewportOrg;
    TPointD WindowExt{1, 1}, ViewportExt{1, 1};
    TXform World;
    TPointD Position;  // logical
  };
  struct TFigure {
    std::vector<TPointD> Points;  // target coordinates
    bool Closed = false;
  };
  struct TTargetState;

  TMetafilePlayer(TCanvas& target, const TRect& dest, TMetafileBitmaps& bitmaps);
  TXform Transform() const;
  TXform Mapping() const;
  TPointD ToTarget(TPointD p) const { return Transform().Apply(p); }
  std::vector<TPoint> Rounded(std::span<const TPointD> points) const;
  std::vector<TPointD> Mapped(std::span<const TPointD> points) const;
  int32_t TargetLength(double logical) const;
  void UsePen(bool withPen);
  void UseBrush(bool withBrush);
  void DrawFigures(const std::vector<TFigure>& figures, bool fill, bool stroke);
  void AddFigure(std::vector<TPointD> targetPoints, bool closed);
  void ExtendFigure(std::span<const TPointD> targetPoints);
  std::vector<TPointD> Flattened(TPointD start, std::span<const TPointD> controls) const;
  std::vector<TPointD> EllipsePoints(TPointD a, TPointD b) const;
  void CheckSlot(const TRecordRef& record, uint32_t index) const;

  TCanvas* FTarget;
  TRect FDest;
  TMetafileBitmaps* FBitmaps;
  bool FWmf = false;
  TXform FStretch;  // EMF: reference-device pixels to target
  TPointD FPixelsPerMM{1, 1};
  TDcState FDc;
  std::vector<TDcState> FSaved;
  uint32_t FTableSize = 0;
  std::map<uint32_t, TPlayObject> FObjects;
  bool FInPath = false;
  std::vector<TFigure> FPath;
  std::unique_ptr<TTargetState> FTargetState;
};

}  // namespace platform
