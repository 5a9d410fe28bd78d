// The page image: white inside the outline, the picture stretched over the whole image,
// the outline three pixels inside the right and bottom edges and the two-pixel shadow
// strips; nothing at all without a picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "reports/pageimage.h"
#include "reports/support/previewpages.h"

namespace reports {
namespace {

constexpr QRgb kBackground = 0xFF808080;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

QImage Drawn(const platform::TMetafile& page, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kBackground);
  QPainter painter(&image);
  DrawPageImage(painter, page, width, height);
  return image;
}

struct TPixel {
  const char* What;
  int X, Y;  // negative: from the right or bottom edge (-1 is the last pixel)
  QRgb Expected;
};

TEST(PageImage, OutlineShadowAndWhitePage) {
  const int w = 124, h = 164;
  const QImage image = Drawn(previewtest::BoxPage({}), w, h);
  const TPixel pixels[] = {
      {"outline top-left", 0, 0, kBlack},
      {"outline left side", 0, 80, kBlack},
      {"outline bottom-left", 0, -3, kBlack},
      {"outline bottom", 60, -3, kBlack},
      {"outline bottom-right", -3, -3, kBlack},
      {"outline right side", -3, 80, kBlack},
      {"outline top-right", -3, 0, kBlack},
      {"outline top", 60, 0, kBlack},
      {"inside, first pixel", 1, 1, kWhite},
      {"inside, middle", 60, 80, kWhite},
      {"inside, last pixel", -4, -4, kWhite},
      {"right of the outline at the top: background", -2, 0, kBackground},
      {"right of the outline, row 1: background", -1, 1, kBackground},
      {"right shadow from row 2", -2, 2, kBlack},
      {"right shadow, outer column", -1, 80, kBlack},
      {"below the outline at the left: background", 0, -2, kBackground},
      {"below, column 1: background", 1, -1, kBackground},
      {"bottom shadow from column 2", 2, -2, kBlack},
      {"bottom shadow, last row", 60, -1, kBlack},
      {"corner of both shadows", -1, -1, kBlack},
  };
  for (const TPixel& p : pixels) {
    const int x = p.X < 0 ? w + p.X : p.X, y = p.Y < 0 ? h + p.Y : p.Y;
    EXPECT_EQ(image.pixel(x, y), p.Expected) << p.What << " (" << x << ", " << y << ")";
  }
}

TEST(PageImage, PictureIsStretchedOverTheWholeImage) {
  // The right half of an 816 x 1056 page is black: at 408 x 528 the right half of the image is.
  const QImage image = Drawn(previewtest::BoxPage({{408, 0, 816, 1056}}), 408, 528);
  EXPECT_EQ(image.pixel(100, 264), kWhite);
  EXPECT_EQ(image.pixel(203, 264), kWhite);
  EXPECT_EQ(image.pixel(205, 264), kBlack);
  EXPECT_EQ(image.pixel(400, 264), kBlack);
  // Twice the size: the edge moves with it.
  const QImage twice = Drawn(previewtest::BoxPage({{408, 0, 816, 1056}}), 816, 1056);
  EXPECT_EQ(twice.pixel(406, 500), kWhite);
  EXPECT_EQ(twice.pixel(410, 500), kBlack);
}

TEST(PageImage, WithoutAPictureTheControlDrawsNothing) {
  QWidget parent;
  TRepPageImage control(&parent);
  control.resize(50, 60);
  QImage image(50, 60, QImage::Format_RGB32);
  image.fill(kBackground);
  control.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
  EXPECT_EQ(image.pixel(0, 0), kBackground);
  EXPECT_EQ(image.pixel(25, 30), kBackground);
  control.SetPage(previewtest::BoxPage({}));
  control.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
  EXPECT_EQ(image.pixel(0, 0), kBlack);
  EXPECT_EQ(image.pixel(25, 30), kWhite);
}

}  // namespace
}  // namespace reports
