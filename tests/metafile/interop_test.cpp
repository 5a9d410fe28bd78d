// An EMF that we write must open in other readers: Inkscape renders our recorded barcode
// page to PNG, and its bars and texts must stand where our own drawing puts them.
#include <gtest/gtest.h>

#include <QPainter>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "graphics/qt/qtcanvas.h"
#include "metafile/metafilecanvas.h"
#include "support/barcodepage.h"
#include "support/qtimages.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing::Dark;
using testing::InkBounds;

struct TRun {
  int Start, End;  // [Start, End)
};

// Runs left of the rotated texts.
std::vector<TRun> DarkRuns(const QImage& image, int y) {
  constexpr int symbolEnd = 310;
  std::vector<TRun> runs;
  for (int x = 0; x < symbolEnd; ++x) {
    if (!Dark(image, x, y)) continue;
    int start = x;
    while (x < symbolEnd && Dark(image, x, y)) ++x;
    runs.push_back({start, x});
  }
  return runs;
}

int BottomOfColumn(const QImage& image, int x) {
  int bottom = -1;
  for (int y = 0; y < 142; ++y)  // the digits start below
    if (Dark(image, x, y)) bottom = y;
  return bottom;
}

class InteropTest : public ::testing::Test {};

TEST_F(InteropTest, InkscapeRendersOurBarcodePageWithTheSameShapes) {
  if (std::system("command -v inkscape >/dev/null 2>&1") != 0) GTEST_SKIP() << "inkscape is not installed";
  fs::path dir = fs::temp_directory_path() / ("surface_interop_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  fs::path emf = dir / "page.emf", png = dir / "page.png";

  QImage direct = testing::WhiteImage(testing::PageWidth, testing::PageHeight);
  {
    QPainter painter(&direct);
    TQtCanvas canvas(painter);
    testing::DrawBarcodePage(canvas);
  }
  {
    QImage reference = testing::WhiteImage(1, 1);
    QPainter painter(&reference);
    TQtCanvas referenceCanvas(painter);
    TMetafileCanvas recorder(referenceCanvas, testing::PageWidth, testing::PageHeight);
    testing::DrawBarcodePage(recorder);
    recorder.Finish().SaveToFile(emf.string());
  }
  std::string command = "inkscape '" + emf.string() + "' --export-type=png --export-filename='" + png.string() +
                        "' --export-dpi=96 >'" + (dir / "inkscape.log").string() + "' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  QImage rendered;
  ASSERT_TRUE(rendered.load(QString::fromStdString(png.string())));
  QImage flat = testing::WhiteImage(rendered.width(), rendered.height());
  QPainter(&flat).drawImage(0, 0, rendered);  // onto white, whatever alpha the export has
  ASSERT_EQ(flat.size(), direct.size());

  // Bars: the same runs across the symbol, each edge within a pixel.
  for (int y : {30, 80, 125}) {
    std::vector<TRun> ours = DarkRuns(direct, y), theirs = DarkRuns(flat, y);
    ASSERT_EQ(ours.size(), testing::PageBars().size());
    ASSERT_EQ(theirs.size(), ours.size()) << "row " << y;
    for (size_t i = 0; i < ours.size(); ++i) {
      EXPECT_NEAR(theirs[i].Start, ours[i].Start, 1) << "bar " << i;
      EXPECT_NEAR(theirs[i].End, ours[i].End, 1) << "bar " << i;
    }
  }
  for (const TRect& bar : testing::PageBars())
    EXPECT_NEAR(BottomOfColumn(flat, bar.Left), BottomOfColumn(direct, bar.Left), 1) << bar.Left;

  // Texts: each where ours is, running the same way, about as long.
  struct Area {
    QRect Box;
    bool Vertical;
  };
  const Area areas[] = {{QRect(40, 143, 190, 30), false},
                        {QRect(315, 60, 40, 200), true},
                        {QRect(100, 205, 200, 50), false},
                        {QRect(360, 60, 40, 200), true}};
  for (const Area& a : areas) {
    QRect ours = InkBounds(direct, a.Box), theirs = InkBounds(flat, a.Box);
    ASSERT_FALSE(ours.isNull());
    ASSERT_FALSE(theirs.isNull()) << "no text rendered in the area at " << a.Box.x() << "," << a.Box.y();
    EXPECT_NEAR(QRectF(theirs).center().x(), QRectF(ours).center().x(), 4);
    EXPECT_NEAR(QRectF(theirs).center().y(), QRectF(ours).center().y(), 4);
    int ourLength = a.Vertical ? ours.height() : ours.width();
    int theirLength = a.Vertical ? theirs.height() : theirs.width();
    // Inkscape takes a positive font height for the em rather than the cell, so its
    // texts come out up to a sixth larger than GDI's (and ours).
    EXPECT_NEAR(theirLength, ourLength, ourLength * 0.25);
    EXPECT_GT(ourLength, 2 * (a.Vertical ? ours.width() : ours.height()));  // it runs that way
    EXPECT_GT(theirLength, 2 * (a.Vertical ? theirs.width() : theirs.height()));
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace platform
