// The preview's arithmetic, each row worked out by hand from the paper's size in 0.1 mm
// and the control's outer size: round(tenths x dpi / 254), zoom = round(control / page x
// 95 or 90), image = page at zoom + 4, centred by truncating division.
#include <gtest/gtest.h>

#include "reports/previewlayout.h"

namespace reports {
namespace {

constexpr TPaperTenths kLetter{2159, 2794};
constexpr TPaperTenths kA4{2100, 2970};

struct TPageCase {
  TPaperTenths Paper;
  int Dpi;
  TPixelSize Expected;
};

TEST(PreviewLayout, PagePixelsRoundHalvesToEven) {
  const TPageCase cases[] = {
      {kLetter, 96, {816, 1056}},   // 8.5 x 11 inches
      {kA4, 96, {794, 1123}},       // 793.70 and 1122.52
      {kLetter, 120, {1020, 1320}},
      {{127, 381}, 2, {1, 3}},      // 1.0 and 3.0 exactly
      {{127, 381}, 3, {2, 4}},      // 1.5 and 4.5: both halves go to the even neighbour
      {{0, 0}, 96, {0, 0}},
  };
  for (const TPageCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Paper.Width << " x " << c.Paper.Length << " at " << c.Dpi);
    EXPECT_EQ(PagePixels(c.Paper, c.Dpi), c.Expected);
  }
}

struct TZoomCase {
  TPixelSize Control;
  TPaperTenths Paper;
  int Fit;
  int Width;
};

TEST(PreviewLayout, FitAndWidthZoom) {
  const TZoomCase cases[] = {
      // Taller than wide: the width limits, 800 / 816 x 95 = 93.14; the width zoom 88.24.
      {{800, 1200}, kLetter, 93, 88},
      // Wider than tall: the height limits, 600 / 1056 x 95 = 53.98; width 1200 / 816 x 90 = 132.35.
      {{1200, 600}, kLetter, 54, 132},
      // A maximised window of 1280 x 900: 1280 / 816 x 95 = 149.0, 900 / 1056 x 95 = 80.97.
      {{1280, 900}, kLetter, 81, 141},
      {{794, 1123}, kA4, 95, 90},
      // 408 / 816 x 95 = 47.5 exactly: to the even 48; x 90 = 45.
      {{408, 5000}, kLetter, 48, 45},
      // 1224 / 816 x 95 = 142.5: to the even 142.
      {{1224, 5000}, kLetter, 142, 135},
      // No paper yet (generation has not begun): no zoom.
      {{800, 600}, {0, 0}, 0, 0},
  };
  for (const TZoomCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Control.Width << " x " << c.Control.Height);
    EXPECT_EQ(FitZoom(c.Control, c.Paper, 96), c.Fit);
    EXPECT_EQ(WidthZoom(c.Control, c.Paper, 96), c.Width);
  }
}

struct TLayoutCase {
  TPixelSize Control;
  int Zoom;
  TImagePlace Expected;
};

TEST(PreviewLayout, ImageSizeAndCentring) {
  const TLayoutCase cases[] = {
      // 816 + 4 by 1056 + 4; centred across (1000 - 820) / 2, too tall to centre.
      {{1000, 600}, 100, {90, 0, 820, 1060}},
      // An odd difference is truncated: (1001 - 820) / 2 = 90.5.
      {{1001, 600}, 100, {90, 0, 820, 1060}},
      // 50 %: 408 + 4 by 528 + 4, centred both ways.
      {{1000, 1000}, 50, {294, 234, 412, 532}},
      // Wider than the control: at 0.
      {{500, 2000}, 100, {0, 470, 820, 1060}},
      // Exactly as wide as the control: not narrower, so at 0.
      {{820, 2000}, 100, {0, 470, 820, 1060}},
      // 2 %: 16.32 and 21.12 give 16 and 21.
      {{100, 100}, 2, {40, 37, 20, 25}},
      // 150 %: 1224 and 1584.
      {{1000, 1000}, 150, {0, 0, 1228, 1588}},
  };
  for (const TLayoutCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Control.Width << " x " << c.Control.Height << " at " << c.Zoom);
    EXPECT_EQ(LayoutPageImage(c.Control, kLetter, c.Zoom, 96), c.Expected);
  }
}

TEST(PreviewLayout, ZoomLimits) {
  const std::pair<int, bool> cases[] = {{-5, false}, {0, false}, {1, false}, {2, true},
                                        {100, true}, {2000, true}, {2001, false}};
  for (auto [zoom, allowed] : cases) EXPECT_EQ(ZoomAllowed(zoom), allowed) << zoom;
}

}  // namespace
}  // namespace reports
