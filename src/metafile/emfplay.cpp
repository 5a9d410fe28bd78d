#include "metafile/emfplay.h"

#include <string>
#include <vector>

#include "base/ansi.h"
#include "metafile/dib.h"
#include "metafile/emfrecords.h"

namespace platform {
namespace {

[[noreturn]] void Damaged(const std::string& what) { throw EMetafileError("Damaged metafile: " + what); }

TRect ReadRect(const TRecordRef& r, size_t at) { return TRect{r.I32(at), r.I32(at + 4), r.I32(at + 8), r.I32(at + 12)}; }

TPointD ReadPoint(const TRecordRef& r, size_t at) { return {double(r.I32(at)), double(r.I32(at + 4))}; }

std::vector<TPointD> ReadPoints(const TRecordRef& r, size_t at, uint32_t count, bool small) {
  size_t unit = small ? 4 : 8;
  r.Slice(at, count, unit);
  std::vector<TPointD> points(count);
  for (uint32_t i = 0; i < count; ++i) {
    size_t p = at + i * unit;
    points[i] = small ? TPointD{double(r.I16(p)), double(r.I16(p + 2))} : ReadPoint(r, p);
  }
  return points;
}

// Bounds, count, points.
std::vector<TPointD> PolyPoints(const TRecordRef& r, bool small) { return ReadPoints(r, 28, r.U32(24), small); }

struct TPolyPoly {
  std::vector<uint32_t> Counts;
  std::vector<TPointD> Points;
};

// Bounds, number of polygons, total points, the counts, the points.
TPolyPoly PolyPolyPoints(const TRecordRef& r, bool small) {
  uint32_t polys = r.U32(24);
  uint32_t total = r.U32(28);
  r.Slice(32, polys, 4);
  TPolyPoly result;
  uint64_t sum = 0;
  for (uint32_t i = 0; i < polys; ++i) {
    result.Counts.push_back(r.U32(32 + 4 * size_t(i)));
    sum += result.Counts.back();
  }
  if (sum != total) r.Fail("has polygon counts that do not add up to its points");
  result.Points = ReadPoints(r, 32 + 4 * size_t(polys), total, small);
  return result;
}

TXform ReadXform(const TRecordRef& r, size_t at) {
  return TXform{r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16), r.F32(at + 20)};
}

TLogFont ReadLogFontW(const TRecordRef& r, size_t at) {
  TLogFont font{};
  font.lfHeight = r.I32(at);
  font.lfWidth = r.I32(at + 4);
  font.lfEscapement = r.I32(at + 8);
  font.lfOrientation = r.I32(at + 12);
  font.lfWeight = r.I32(at + 16);
  font.lfItalic = r.U8(at + 20);
  font.lfUnderline = r.U8(at + 21);
  font.lfStrikeOut = r.U8(at + 22);
  font.lfCharSet = r.U8(at + 23);
  font.lfOutPrecision = r.U8(at + 24);
  font.lfClipPrecision = r.U8(at + 25);
  font.lfQuality = r.U8(at + 26);
  font.lfPitchAndFamily = r.U8(at + 27);
  std::u16string face;
  for (size_t i = 0; i < LF_FACESIZE; ++i) {
    char16_t c = r.U16(at + 28 + 2 * i);
    if (c == 0) break;
    face.push_back(c);
  }
  SetFaceName(font, Utf16ToAnsi(face));
  return font;
}

// The bitmap a record carries: offBmi, cbBmi, offBits and cbBits from `at`.
TDibData CarriedDib(const TRecordRef& r, size_t at, uint32_t usage) {
  return TDibData{r.Slice(r.U32(at), r.U32(at + 4)), r.Slice(r.U32(at + 8), r.U32(at + 12)), false, usage};
}

void BlockTransfer(const TRecordRef& r, TMetafilePlayer& player, bool stretched) {
  TPointD at = ReadPoint(r, 24);
  TPointD size{double(r.I32(32)), double(r.I32(36))};
  TPointD end{at.X + size.X, at.Y + size.Y};
  uint32_t rop = r.U32(40);
  uint32_t cbBmi = r.U32(88);
  if (cbBmi == 0) {
    // No source: a pattern fill with the brush, or plain black or white.
    if (rop == PATCOPY) player.FillRect(at, end, std::nullopt);
    if (rop == BLACKNESS) player.FillRect(at, end, clBlack);
    if (rop == WHITENESS) player.FillRect(at, end, clWhite);
    return;
  }
  TDibData dib = CarriedDib(r, 84, r.U32(80));
  int32_t cxSrc = stretched ? r.I32(100) : int32_t(size.X);
  int32_t cySrc = stretched ? r.I32(104) : int32_t(size.Y);
  player.Bitmap(at, end, r, dib, TDibPart{r.I32(44), r.I32(48), cxSrc, cySrc, false});
}

// Source rectangles of the DIB records count from the bitmap's bottom row.
TDibPart DibSource(const TRecordRef& r) { return TDibPart{r.I32(32), r.I32(36), r.I32(40), r.I32(44), true}; }

void StretchDib(const TRecordRef& r, TMetafilePlayer& player) {
  TPointD at = ReadPoint(r, 24);
  TPointD end{at.X + r.I32(72), at.Y + r.I32(76)};
  player.Bitmap(at, end, r, CarriedDib(r, 48, r.U32(64)), DibSource(r));
}

void DibToDevice(const TRecordRef& r, TMetafilePlayer& player) {
  TPointD at = ReadPoint(r, 24);
  TPointD end{at.X + r.I32(40), at.Y + r.I32(44)};
  player.Bitmap(at, end, r, CarriedDib(r, 48, r.U32(64)), DibSource(r));
}

void TextOut(const TRecordRef& r, TMetafilePlayer& player, bool wide) {
  TPointD at = ReadPoint(r, 36);
  uint32_t chars = r.U32(44);
  uint32_t offString = r.U32(48);
  uint32_t options = r.U32(52);
  TRect box = ReadRect(r, 56);
  std::u16string text;
  if (wide) {
    r.Slice(offString, chars, 2);
    for (uint32_t i = 0; i < chars; ++i) text.push_back(char16_t(r.U16(offString + 2 * size_t(i))));
  } else {
    std::span<const uint8_t> bytes = r.Slice(offString, chars);
    text = AnsiToUtf16(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  std::optional<std::pair<TPointD, TPointD>> rect;
  if (box.Right > box.Left && box.Bottom > box.Top)
    rect = std::pair{TPointD{double(box.Left), double(box.Top)}, TPointD{double(box.Right), double(box.Bottom)}};
  player.Text(at, text, options, rect);
}

void CreatePenEx(const TRecordRef& r, TMetafilePlayer& player) {
  TPlayPen pen = PlayPenFrom(r.U32(28), r.I32(32), r.U32(40));
  if (r.U32(36) == 1) pen.Style = psClear;  // a pen with a null brush draws nothing
  player.CreateObjectAt(r, r.U32(8), pen);
}

void PlayRecord(const TRecordRef& r, uint32_t type, TMetafilePlayer& p) {
  auto poly = [&](bool small) { return PolyPoints(r, small); };
  switch (type) {
    case EMR_POLYBEZIER: return p.PolyBezier(poly(false));
    case EMR_POLYBEZIER16: return p.PolyBezier(poly(true));
    case EMR_POLYGON: return p.Polygon(poly(false));
    case EMR_POLYGON16: return p.Polygon(poly(true));
    case EMR_POLYLINE: return p.Polyline(poly(false));
    case EMR_POLYLINE16: return p.Polyline(poly(true));
    case EMR_POLYBEZIERTO: return p.PolyBezierTo(poly(false));
    case EMR_POLYBEZIERTO16: return p.PolyBezierTo(poly(true));
    case EMR_POLYLINETO: return p.PolylineTo(poly(false));
    case EMR_POLYLINETO16: return p.PolylineTo(poly(true));
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYLINE16: {
      TPolyPoly pp = PolyPolyPoints(r, type == EMR_POLYPOLYLINE16);
      return p.PolyPolyline(pp.Points, pp.Counts);
    }
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYGON16: {
      TPolyPoly pp = PolyPolyPoints(r, type == EMR_POLYPOLYGON16);
      return p.PolyPolygon(pp.Points, pp.Counts);
    }
    case EMR_SETWINDOWEXTEX: return p.SetWindowExt(r.I32(8), r.I32(12));
    case EMR_SETWINDOWORGEX: return p.SetWindowOrg(r.I32(8), r.I32(12));
    case EMR_SETVIEWPORTEXTEX: return p.SetViewportExt(r.I32(8), r.I32(12));
    case EMR_SETVIEWPORTORGEX: return p.SetViewportOrg(r.I32(8), r.I32(12));
    case EMR_SCALEVIEWPORTEXTEX: return p.ScaleViewportExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
    case EMR_SCALEWINDOWEXTEX: return p.ScaleWindowExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
    case EMR_SETPIXELV: {
      TPointD at = ReadPoint(r, 8);
      return p.FillRect(at, {at.X + 1, at.Y + 1}, r.U32(16) & 0xFFFFFF);
    }
    case EMR_SETMAPMODE: return p.SetMapMode(int(r.U32(8)));
    case EMR_SETBKMODE: return p.SetBkMode(r.U32(8));
    case EMR_SETPOLYFILLMODE: return p.SetPolyFillMode(r.U32(8));
    case EMR_SETTEXTALIGN: return p.SetTextAlign(r.U32(8));
    case EMR_SETTEXTCOLOR: return p.SetTextColor(r.U32(8) & 0xFFFFFF);
    case EMR_SETBKCOLOR: return p.SetBkColor(r.U32(8) & 0xFFFFFF);
    case EMR_MOVETOEX: return p.MoveTo(ReadPoint(r, 8));
    case EMR_LINETO: return p.LineTo(ReadPoint(r, 8));
    case EMR_SAVEDC: return p.SaveDC(r);
    case EMR_RESTOREDC: return p.RestoreDC(r.I32(8));
    case EMR_SETWORLDTRANSFORM: return p.SetWorldTransform(ReadXform(r, 8));
    case EMR_MODIFYWORLDTRANSFORM: return p.ModifyWorldTransform(ReadXform(r, 8), r.U32(32));
    case EMR_SELECTOBJECT: return p.SelectObject(r, r.U32(8));
    case EMR_DELETEOBJECT: return p.DeleteObject(r, r.U32(8));
    case EMR_CREATEPEN: return p.CreateObjectAt(r, r.U32(8), PlayPenFrom(r.U32(12), r.I32(16), r.U32(24)));
    case EMR_EXTCREATEPEN: return CreatePenEx(r, p);
    case EMR_CREATEBRUSHINDIRECT: return p.CreateObjectAt(r, r.U32(8), PlayBrushFrom(r.U32(12), r.U32(16)));
    case EMR_CREATEDIBPATTERNBRUSHPT:
    case EMR_CREATEMONOBRUSH: return p.CreateObjectAt(r, r.U32(8), PlayBrushFrom(3, 0));
    case EMR_EXTCREATEFONTINDIRECTW: return p.CreateObjectAt(r, r.U32(8), ReadLogFontW(r, 12));
    case EMR_RECTANGLE: return p.Rectangle(ReadPoint(r, 8), ReadPoint(r, 16));
    case EMR_ROUNDRECT: return p.RoundRect(ReadPoint(r, 8), ReadPoint(r, 16));
    case EMR_ELLIPSE: return p.Ellipse(ReadPoint(r, 8), ReadPoint(r, 16));
    case EMR_BEGINPATH: return p.BeginPath();
    case EMR_ENDPATH: return p.EndPath();
    case EMR_CLOSEFIGURE: return p.CloseFigure();
    case EMR_FILLPATH: return p.FillPath();
    case EMR_STROKEPATH: return p.StrokePath();
    case EMR_STROKEANDFILLPATH: return p.StrokeAndFillPath();
    case EMR_ABORTPATH:
    case EMR_SELECTCLIPPATH: return p.AbortPath();
    case EMR_BITBLT: return BlockTransfer(r, p, false);
    case EMR_STRETCHBLT: return BlockTransfer(r, p, true);
    case EMR_STRETCHDIBITS: return StretchDib(r, p);
    case EMR_SETDIBITSTODEVICE: return DibToDevice(r, p);
    case EMR_EXTTEXTOUTW: return TextOut(r, p, true);
    case EMR_EXTTEXTOUTA: return TextOut(r, p, false);
    default: return;  // clipping, palettes, colour management, comments: nothing to draw
  }
}

}  // namespace

TMetafileHeader ReadEmfHeader(std::span<const uint8_t> data) {
  if (data.size() < EmfHeaderMinSize) Damaged("the data is too short for a metafile header");
  TRecordRef r(data, 1, "EMR_HEADER");
  if (r.U32(0) != EMR_HEADER || r.U32(40) != EmfSignature) Damaged("the data is not an Enhanced Metafile");
  uint32_t headerSize = r.U32(4);
  if (headerSize < EmfHeaderMinSize || headerSize > data.size()) Damaged("the header has an invalid size");
  TMetafileHeader h;
  h.Bounds = ReadRect(r, 8);
  h.Frame = ReadRect(r, 24);
  h.Bytes = r.U32(48);
  h.Records = r.U32(52);
  h.Device = TSize{r.I32(72), r.I32(76)};
  h.Millimeters = TSize{r.I32(80), r.I32(84)};
  if (headerSize >= EmfHeaderFullSize) h.Micrometers = TSize{r.I32(100), r.I32(104)};
  if (h.Bytes > data.size())
    Damaged("the header gives " + std::to_string(h.Bytes) + " bytes but the data holds only " +
            std::to_string(data.size()));
  if (h.Bytes < headerSize) Damaged("the header gives a length shorter than itself");
  if (h.Device.cx <= 0 || h.Device.cy <= 0 || h.Millimeters.cx <= 0 || h.Millimeters.cy <= 0)
    Damaged("the header gives no reference device size");
  return h;
}

void PlayEmfRecords(std::span<const uint8_t> data, const TMetafileHeader& header, TMetafilePlayer& player) {
  data = data.first(header.Bytes);
  player.SetTableSize(TRecordRef(data, 1, "EMR_HEADER").U16(56));
  size_t at = TRecordRef(data, 1, "EMR_HEADER").U32(4);
  for (size_t index = 2;; ++index) {
    if (data.size() - at < 8) Damaged("the data ends before the end-of-file record");
    TRecordRef head(data.subspan(at, 8), index, "record");
    uint32_t type = head.U32(0);
    uint32_t size = head.U32(4);
    const char* name = EmfRecordName(type);
    if (size < 8 || size % 4 != 0)
      TRecordRef({}, index, name).Fail("has an invalid size of " + std::to_string(size) + " bytes");
    if (size > data.size() - at) TRecordRef({}, index, name).Fail("runs past the end of the data");
    TRecordRef record(data.subspan(at, size), index, name);
    if (type == EMR_EOF) return;
    if (type == EMR_HEADER) record.Fail("is a second header");
    PlayRecord(record, type, player);
    at += size;
  }
}

}  // namespace platform
