#include "metafile/wmf.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "base/ansi.h"
#include "base/screen.h"
#include "graphics/tracecanvas.h"
#include "metafile/dib.h"
#include "metafile/metafilefile.h"
#include "metafile/metaplayer.h"
#include "metafile/wmfrecords.h"

namespace platform {
namespace {

[[noreturn]] void Damaged(const std::string& what) { throw EMetafileError("Damaged metafile: " + what); }

// Parameters are 16-bit words after the size and function fields.
struct TParams {
  const TRecordRef& R;
  int16_t I(size_t word) const { return R.I16(6 + 2 * word); }
  uint16_t U(size_t word) const { return R.U16(6 + 2 * word); }
  uint32_t U32(size_t word) const { return R.U32(6 + 2 * word); }
  double D(size_t word) const { return I(word); }
  size_t Words() const { return (R.Size() - 6) / 2; }
};

struct TWmfLayout {
  bool Placeable = false;
  TRect Box;             // placeable bounding box
  uint16_t Inch = 0;
  size_t HeaderAt = 0;   // the standard header
  size_t RecordsAt = 0;
  size_t End = 0;        // the data the header claims
  uint16_t Objects = 0;
};

TWmfLayout ReadLayout(std::span<const uint8_t> data) {
  TWmfLayout layout;
  TRecordRef all(data, 0, "header");
  if (data.size() >= 4 && all.U32(0) == WmfPlaceableKey) {
    if (data.size() < WmfPlaceableSize) Damaged("the data is too short for a placeable header");
    layout.Placeable = true;
    layout.Box = TRect{all.I16(6), all.I16(8), all.I16(10), all.I16(12)};
    layout.Inch = all.U16(14);
    if (layout.Box.Width() == 0 || layout.Box.Height() == 0) Damaged("the placeable header gives an empty picture");
    if (layout.Inch == 0) Damaged("the placeable header gives no scale");
    layout.HeaderAt = WmfPlaceableSize;
  }
  if (data.size() - layout.HeaderAt < WmfHeaderSize) Damaged("the data is too short for a metafile header");
  size_t h = layout.HeaderAt;
  uint16_t type = all.U16(h), headerWords = all.U16(h + 2);
  if ((type != 1 && type != 2) || headerWords != WmfHeaderSize / 2) Damaged("the data is not a Windows metafile");
  uint64_t bytes = uint64_t(all.U32(h + 6)) * 2;
  if (bytes < WmfHeaderSize) Damaged("the header gives a length shorter than itself");
  layout.Objects = all.U16(h + 10);
  layout.RecordsAt = h + WmfHeaderSize;
  // Some writers count the placeable header in the length as well; a file that is
  // really cut short still lacks its end-of-file record.
  layout.End = h + size_t(std::min<uint64_t>(bytes, data.size() - h));
  return layout;
}

template <typename Visit>
void ForEachRecord(std::span<const uint8_t> data, const TWmfLayout& layout, Visit visit) {
  size_t at = layout.RecordsAt;
  for (size_t index = 1;; ++index) {
    if (layout.End - at < 6) Damaged("the data ends before the end-of-file record");
    TRecordRef head(data.subspan(at, 6), index, "record");
    uint64_t size = uint64_t(head.U32(0)) * 2;
    uint16_t function = head.U16(4);
    const char* name = WmfRecordName(function);
    if (size < 6) TRecordRef({}, index, name).Fail("has an invalid size of " + std::to_string(size) + " bytes");
    if (size > layout.End - at) TRecordRef({}, index, name).Fail("runs past the end of the data");
    TRecordRef record(data.subspan(at, size_t(size)), index, name);
    if (function == META_EOF) return;
    visit(record, function);
    at += size_t(size);
  }
}

std::vector<TPointD> ReadPoints(const TParams& p, size_t firstWord, uint32_t count) {
  p.R.Slice(6 + 2 * firstWord, count, 4);
  std::vector<TPointD> points(count);
  for (uint32_t i = 0; i < count; ++i) points[i] = {p.D(firstWord + 2 * i), p.D(firstWord + 2 * i + 1)};
  return points;
}

void PolyPolygon(const TParams& p, TMetafilePlayer& player) {
  uint16_t polygons = p.U(0);
  p.R.Slice(8, polygons, 2);
  std::vector<uint32_t> counts;
  uint32_t total = 0;
  for (uint16_t i = 0; i < polygons; ++i) total += counts.emplace_back(p.U(1 + i));
  player.PolyPolygon(ReadPoints(p, 1 + polygons, total), counts);
}

TLogFont ReadFont(const TParams& p) {
  TLogFont font{};
  font.lfHeight = p.I(0);
  font.lfWidth = p.I(1);
  font.lfEscapement = p.I(2);
  font.lfOrientation = p.I(3);
  font.lfWeight = p.I(4);
  size_t at = 6 + 10;
  font.lfItalic = p.R.U8(at);
  font.lfUnderline = p.R.U8(at + 1);
  font.lfStrikeOut = p.R.U8(at + 2);
  font.lfCharSet = p.R.U8(at + 3);
  font.lfOutPrecision = p.R.U8(at + 4);
  font.lfClipPrecision = p.R.U8(at + 5);
  font.lfQuality = p.R.U8(at + 6);
  font.lfPitchAndFamily = p.R.U8(at + 7);
  std::string face;
  for (size_t i = at + 8; i < p.R.Size() && face.size() < LF_FACESIZE - 1; ++i) {
    char c = char(p.R.U8(i));
    if (c == 0) break;
    face.push_back(c);
  }
  SetFaceName(font, face);
  return font;
}

std::u16string ReadAnsi(const TRecordRef& r, size_t at, uint32_t length) {
  std::span<const uint8_t> bytes = r.Slice(at, length);
  return AnsiToUtf16(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TextOut(const TParams& p, TMetafilePlayer& player) {
  uint16_t length = p.U(0);
  size_t stringWords = (size_t(length) + 1) / 2;
  std::u16string text = ReadAnsi(p.R, 8, length);
  player.Text({p.D(2 + stringWords), p.D(1 + stringWords)}, text, 0, std::nullopt);
}

void ExtTextOut(const TParams& p, TMetafilePlayer& player) {
  TPointD at{p.D(1), p.D(0)};
  uint16_t length = p.U(2), options = p.U(3);
  size_t stringAt = 14;
  std::optional<std::pair<TPointD, TPointD>> box;
  if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
    box = std::pair{TPointD{p.D(4), p.D(5)}, TPointD{p.D(6), p.D(7)}};
    stringAt += 8;
  }
  player.Text(at, ReadAnsi(p.R, stringAt, length), options, box);
}

// The packed DIB that ends the record, from its first byte.
TDibData PackedDib(const TParams& p, size_t firstByte, uint32_t usage) {
  return TDibData{p.R.Bytes().subspan(std::min(firstByte, p.R.Size())), {}, true, usage};
}

// A source rectangle counts from the bottom row of a bottom-up bitmap.
TDibPart Source(int32_t x, int32_t y, int32_t cx, int32_t cy) { return TDibPart{x, y, cx, cy, true}; }

void PatternBlt(uint32_t rop, TPointD a, TPointD b, TMetafilePlayer& player) {
  if (rop == 0x00F00021) player.FillRect(a, b, std::nullopt);  // PATCOPY
  if (rop == 0x00000042) player.FillRect(a, b, clBlack);       // BLACKNESS
  if (rop == 0x00FF0062) player.FillRect(a, b, clWhite);       // WHITENESS
}

// Without a bitmap the record carries one more reserved word instead.
bool HasBitmap(const TParams& p, uint16_t function) { return p.R.Size() / 2 != size_t(function >> 8) + 3; }

// Parameter words: raster operation (2), then the fields named below in this order.
void DibBitBlt(const TParams& p, TMetafilePlayer& player) {
  uint32_t rop = p.U32(0);
  if (!HasBitmap(p, META_DIBBITBLT)) {  // ySrc, xSrc, reserved, height, width, yDest, xDest
    TPointD at{p.D(8), p.D(7)};
    return PatternBlt(rop, at, {at.X + p.D(6), at.Y + p.D(5)}, player);
  }
  // ySrc, xSrc, height, width, yDest, xDest, bitmap
  TPointD at{p.D(7), p.D(6)};
  player.Bitmap(at, {at.X + p.D(5), at.Y + p.D(4)}, p.R, PackedDib(p, 6 + 16, DIB_RGB_COLORS),
                Source(p.I(3), p.I(2), p.I(5), p.I(4)));
}

void DibStretchBlt(const TParams& p, TMetafilePlayer& player) {
  uint32_t rop = p.U32(0);
  if (!HasBitmap(p, META_DIBSTRETCHBLT)) {
    // srcHeight, srcWidth, ySrc, xSrc, reserved, destHeight, destWidth, yDest, xDest
    TPointD at{p.D(10), p.D(9)};
    return PatternBlt(rop, at, {at.X + p.D(8), at.Y + p.D(7)}, player);
  }
  // srcHeight, srcWidth, ySrc, xSrc, destHeight, destWidth, yDest, xDest, bitmap
  TPointD at{p.D(9), p.D(8)};
  player.Bitmap(at, {at.X + p.D(7), at.Y + p.D(6)}, p.R, PackedDib(p, 6 + 20, DIB_RGB_COLORS),
                Source(p.I(5), p.I(4), p.I(3), p.I(2)));
}

// rop, usage, srcHeight, srcWidth, ySrc, xSrc, destHeight, destWidth, yDest, xDest, bitmap
void StretchDib(const TParams& p, TMetafilePlayer& player) {
  TPointD at{p.D(10), p.D(9)};
  player.Bitmap(at, {at.X + p.D(8), at.Y + p.D(7)}, p.R, PackedDib(p, 6 + 22, p.U(2)),
                Source(p.I(6), p.I(5), p.I(4), p.I(3)));
}

void PlayRecord(const TRecordRef& r, uint16_t function, TMetafilePlayer& player) {
  TParams p{r};
  switch (function) {
    case META_SETBKCOLOR: return player.SetBkColor(p.U32(0) & 0xFFFFFF);
    case META_SETBKMODE: return player.SetBkMode(p.U(0));
    case META_SETMAPMODE: return player.SetMapMode(p.U(0));
    case META_SETPOLYFILLMODE: return player.SetPolyFillMode(p.U(0));
    case META_SETTEXTCOLOR: return player.SetTextColor(p.U32(0) & 0xFFFFFF);
    case META_SETTEXTALIGN: return player.SetTextAlign(p.U(0));
    case META_SETWINDOWORG: return player.SetWindowOrg(p.D(1), p.D(0));
    case META_SETWINDOWEXT: return player.SetWindowExt(p.D(1), p.D(0));
    case META_OFFSETWINDOWORG: return player.OffsetWindowOrg(p.D(1), p.D(0));
    case META_SCALEWINDOWEXT: return player.ScaleWindowExt(p.I(3), p.I(2), p.I(1), p.I(0));
    case META_LINETO: return player.LineTo({p.D(1), p.D(0)});
    case META_MOVETO: return player.MoveTo({p.D(1), p.D(0)});
    case META_RECTANGLE: return player.Rectangle({p.D(3), p.D(2)}, {p.D(1), p.D(0)});
    case META_ROUNDRECT: return player.RoundRect({p.D(5), p.D(4)}, {p.D(3), p.D(2)});
    case META_ELLIPSE: return player.Ellipse({p.D(3), p.D(2)}, {p.D(1), p.D(0)});
    case META_PATBLT: {
      TPointD at{p.D(5), p.D(4)};
      return PatternBlt(p.U32(0), at, {at.X + p.D(3), at.Y + p.D(2)}, player);
    }
    case META_SETPIXEL: {
      TPointD at{p.D(3), p.D(2)};
      return player.FillRect(at, {at.X + 1, at.Y + 1}, p.U32(0) & 0xFFFFFF);
    }
    case META_SAVEDC: return player.SaveDC(r);
    case META_RESTOREDC: return player.RestoreDC(p.I(0));
    case META_TEXTOUT: return TextOut(p, player);
    case META_EXTTEXTOUT: return ExtTextOut(p, player);
    case META_POLYGON: return player.Polygon(ReadPoints(p, 1, p.U(0)));
    case META_POLYLINE: return player.Polyline(ReadPoints(p, 1, p.U(0)));
    case META_POLYPOLYGON: return PolyPolygon(p, player);
    case META_SELECTOBJECT: return player.SelectObject(r, p.U(0));
    case META_DELETEOBJECT: return player.DeleteObject(r, p.U(0));
    case META_CREATEPENINDIRECT:
      return player.CreateObject(r, PlayPenFrom(p.U(0), p.I(1), p.U32(3)));
    case META_CREATEBRUSHINDIRECT: return player.CreateObject(r, PlayBrushFrom(p.U(0), p.U32(1)));
    case META_CREATEFONTINDIRECT: return player.CreateObject(r, ReadFont(p));
    case META_CREATEPATTERNBRUSH:
    case META_DIBCREATEPATTERNBRUSH: return player.CreateObject(r, PlayBrushFrom(3, 0));
    case META_CREATEPALETTE:
    case META_CREATEREGION: return player.CreateObject(r, TPlayOther{});
    case META_DIBBITBLT: return DibBitBlt(p, player);
    case META_DIBSTRETCHBLT: return DibStretchBlt(p, player);
    case META_STRETCHDIB: return StretchDib(p, player);
    default: return;  // clipping, palettes, escapes: nothing to draw
  }
}

// Files without a placeable header are sized by the window their records set.
TRect WindowOfRecords(std::span<const uint8_t> data, const TWmfLayout& layout) {
  std::optional<TPoint> origin, extent;
  ForEachRecord(data, layout, [&](const TRecordRef& r, uint16_t function) {
    TParams p{r};
    if (function == META_SETWINDOWORG && !origin) origin = TPoint{p.I(1), p.I(0)};
    if (function == META_SETWINDOWEXT && !extent) extent = TPoint{p.I(1), p.I(0)};
  });
  if (!extent || extent->X == 0 || extent->Y == 0) Damaged("the picture has no placeable header and no window extent");
  TPoint o = origin.value_or(TPoint{});
  return TRect{o.X, o.Y, o.X + extent->X, o.Y + extent->Y};
}

}  // namespace

TWindowsMetafile TWindowsMetafile::FromBytes(std::vector<uint8_t> bytes) {
  TWindowsMetafile wmf;
  TWmfLayout layout = ReadLayout(bytes);
  wmf.FPlaceable = layout.Placeable;
  wmf.FUnitsPerInch = layout.Inch;
  wmf.FBounds = layout.Placeable ? layout.Box : WindowOfRecords(bytes, layout);
  wmf.FBytes = std::move(bytes);
  wmf.FBitmaps = std::make_shared<TMetafileBitmaps>();
  // Every record is checked now, so a damaged picture fails to load, and its bitmaps are
  // decoded once for every later play.
  TTraceCanvas sink;
  sink.SetKeeping(false);
  wmf.Play(sink, TRect{0, 0, 1000, 1000});
  return wmf;
}

TWindowsMetafile TWindowsMetafile::LoadFromFile(const std::string& path) {
  return FromBytes(ReadMetafileBytes(path));
}

int32_t TWindowsMetafile::Width() const {
  if (!FPlaceable) return std::abs(FBounds.Width());
  return int32_t(std::lround(std::abs(FBounds.Width()) * double(ScreenPixelsPerInch()) / FUnitsPerInch));
}

int32_t TWindowsMetafile::Height() const {
  if (!FPlaceable) return std::abs(FBounds.Height());
  return int32_t(std::lround(std::abs(FBounds.Height()) * double(ScreenPixelsPerInch()) / FUnitsPerInch));
}

void TWindowsMetafile::Play(TCanvas& canvas, const TRect& dest) const {
  if (Empty()) return;
  TWmfLayout layout = ReadLayout(FBytes);
  TMetafilePlayer player = TMetafilePlayer::ForWmf(canvas, dest, FBounds, *FBitmaps);
  player.SetTableSize(layout.Objects);
  ForEachRecord(FBytes, layout, [&](const TRecordRef& r, uint16_t function) { PlayRecord(r, function, player); });
}

}  // namespace platform
