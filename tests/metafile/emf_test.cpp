// Enhanced Metafiles: recording a barcode page and playing it back pixel for pixel,
// pictures built from the published record layouts, and damaged data.
#include <gtest/gtest.h>

#include <QPainter>
#include <cstring>
#include <filesystem>
#include <random>

#include "base/ioerror.h"
#include "graphics/qt/qtcanvas.h"
#include "graphics/tracecanvas.h"
#include "metafile/emfrecords.h"
#include "metafile/emfwriter.h"
#include "metafile/metafile.h"
#include "metafile/metafilecanvas.h"
#include "metafile/metafileerror.h"
#include "support/barcodepage.h"
#include "support/qtimages.h"

namespace platform {
namespace {

using testing::CountDifferentPixels;
using testing::DrawBarcodePage;
using testing::PageHeight;
using testing::PageWidth;
using testing::WhiteImage;

class EmfTest : public ::testing::Test {};

QImage DrawnDirectly(int dpi) {
  QImage image = WhiteImage(PageWidth, PageHeight, dpi);
  QPainter painter(&image);
  TQtCanvas canvas(painter);
  DrawBarcodePage(canvas);
  return image;
}

TMetafile RecordPage(int dpi) {
  QImage reference = WhiteImage(1, 1, dpi);
  QPainter painter(&reference);
  TQtCanvas referenceCanvas(painter);
  TMetafileCanvas recorder(referenceCanvas, PageWidth, PageHeight);
  DrawBarcodePage(recorder);
  return recorder.Finish();
}

// The same page drawn in logical units of 1/25 pixel: the canvas's own mapping turns
// the page's pixels into the recorder's finer units.
TMetafile RecordPageInFinerUnits(int dpi) {
  QImage reference = WhiteImage(1, 1, dpi);
  QPainter painter(&reference);
  TQtCanvas referenceCanvas(painter);
  TMetafileCanvas recorder(referenceCanvas, PageWidth, PageHeight, 25);
  EXPECT_EQ(recorder.LogPixelsX(), 25 * dpi);
  recorder.SetMapMode(MM_ANISOTROPIC);
  recorder.SetWindowExtEx(1, 1);
  recorder.SetViewportExtEx(25, 25);
  DrawBarcodePage(recorder);
  return recorder.Finish();
}

QImage Played(const TMetafile& metafile, int dpi, TRect dest = {0, 0, PageWidth, PageHeight}) {
  QImage image = WhiteImage(PageWidth, PageHeight, dpi);
  QPainter painter(&image);
  TQtCanvas canvas(painter);
  metafile.Play(canvas, dest);
  return image;
}

struct TRecordInfo {
  uint32_t Type;
  size_t Offset;
  uint32_t Size;
};

std::vector<TRecordInfo> Records(const std::vector<uint8_t>& bytes) {
  std::vector<TRecordInfo> records;
  for (size_t at = 0; at + 8 <= bytes.size();) {
    uint32_t type, size;
    std::memcpy(&type, &bytes[at], 4);
    std::memcpy(&size, &bytes[at + 4], 4);
    records.push_back({type, at, size});
    if (size < 8) break;
    at += size;
  }
  return records;
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) { std::memcpy(&bytes[at], &v, 4); }

TEST_F(EmfTest, RecordedBarcodePagePlaysBackToTheSamePixels) {
  for (int dpi : {96, 300}) {
    QImage direct = DrawnDirectly(dpi);
    QImage played = Played(RecordPage(dpi), dpi);
    EXPECT_EQ(CountDifferentPixels(direct, played), 0) << dpi << " dpi";
  }
}

// Finer units leave the header as a plain recording writes it and play back the same.
TEST_F(EmfTest, PageInFinerUnitsKeepsTheHeaderAndPlaysBackToTheSamePixels) {
  for (int dpi : {96, 300}) {
    SCOPED_TRACE(dpi);
    const TMetafile plain = RecordPage(dpi), fine = RecordPageInFinerUnits(dpi);
    const TMetafileHeader &a = plain.Header(), &b = fine.Header();
    EXPECT_EQ(b.Bounds, a.Bounds);
    EXPECT_EQ(b.Frame, a.Frame);
    EXPECT_EQ(b.Device, a.Device);
    EXPECT_EQ(b.Millimeters, a.Millimeters);
    EXPECT_EQ(b.Micrometers, a.Micrometers);
    EXPECT_EQ(CountDifferentPixels(DrawnDirectly(dpi), Played(fine, dpi)), 0);
  }
}

TEST_F(EmfTest, HeaderDescribesThePageAndItsDrawing) {
  TMetafile metafile = RecordPage(96);
  const TMetafileHeader& h = metafile.Header();
  EXPECT_EQ(metafile.Width(), PageWidth);
  EXPECT_EQ(metafile.Height(), PageHeight);
  EXPECT_EQ(metafile.MMWidth(), 11113);  // 420 px at 96 dpi in 0.01 mm
  EXPECT_EQ(h.Bounds, (TRect{0, 0, PageWidth - 1, PageHeight - 1}));  // the white background
  EXPECT_EQ(h.Bytes, metafile.Bytes().size());
  std::vector<TRecordInfo> records = Records(metafile.Bytes());
  EXPECT_EQ(h.Records, records.size());
  EXPECT_EQ(records.front().Type, EMR_HEADER);
  EXPECT_EQ(records.back().Type, EMR_EOF);
  auto count = [&](uint32_t type) {
    return std::count_if(records.begin(), records.end(), [type](const TRecordInfo& r) { return r.Type == type; });
  };
  EXPECT_EQ(count(EMR_BITBLT), 61);  // background and sixty bars
  EXPECT_EQ(count(EMR_EXTTEXTOUTW), 4);
  EXPECT_EQ(count(EMR_EXTCREATEFONTINDIRECTW), 4);
  EXPECT_EQ(count(EMR_SETTEXTALIGN), 1);
  EXPECT_EQ(count(EMR_SETBKMODE), 1);
  EXPECT_GE(count(EMR_DELETEOBJECT), 4);
  EXPECT_EQ(count(EMR_SETBKCOLOR), 0);  // white is already the background colour
}

TEST_F(EmfTest, PlayStretchesTheFrameOntoTheDestination) {
  TMetafile metafile = RecordPage(96);
  TTraceCanvas canvas;
  metafile.Play(canvas, TRect{100, 50, 100 + 2 * PageWidth, 50 + 3 * PageHeight});
  std::vector<TRect> bars = testing::PageBars();
  std::vector<TRect> fills;
  for (const TTraceOp& op : canvas.Ops())
    if (op.Kind == TTraceOp::FillRect && op.Color == clBlack) fills.push_back(op.Rect);
  ASSERT_EQ(fills.size(), bars.size());
  for (size_t i = 0; i < bars.size(); ++i) {
    const TRect& b = bars[i];
    EXPECT_EQ(fills[i], (TRect{100 + 2 * b.Left, 50 + 3 * b.Top, 100 + 2 * b.Right, 50 + 3 * b.Bottom}));
  }
  std::vector<int32_t> heights;
  for (const TTraceOp& op : canvas.Ops())
    if (op.Kind == TTraceOp::TextOut) heights.push_back(op.Style.Font.lfHeight);
  EXPECT_EQ(heights, (std::vector<int32_t>{48, 54, 60, 42}));
  // The target's own state is left as it was.
  EXPECT_EQ(canvas.GetTextAlign(), TA_LEFT | TA_TOP);
  EXPECT_EQ(canvas.GetBkMode(), OPAQUE);
  EXPECT_EQ(canvas.SelectedFont(), TCanvas::CanvasFontHandle);
}

TEST_F(EmfTest, SavedFileLoadsAgainAndMissingFileRaisesTheIOError) {
  TMetafile metafile = RecordPage(96);
  std::string path = (std::filesystem::temp_directory_path() / "surface_test_page.emf").string();
  metafile.SaveToFile(path);
  TMetafile loaded = TMetafile::LoadFromFile(path);
  EXPECT_EQ(loaded.Bytes(), metafile.Bytes());
  std::filesystem::remove(path);
  EXPECT_THROW(TMetafile::LoadFromFile(path), EInOutError);
  EXPECT_THROW(metafile.SaveToFile("/nonexistent-dir/x.emf"), EInOutError);
}

// ---- pictures from the published record layouts, as other writers produce them ----

class TPicture {
 public:
  TEmfWriter Writer;
  void Add(uint32_t type, const TByteBuilder& b) { Writer.Add(type, b); }
  void U32(uint32_t type, uint32_t v) { Writer.Add(type, TByteBuilder().U32(v)); }
  // A 100 x 100 pixel picture at 96 dpi.
  TMetafile Finish() {
    TEmfFrameInfo info{TRect{0, 0, 2646, 2646}, TSize{960, 960}, TSize{254, 254}, TSize{254000, 254000}};
    return TMetafile::FromBytes(Writer.Finish(info));
  }
};

QImage PlayedSmall(const TMetafile& metafile) {
  QImage image = WhiteImage(100, 100);
  QPainter painter(&image);
  TQtCanvas canvas(painter);
  metafile.Play(canvas, TRect{0, 0, 100, 100});
  return image;
}

TEST_F(EmfTest, PlaysShapesPensBrushesAndMappingOfOtherWriters) {
  TPicture p;
  p.Writer.NewHandle();
  p.Writer.NewHandle();
  // Logical units of 0.1 pixel through an anisotropic mapping.
  p.U32(EMR_SETMAPMODE, MM_ANISOTROPIC);
  p.Add(EMR_SETWINDOWEXTEX, TByteBuilder().I32(1000).I32(1000));
  p.Add(EMR_SETVIEWPORTEXTEX, TByteBuilder().I32(100).I32(100));
  p.Add(EMR_CREATEBRUSHINDIRECT, TByteBuilder().U32(1).U32(0).U32(RGB(255, 0, 0)).U32(0));
  p.U32(EMR_SELECTOBJECT, 1);
  p.U32(EMR_SELECTOBJECT, 0x80000008);  // NULL_PEN
  // A red triangle in the top-left quarter.
  p.Add(EMR_POLYGON16, TByteBuilder().Zeros(16).U32(3).I16(0).I16(0).I16(400).I16(0).I16(0).I16(400));
  // A blue-filled ellipse with a green pen, bottom-right.
  p.Add(EMR_CREATEBRUSHINDIRECT, TByteBuilder().U32(1).U32(0).U32(RGB(0, 0, 255)).U32(0));
  p.U32(EMR_SELECTOBJECT, 1);
  p.Add(EMR_CREATEPEN, TByteBuilder().U32(2).U32(0).I32(30).I32(0).U32(RGB(0, 255, 0)));
  p.U32(EMR_SELECTOBJECT, 2);
  p.Add(EMR_ELLIPSE, TByteBuilder().Rect(TRect{600, 600, 950, 950}));
  // A black polyline across the top-right quarter, saved and restored state around it.
  p.Writer.Add(EMR_SAVEDC, TByteBuilder());
  p.U32(EMR_SELECTOBJECT, 0x80000007);  // BLACK_PEN
  p.Add(EMR_POLYLINE, TByteBuilder().Zeros(16).U32(2).I32(600).I32(200).I32(950).I32(200));
  p.Add(EMR_RESTOREDC, TByteBuilder().I32(-1));
  // A 2 x 2 bitmap stretched over the bottom-left quarter: top row yellow, magenta; bottom row cyan, black.
  TRgbImage dib{2, 2, {0xFFFFFF00, 0xFFFF00FF, 0xFF00FFFF, 0xFF000000}};
  TByteBuilder info, bits;
  AppendDib32(dib, info, bits);
  TByteBuilder s;
  s.Zeros(16).I32(0).I32(500).I32(0).I32(0).I32(2).I32(2).U32(80).U32(40).U32(120).U32(uint32_t(bits.Size()));
  s.U32(0).U32(SRCCOPY).I32(400).I32(400).Bytes(info.Data()).Bytes(bits.Data());
  p.Add(EMR_STRETCHDIBITS, s);
  QImage image = PlayedSmall(p.Finish());

  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(30, 30), qRgb(255, 255, 255));  // beyond the hypotenuse
  EXPECT_EQ(image.pixel(77, 77), qRgb(0, 0, 255));      // inside the ellipse
  EXPECT_EQ(image.pixel(61, 77), qRgb(0, 255, 0));      // on its outline, 3 px wide
  EXPECT_EQ(image.pixel(96, 96), qRgb(255, 255, 255));  // outside its bounding circle's corner
  EXPECT_TRUE(testing::Dark(image, 80, 20));            // the polyline
  EXPECT_EQ(image.pixel(10, 60), qRgb(255, 255, 0));
  EXPECT_EQ(image.pixel(30, 60), qRgb(255, 0, 255));
  EXPECT_EQ(image.pixel(10, 80), qRgb(0, 255, 255));
  EXPECT_EQ(image.pixel(30, 80), qRgb(0, 0, 0));
}

// A fill narrower than a target pixel still covers the pixel under its middle, so a
// page's one-unit lines show in a small preview; a fill of no width draws nothing.
TEST_F(EmfTest, FillsNarrowerThanAPixelCoverOne) {
  struct TCase {
    int32_t Units;   // wide and high, from (500, 500) in units of a tenth of a pixel
    int Pixels;      // covered across and down, from pixel 50
  };
  const TCase cases[] = {{0, 0}, {1, 1}, {4, 1}, {9, 1}, {10, 1}, {20, 2}, {26, 3}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Units);
    TPicture p;
    p.U32(EMR_SETMAPMODE, MM_ANISOTROPIC);
    p.Add(EMR_SETWINDOWEXTEX, TByteBuilder().I32(1000).I32(1000));
    p.Add(EMR_SETVIEWPORTEXTEX, TByteBuilder().I32(100).I32(100));
    p.Add(EMR_BITBLT, TByteBuilder().Zeros(16).I32(500).I32(500).I32(c.Units).I32(c.Units).U32(BLACKNESS).Zeros(56));
    QRect ink = testing::InkBounds(PlayedSmall(p.Finish()));
    EXPECT_EQ(ink.width(), c.Pixels);
    EXPECT_EQ(ink.height(), c.Pixels);
    if (c.Pixels > 0) {
      EXPECT_EQ(ink.topLeft(), QPoint(50, 50));
    }
  }
}

TEST_F(EmfTest, PlaysFilledBezierPaths) {
  TPicture p;
  p.Writer.NewHandle();
  p.Add(EMR_CREATEBRUSHINDIRECT, TByteBuilder().U32(1).U32(0).U32(RGB(0, 0, 0)).U32(0));
  p.U32(EMR_SELECTOBJECT, 1);
  p.Writer.Add(EMR_BEGINPATH, TByteBuilder());
  p.Add(EMR_MOVETOEX, TByteBuilder().I32(10).I32(50));
  // Two arcs bulging up and down: a lens from x 10 to 90.
  p.Add(EMR_POLYBEZIERTO16, TByteBuilder().Zeros(16).U32(6).I16(30).I16(10).I16(70).I16(10).I16(90).I16(50)
                                .I16(70).I16(90).I16(30).I16(90).I16(10).I16(50));
  p.Writer.Add(EMR_CLOSEFIGURE, TByteBuilder());
  p.Writer.Add(EMR_ENDPATH, TByteBuilder());
  p.Add(EMR_FILLPATH, TByteBuilder().Zeros(16));
  QImage image = PlayedSmall(p.Finish());
  QRect ink = testing::InkBounds(image);
  EXPECT_NEAR(ink.left(), 10, 1);
  EXPECT_NEAR(ink.right(), 90, 1);
  EXPECT_NEAR(ink.top(), 20, 1);  // the curve reaches three quarters of the way to its control points
  EXPECT_NEAR(ink.bottom(), 80, 1);
  EXPECT_TRUE(testing::Dark(image, 50, 50));
  EXPECT_FALSE(testing::Dark(image, 15, 25));
}

// ---- damaged data ----

TEST_F(EmfTest, EveryTruncationIsRefusedWithAClearError) {
  std::vector<uint8_t> bytes = RecordPage(96).Bytes();
  for (size_t length = 0; length < bytes.size(); length += 1 + length / 50) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + long(length));
    EXPECT_THROW(TMetafile::FromBytes(cut), EMetafileError) << length;
    // Also when the header is made to agree with the shorter data.
    if (length >= 108) {
      PutU32(cut, 48, uint32_t(length));
      EXPECT_THROW(TMetafile::FromBytes(cut), EMetafileError) << length;
    }
  }
}

std::string ErrorOf(const std::vector<uint8_t>& bytes) { return testing::MetafileErrorOf<TMetafile>(bytes); }

TEST_F(EmfTest, DamagedRecordsNameTheRecordAndTheFault) {
  std::vector<uint8_t> bytes = RecordPage(96).Bytes();
  std::vector<TRecordInfo> records = Records(bytes);
  size_t bitblt = 0;
  while (records[bitblt].Type != EMR_BITBLT) ++bitblt;
  size_t text = 0;
  while (records[text].Type != EMR_EXTTEXTOUTW) ++text;
  std::string bitbltNumber = std::to_string(bitblt + 1), textNumber = std::to_string(text + 1);

  std::vector<uint8_t> tooLong = bytes;
  PutU32(tooLong, records[bitblt].Offset + 4, 0x7FFFFFF0);
  EXPECT_EQ(ErrorOf(tooLong), "Damaged metafile: record " + bitbltNumber + " (EMR_BITBLT) runs past the end of the data");

  std::vector<uint8_t> oddSize = bytes;
  PutU32(oddSize, records[bitblt].Offset + 4, 6);
  EXPECT_EQ(ErrorOf(oddSize), "Damaged metafile: record " + bitbltNumber + " (EMR_BITBLT) has an invalid size of 6 bytes");

  std::vector<uint8_t> manyChars = bytes;
  PutU32(manyChars, records[text].Offset + 44, 0x40000000);
  EXPECT_EQ(ErrorOf(manyChars),
            "Damaged metafile: record " + textNumber + " (EMR_EXTTEXTOUTW) is too short for its contents");

  std::vector<uint8_t> noEof = bytes;
  PutU32(noEof, records.back().Offset, EMR_SETBKMODE);
  EXPECT_EQ(ErrorOf(noEof), "Damaged metafile: the data ends before the end-of-file record");

  std::vector<uint8_t> notEmf = bytes;
  notEmf[40] = 'X';
  EXPECT_EQ(ErrorOf(notEmf), "Damaged metafile: the data is not an Enhanced Metafile");
}

TEST_F(EmfTest, OversizedBitmapsAndObjectIndicesAreRefused) {
  TPicture big;
  TByteBuilder s;
  s.Zeros(16).I32(0).I32(0).I32(0).I32(0).I32(1).I32(1).U32(80).U32(40).U32(120).U32(4);
  s.U32(0).U32(SRCCOPY).I32(10).I32(10);
  s.U32(40).I32(100000).I32(100000).U16(1).U16(32).Zeros(24).U32(0);
  big.Add(EMR_STRETCHDIBITS, s);
  try {
    big.Finish();
    FAIL() << "an oversized bitmap was accepted";
  } catch (const EMetafileError& e) {
    EXPECT_NE(std::string(e.what()).find("bitmap size 100000 x 100000 is not allowed"), std::string::npos) << e.what();
  }
  TPicture handles;
  handles.Add(EMR_CREATEBRUSHINDIRECT, TByteBuilder().U32(70000).U32(0).U32(0).U32(0));
  EXPECT_THROW(handles.Finish(), EMetafileError);
}

// Random damage must end in EMetafileError or a successful load: never a crash, never
// another exception (run under the sanitizers, never a read out of bounds).
TEST_F(EmfTest, RandomlyDamagedPagesFailCleanly) {
  std::vector<uint8_t> original = RecordPage(96).Bytes();
  std::mt19937 rng(20240611);
  int refused = 0;
  for (int round = 0; round < 1500; ++round) {
    std::vector<uint8_t> bytes = original;
    int changes = 1 + int(rng() % 4);
    for (int i = 0; i < changes; ++i) {
      size_t at = rng() % bytes.size();
      if (rng() % 2)
        bytes[at] = uint8_t(rng());
      else if (at + 4 <= bytes.size())
        PutU32(bytes, at & ~size_t(3), rng() % 3 == 0 ? 0xFFFFFFFF : uint32_t(rng() % 4096));
    }
    try {
      TMetafile metafile = TMetafile::FromBytes(bytes);
      TTraceCanvas canvas;
      metafile.Play(canvas, TRect{0, 0, 50, 50});
    } catch (const EMetafileError&) {
      ++refused;
    }
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace platform
