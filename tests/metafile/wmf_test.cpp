// Windows metafiles, and metafiles drawn by another program: Inkscape's EMF and WMF
// export of a drawing shown with the right shapes and colours.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QPainter>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "graphics/qt/qtcanvas.h"
#include "graphics/tracecanvas.h"
#include "metafile/emfwriter.h"
#include "metafile/metafile.h"
#include "metafile/metafileerror.h"
#include "metafile/wmf.h"
#include "metafile/wmfrecords.h"
#include "support/qtimages.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing::WhiteImage;

class WmfTest : public ::testing::Test {};

// A WMF built from the published layouts: records of 16-bit words.
class TWmfBuilder {
 public:
  explicit TWmfBuilder(uint16_t objects) : FObjects(objects) {}
  TWmfBuilder& Record(uint16_t function, std::vector<int16_t> params) {
    FRecords.U32(uint32_t(3 + params.size())).U16(function);
    for (int16_t p : params) FRecords.I16(p);
    return *this;
  }
  TWmfBuilder& Raw(uint16_t function, const TByteBuilder& params) {
    FRecords.U32(uint32_t(3 + params.Size() / 2)).U16(function).Bytes(params.Data());
    return *this;
  }
  std::vector<uint8_t> Bytes(std::optional<TRect> placeable, uint16_t inch = 1440) {
    TByteBuilder all;
    if (placeable) {
      all.U32(WmfPlaceableKey).U16(0).I16(int16_t(placeable->Left)).I16(int16_t(placeable->Top));
      all.I16(int16_t(placeable->Right)).I16(int16_t(placeable->Bottom)).U16(inch).U32(0).U16(0);
    }
    TByteBuilder records = FRecords;
    records.U32(3).U16(META_EOF);
    all.U16(1).U16(9).U16(0x0300).U32(uint32_t(9 + records.Size() / 2)).U16(FObjects).U32(0).U16(0);
    all.Bytes(records.Data());
    return all.Data();
  }

 private:
  uint16_t FObjects;
  TByteBuilder FRecords;
};

int16_t Lo(TColor c) { return int16_t(c & 0xFFFF); }
int16_t Hi(TColor c) { return int16_t(c >> 16); }

QImage PlayedWmf(const TWindowsMetafile& wmf, int w = 100, int h = 100) {
  QImage image = WhiteImage(w, h);
  QPainter painter(&image);
  TQtCanvas canvas(painter);
  wmf.Play(canvas, TRect{0, 0, w, h});
  return image;
}

TEST_F(WmfTest, PlaceableFileIsScaledFromItsBoxAndUnitsPerInch) {
  TWmfBuilder b(2);
  b.Record(META_CREATEBRUSHINDIRECT, {0, Lo(clRed), Hi(clRed), 0});
  b.Record(META_SELECTOBJECT, {0});
  b.Record(META_CREATEPENINDIRECT, {5, 0, 0, 0, 0});  // PS_NULL
  b.Record(META_SELECTOBJECT, {1});
  b.Record(META_RECTANGLE, {720, 720, 0, 0});  // bottom, right, top, left: the top-left quarter
  TWindowsMetafile wmf = TWindowsMetafile::FromBytes(b.Bytes(TRect{0, 0, 1440, 1440}));
  EXPECT_TRUE(wmf.Placeable());
  EXPECT_EQ(wmf.Width(), 96);  // one inch at 96 dpi
  EXPECT_EQ(wmf.Height(), 96);
  QImage image = PlayedWmf(wmf);
  EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(60, 60), qRgb(255, 255, 255));
}

// A new object takes the lowest free slot of the table, so slots freed by DeleteObject
// are used again: selecting slot 0 after the delete must give the green brush.
TEST_F(WmfTest, ObjectsTakeTheLowestFreeSlot) {
  TWmfBuilder b(3);
  b.Record(META_SETWINDOWORG, {0, 0});
  b.Record(META_SETWINDOWEXT, {100, 100});
  b.Record(META_CREATEBRUSHINDIRECT, {0, Lo(clRed), Hi(clRed), 0});    // slot 0
  b.Record(META_CREATEBRUSHINDIRECT, {0, Lo(clBlue), Hi(clBlue), 0});  // slot 1
  b.Record(META_DELETEOBJECT, {0});
  b.Record(META_CREATEBRUSHINDIRECT, {0, Lo(clLime), Hi(clLime), 0});  // slot 0 again
  b.Record(META_CREATEPENINDIRECT, {5, 0, 0, 0, 0});                  // slot 2
  b.Record(META_SELECTOBJECT, {2});
  b.Record(META_SELECTOBJECT, {0});
  b.Record(META_POLYGON, {3, 0, 0, 50, 0, 0, 50});
  b.Record(META_SELECTOBJECT, {1});
  b.Record(META_ELLIPSE, {100, 100, 50, 50});
  TWindowsMetafile wmf = TWindowsMetafile::FromBytes(b.Bytes(std::nullopt));
  EXPECT_FALSE(wmf.Placeable());
  EXPECT_EQ(wmf.LogicalBounds(), (TRect{0, 0, 100, 100}));
  QImage image = PlayedWmf(wmf, 200, 200);  // stretched twice
  EXPECT_EQ(image.pixel(10, 10), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(150, 150), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(105, 105), qRgb(255, 255, 255));
  TWmfBuilder full(1);
  full.Record(META_SETWINDOWEXT, {10, 10});
  full.Record(META_CREATEBRUSHINDIRECT, {0, 0, 0, 0});
  full.Record(META_CREATEBRUSHINDIRECT, {0, 0, 0, 0});
  EXPECT_THROW(TWindowsMetafile::FromBytes(full.Bytes(std::nullopt)), EMetafileError);
}

TEST_F(WmfTest, TextAndStretchedBitmapsArePlayed) {
  TWmfBuilder b(1);
  b.Record(META_SETWINDOWEXT, {100, 200});
  TByteBuilder font;
  font.I16(20).I16(0).I16(0).I16(0).I16(400).Zeros(8).Bytes(std::vector<uint8_t>{'A', 'r', 'i', 'a', 'l', 0});
  b.Raw(META_CREATEFONTINDIRECT, font);
  b.Record(META_SELECTOBJECT, {0});
  b.Record(META_SETTEXTALIGN, {int16_t(TA_CENTER | TA_TOP)});
  b.Record(META_SETBKMODE, {TRANSPARENT});
  TByteBuilder text;
  text.I16(3).Bytes(std::vector<uint8_t>{'A', 'y', 0x80, 0}).I16(10).I16(150);  // "Ay€" at (150, 10)
  b.Raw(META_TEXTOUT, text);
  // A 2 x 1 bitmap, blue then red, over the left half.
  TByteBuilder stretch;
  stretch.U32(0x00CC0020).U16(0).I16(1).I16(2).I16(0).I16(0).I16(100).I16(100).I16(0).I16(0);
  stretch.U32(40).I32(2).I32(1).U16(1).U16(24).U32(0).U32(8).I32(0).I32(0).U32(0).U32(0);
  stretch.U8(255).U8(0).U8(0).U8(0).U8(0).U8(255).U16(0);
  b.Raw(META_STRETCHDIB, stretch);
  TWindowsMetafile wmf = TWindowsMetafile::FromBytes(b.Bytes(std::nullopt));

  TTraceCanvas trace;
  wmf.Play(trace, TRect{0, 0, 400, 200});
  ASSERT_EQ(trace.Ops().size(), 2u);
  const TTraceOp& t = trace.Ops()[0];
  EXPECT_EQ(t.Kind, TTraceOp::TextOut);
  EXPECT_EQ(t.Text, u"Ay\u20ac");
  EXPECT_EQ(t.Points[0], (TPoint{300, 20}));
  EXPECT_EQ(t.Style.Font.lfHeight, 40);
  EXPECT_EQ(FaceNameOf(t.Style.Font), "Arial");
  EXPECT_EQ(t.Style.Align, TA_CENTER | TA_TOP);
  EXPECT_EQ(trace.Ops()[1].Rect, (TRect{0, 0, 200, 200}));
  EXPECT_EQ(trace.Ops()[1].ImageSize, (TSize{2, 1}));

  QImage image = PlayedWmf(wmf, 200, 100);
  EXPECT_EQ(image.pixel(20, 50), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(80, 50), qRgb(255, 0, 0));
  QRect ink = testing::InkBounds(image, QRect(101, 0, 99, 60));  // the text, in the right half
  ASSERT_FALSE(ink.isNull());
  EXPECT_NEAR(QRectF(ink).center().x(), 150, 3);
  EXPECT_GE(ink.top(), 10);
}

std::string WmfErrorOf(const std::vector<uint8_t>& bytes) { return testing::MetafileErrorOf<TWindowsMetafile>(bytes); }

TEST_F(WmfTest, DamagedFilesFailWithAClearError) {
  TWmfBuilder b(1);
  b.Record(META_SETWINDOWEXT, {100, 100});
  b.Record(META_POLYGON, {3, 0, 0, 50, 0, 0, 50});
  std::vector<uint8_t> good = b.Bytes(std::nullopt);
  for (size_t length = 0; length < good.size(); ++length)
    EXPECT_THROW(TWindowsMetafile::FromBytes(std::vector<uint8_t>(good.begin(), good.begin() + long(length))),
                 EMetafileError)
        << length;

  std::vector<uint8_t> manyPoints = good;
  manyPoints[18 + 10 + 6] = 0xFF;  // the polygon's point count
  manyPoints[18 + 10 + 7] = 0x7F;
  EXPECT_EQ(WmfErrorOf(manyPoints), "Damaged metafile: record 2 (META_POLYGON) is too short for its contents");
  std::vector<uint8_t> longRecord = good;
  longRecord[18 + 10 + 2] = 0x10;  // record size in words
  EXPECT_EQ(WmfErrorOf(longRecord), "Damaged metafile: record 2 (META_POLYGON) runs past the end of the data");
  std::vector<uint8_t> notWmf = good;
  notWmf[2] = 4;
  EXPECT_EQ(WmfErrorOf(notWmf), "Damaged metafile: the data is not a Windows metafile");
  TWmfBuilder sizeless(0);
  sizeless.Record(META_LINETO, {5, 5});
  EXPECT_EQ(WmfErrorOf(sizeless.Bytes(std::nullopt)),
            "Damaged metafile: the picture has no placeable header and no window extent");
  EXPECT_EQ(WmfErrorOf(sizeless.Bytes(TRect{0, 0, 0, 10})),
            "Damaged metafile: the placeable header gives an empty picture");

  TWmfBuilder bitmap(0);
  bitmap.Record(META_SETWINDOWEXT, {10, 10});
  TByteBuilder huge;
  huge.U32(0x00CC0020).U16(0).I16(1).I16(1).I16(0).I16(0).I16(10).I16(10).I16(0).I16(0);
  huge.U32(40).I32(30000).I32(30000).U16(1).U16(24).Zeros(24);
  bitmap.Raw(META_STRETCHDIB, huge);
  EXPECT_NE(WmfErrorOf(bitmap.Bytes(std::nullopt)).find("bitmap size 30000 x 30000 is not allowed"),
            std::string::npos);
}

TEST_F(WmfTest, RandomlyDamagedFilesFailCleanly) {
  TWmfBuilder b(4);
  b.Record(META_SETWINDOWEXT, {100, 100});
  b.Record(META_CREATEBRUSHINDIRECT, {0, 0x00FF, 0, 0});
  b.Record(META_SELECTOBJECT, {0});
  b.Record(META_POLYGON, {3, 0, 0, 50, 0, 0, 50});
  b.Record(META_POLYPOLYGON, {2, 3, 3, 0, 0, 9, 0, 0, 9, 20, 20, 29, 20, 20, 29});
  TByteBuilder text;
  text.I16(5).Bytes(std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', 0}).I16(10).I16(10);
  b.Raw(META_TEXTOUT, text);
  b.Record(META_ELLIPSE, {90, 90, 60, 60});
  std::vector<uint8_t> original = b.Bytes(TRect{0, 0, 100, 100});
  std::mt19937 rng(7);
  int refused = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> bytes = original;
    for (int i = 0, n = 1 + int(rng() % 4); i < n; ++i) bytes[rng() % bytes.size()] = uint8_t(rng());
    try {
      TWindowsMetafile wmf = TWindowsMetafile::FromBytes(bytes);
      TTraceCanvas canvas;
      wmf.Play(canvas, TRect{0, 0, 40, 40});
    } catch (const EMetafileError&) {
      ++refused;
    }
  }
  EXPECT_GT(refused, 0);
}

// ---- pictures drawn by another program ----

const char* const ShapesSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="100" viewBox="0 0 200 100">
  <rect x="0" y="0" width="200" height="100" fill="#ffffff"/>
  <rect x="10" y="10" width="60" height="30" fill="#ff0000"/>
  <circle cx="140" cy="30" r="20" fill="#0000ff" stroke="#00ff00" stroke-width="4"/>
  <polygon points="10,90 70,90 40,55" fill="#000000"/>
  <polyline points="100,90 190,60" fill="none" stroke="#000000" stroke-width="3"/>
</svg>
)";

void ExpectShapes(const QImage& image, const std::string& kind) {
  struct Probe {
    int X, Y;
    QRgb Colour;
  };
  const Probe probes[] = {
      {40, 25, qRgb(255, 0, 0)},     // the rectangle
      {5, 5, qRgb(255, 255, 255)},   // outside it
      {140, 30, qRgb(0, 0, 255)},    // the circle's fill
      {140, 10, qRgb(0, 255, 0)},    // its outline
      {165, 30, qRgb(255, 255, 255)},
      {40, 80, qRgb(0, 0, 0)},       // the triangle
      {20, 60, qRgb(255, 255, 255)}, // beside its apex
      {145, 75, qRgb(0, 0, 0)},      // the line
      {145, 85, qRgb(255, 255, 255)},
  };
  for (const Probe& p : probes) {
    // Colours within a small distance: the writer's rounding may shift edges by a pixel.
    bool found = false;
    for (int dy = -1; dy <= 1 && !found; ++dy)
      for (int dx = -1; dx <= 1 && !found; ++dx) found = image.pixel(p.X + dx, p.Y + dy) == p.Colour;
    EXPECT_TRUE(found) << kind << " at " << p.X << "," << p.Y << ": " << std::hex << image.pixel(p.X, p.Y);
  }
}

TEST_F(WmfTest, InkscapeDrawingsShowTheRightShapesAsEmfAndWmf) {
  if (std::system("command -v inkscape >/dev/null 2>&1") != 0) GTEST_SKIP() << "inkscape is not installed";
  fs::path dir = fs::temp_directory_path() / ("surface_shapes_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "shapes.svg") << ShapesSvg;
  for (std::string kind : {"emf", "wmf"}) {
    fs::path out = dir / ("shapes." + kind);
    std::string command = "inkscape '" + (dir / "shapes.svg").string() + "' --export-type=" + kind +
                          " --export-filename='" + out.string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    QImage image = WhiteImage(200, 100);
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    if (kind == "emf")
      TMetafile::LoadFromFile(out.string()).Play(canvas, TRect{0, 0, 200, 100});
    else
      TWindowsMetafile::LoadFromFile(out.string()).Play(canvas, TRect{0, 0, 200, 100});
    painter.end();
    ExpectShapes(image, kind);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace platform
