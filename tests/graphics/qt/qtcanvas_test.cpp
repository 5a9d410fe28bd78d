// The canvas over QPainter on QImage bitmaps: exact fills, cell-height fonts, rotated text.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

#include "graphics/qt/qtcanvas.h"
#include "graphics/qt/qtfont.h"
#include "support/qtimages.h"

namespace platform {
namespace {

using testing::InkBounds;
using testing::WhiteImage;

class QtCanvasTest : public ::testing::Test {};

TEST_F(QtCanvasTest, FillRectCoversExactlyLeftTopInclusiveRightBottomExclusive) {
  QImage image = WhiteImage(30, 20);
  {
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    canvas.Brush.SetColor(clBlack);
    canvas.FillRect(TRect{13, 12, 10, 5});  // corners swapped
    canvas.Brush.SetStyle(bsClear);
    canvas.FillRect(TRect{0, 0, 30, 20});  // a clear brush fills nothing
  }
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      bool inside = x >= 10 && x < 13 && y >= 5 && y < 12;
      ASSERT_EQ(testing::Dark(image, x, y), inside) << x << "," << y;
      // No anti-aliasing: every pixel is either black or white.
      QRgb pixel = image.pixel(x, y);
      ASSERT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255));
    }
}

// Narrow fills may bypass QPainter; with a translated, clipped or scaled painter and on
// other formats the pixels must be exactly those QPainter itself fills.
TEST_F(QtCanvasTest, FillsAgreeWithQPainterWhateverThePainterState) {
  struct Case {
    QImage::Format Format;
    QTransform Transform;
    bool Clip;
  };
  const Case cases[] = {{QImage::Format_RGB32, QTransform(), false},
                        {QImage::Format_ARGB32_Premultiplied, QTransform::fromTranslate(5, -3), false},
                        {QImage::Format_RGB32, QTransform(), true},
                        {QImage::Format_RGB888, QTransform::fromTranslate(2, 2), false},
                        {QImage::Format_RGB32, QTransform::fromScale(2, 2), false}};
  const TRect rects[] = {{1, 1, 2, 30}, {3, 0, 7, 40}, {-5, 10, 3, 12}, {38, 35, 45, 50}, {0, 0, 40, 3}};
  for (const Case& c : cases) {
    QImage ours(40, 40, c.Format), theirs(40, 40, c.Format);
    ours.fill(Qt::white);
    theirs.fill(Qt::white);
    {
      QPainter a(&ours), b(&theirs);
      for (QPainter* p : {&a, &b}) {
        p->setTransform(c.Transform);
        if (c.Clip) p->setClipRect(QRect(2, 2, 20, 20));
      }
      TQtCanvas canvas(a);
      canvas.Brush.SetColor(clBlue);
      for (const TRect& r : rects) {
        canvas.FillRect(r);
        b.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), QColor(0, 0, 255));
      }
    }
    EXPECT_EQ(testing::CountDifferentPixels(ours, theirs), 0) << int(c.Format);
  }
}

TEST_F(QtCanvasTest, ResolutionIsThePaintDevicesUnlessOverridden) {
  for (int dpi : {72, 96, 300, 600}) {
    QImage image = WhiteImage(4, 4, dpi);
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    EXPECT_EQ(canvas.LogPixelsX(), dpi);
    EXPECT_EQ(canvas.LogPixelsY(), dpi);
    canvas.SetResolution(0, 0);
    EXPECT_EQ(canvas.LogPixelsX(), 0);
  }
}

// A GDI cell height F must give the largest Qt font whose ascent plus descent is F, and
// "Ay" must be measured F high and drawn within the cell.
TEST_F(QtCanvasTest, CellHeightFontsMeasureAyAtTheirHeight) {
  for (int cell : {8, 11, 13, 17, 21, 27, 40, 64, 120}) {
    TLogFont lf{};
    SetFaceName(lf, "Arial");
    lf.lfHeight = cell;
    const TQtFont& font = QtFontFor(lf);
    QFontMetrics metrics(font.Font);
    EXPECT_LE(metrics.ascent() + metrics.descent(), cell) << cell;
    QFont larger = font.Font;
    larger.setPixelSize(font.Font.pixelSize() + 1);
    QFontMetrics largerMetrics(larger);
    EXPECT_GT(largerMetrics.ascent() + largerMetrics.descent(), cell) << cell;

    QImage image = WhiteImage(4 * cell + 20, 2 * cell + 20);
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    canvas.Font.SetName("Arial");
    canvas.Font.SetHeight(cell);
    EXPECT_EQ(canvas.TextHeight("Ay"), cell);
    canvas.SetBkMode(TRANSPARENT);
    canvas.TextOut(10, 10, "Ay");
    painter.end();
    QRect ink = InkBounds(image);
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.top(), 10) << cell;
    EXPECT_LE(ink.bottom(), 10 + cell) << cell;
    EXPECT_GE(ink.height(), int(0.7 * cell)) << cell;  // capital to descender fills most of the cell
  }
}

// TA_CENTER | TA_TOP: centred along the writing direction, the glyphs hanging on the
// side the text's top faces away from.
TEST_F(QtCanvasTest, RotatedTextIsAlignedTopCentreAlongItsDirection) {
  struct Case {
    int32_t Escapement;
    int AlongX, AlongY;  // writing direction on the surface
    int DownX, DownY;    // from the text's top to its bottom
  };
  const Case cases[] = {{0, 1, 0, 0, 1}, {900, 0, -1, 1, 0}, {1800, -1, 0, 0, -1}, {2700, 0, 1, -1, 0}};
  const int cell = 20;
  for (const Case& c : cases) {
    QImage image = WhiteImage(200, 200);
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    TLogFont lf{};
    SetFaceName(lf, "Arial");
    lf.lfHeight = cell;
    lf.lfEscapement = c.Escapement;
    canvas.SelectObject(canvas.CreateFontIndirect(lf));
    canvas.SetTextAlign(TA_CENTER | TA_TOP);
    canvas.SetBkMode(TRANSPARENT);
    int width = canvas.TextWidth("HHHHHH");
    canvas.TextOut(100, 100, "HHHHHH");
    painter.end();
    QRect ink = InkBounds(image);
    ASSERT_FALSE(ink.isNull());
    QPointF centre = QRectF(ink).center();
    // Along the writing direction the ink is centred on the reference point...
    double along = (centre.x() - 100) * c.AlongX + (centre.y() - 100) * c.AlongY;
    EXPECT_NEAR(along, 0, 2.0) << c.Escapement;
    // ...and across it lies within the cell below the top line.
    double near = c.DownX ? (c.DownX > 0 ? ink.left() - 100 : 100 - ink.right())
                          : (c.DownY > 0 ? ink.top() - 100 : 100 - ink.bottom());
    double far = c.DownX ? (c.DownX > 0 ? ink.right() - 100 : 100 - ink.left())
                         : (c.DownY > 0 ? ink.bottom() - 100 : 100 - ink.top());
    EXPECT_GE(near, -1) << c.Escapement;
    EXPECT_LE(far, cell) << c.Escapement;
    int extent = c.AlongX ? ink.width() : ink.height();
    EXPECT_NEAR(extent, width, 4) << c.Escapement;
  }
}

TEST_F(QtCanvasTest, TextUsesTheCanvasFontColourAndOpaqueBackground) {
  QImage image = WhiteImage(100, 40);
  {
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    canvas.Font.SetHeight(20);
    canvas.Font.SetColor(clRed);
    canvas.SetBkColor(clBlue);
    canvas.SetBkMode(OPAQUE);
    canvas.TextOut(5, 5, "I");
  }
  EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 255));  // top-left corner of the cell: background
  bool red = false;
  for (int x = 5; x < 30; ++x) red = red || image.pixel(x, 15) == qRgb(255, 0, 0);
  EXPECT_TRUE(red);
}

TEST_F(QtCanvasTest, AnisotropicMappingZoomsFills) {
  QImage image = WhiteImage(60, 60);
  {
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    canvas.SetMapMode(MM_ANISOTROPIC);
    canvas.SetWindowExtEx(96, 96);
    canvas.SetViewportExtEx(192, 192);
    canvas.Brush.SetColor(clBlack);
    canvas.FillRect(TRect{5, 5, 10, 7});
  }
  EXPECT_EQ(InkBounds(image), QRect(QPoint(10, 10), QPoint(19, 13)));
}

}  // namespace
}  // namespace platform
