// The canvas state logic, checked through the primitives a backend receives.
#include <gtest/gtest.h>

#include "base/screen.h"
#include "graphics/canvas.h"
#include "graphics/tracecanvas.h"

namespace platform {
namespace {

TEST(Brush, SettingAColourOnAClearBrushMakesItSolid) {
  TBrush brush;
  brush.SetStyle(bsClear);
  brush.SetColor(clRed);
  EXPECT_EQ(brush.Style(), bsSolid);
  EXPECT_EQ(brush.Color(), clRed);
  brush.SetStyle(bsClear);
  EXPECT_EQ(brush.Color(), clRed);  // the style alone keeps the colour
}

TEST(FillRect, PassesNormalisedRectanglesAndSkipsClearOrEmptyOnes) {
  struct Case {
    TRect Given;
    bool Drawn;
    TRect Device;
  };
  const Case cases[] = {
      {{10, 20, 13, 25}, true, {10, 20, 13, 25}},
      {{13, 25, 10, 20}, true, {10, 20, 13, 25}},  // corners in either order
      {{10, 25, 13, 20}, true, {10, 20, 13, 25}},
      {{10, 20, 10, 25}, false, {}},  // no width
      {{10, 20, 13, 20}, false, {}},  // no height
  };
  for (const Case& c : cases) {
    TTraceCanvas canvas;
    canvas.Brush.SetColor(clBlue);
    canvas.FillRect(c.Given);
    ASSERT_EQ(canvas.Ops().size(), c.Drawn ? 1u : 0u);
    if (c.Drawn) {
      EXPECT_EQ(canvas.Ops()[0].Rect, c.Device);
      EXPECT_EQ(canvas.Ops()[0].Color, clBlue);
    }
  }
  TTraceCanvas clear;
  clear.Brush.SetStyle(bsClear);
  clear.FillRect(TRect{0, 0, 5, 5});
  EXPECT_TRUE(clear.Ops().empty());
}

TEST(TextState, SettersReturnThePreviousValues) {
  TTraceCanvas canvas;
  EXPECT_EQ(canvas.SetTextAlign(TA_CENTER | TA_TOP), TA_LEFT | TA_TOP);
  EXPECT_EQ(canvas.SetTextAlign(TA_RIGHT | TA_BOTTOM), TA_CENTER | TA_TOP);
  EXPECT_EQ(canvas.SetBkMode(TRANSPARENT), OPAQUE);
  EXPECT_EQ(canvas.SetBkMode(OPAQUE), TRANSPARENT);
  EXPECT_EQ(canvas.SetBkColor(clRed), clWhite);
  EXPECT_EQ(canvas.SetBkColor(clBlue), clRed);
  EXPECT_THROW(canvas.SetBkMode(3), ECanvasError);
}

TEST(Fonts, CreatedFontIsUsedWhileSelectedThenTheCanvasFontAgain) {
  TTraceCanvas canvas;
  canvas.Font.SetName("Courier New");
  canvas.Font.SetHeight(11);
  canvas.Font.SetColor(clRed);
  TLogFont lf{};
  SetFaceName(lf, "A face name that is much longer than thirty-one characters");
  lf.lfHeight = 27;
  lf.lfEscapement = 900;
  HFONT font = canvas.CreateFontIndirect(lf);
  HGDIOBJ previous = canvas.SelectObject(font);
  EXPECT_EQ(previous, TCanvas::CanvasFontHandle);
  canvas.SetTextAlign(TA_CENTER | TA_TOP);
  canvas.TextOut(50, 60, "12");
  EXPECT_EQ(canvas.SelectObject(previous), font);
  EXPECT_THROW(canvas.SelectObject(font + 100), ECanvasError);
  canvas.DeleteObject(font);
  EXPECT_THROW(canvas.DeleteObject(font), ECanvasError);
  canvas.TextOut(5, 6, "ab");

  ASSERT_EQ(canvas.Ops().size(), 2u);
  const TTraceOp& rotated = canvas.Ops()[0];
  EXPECT_EQ(rotated.Points[0], (TPoint{50, 60}));
  EXPECT_EQ(FaceNameOf(rotated.Style.Font), "A face name that is much longer");
  EXPECT_EQ(FaceNameOf(rotated.Style.Font).size(), 31u);
  EXPECT_EQ(rotated.Style.Font.lfHeight, 27);
  EXPECT_EQ(rotated.Style.Font.lfEscapement, 900);
  EXPECT_EQ(rotated.Style.Align, TA_CENTER | TA_TOP);
  EXPECT_EQ(rotated.Style.Color, clRed);  // the canvas font's colour, whatever font is selected
  const TTraceOp& plain = canvas.Ops()[1];
  EXPECT_EQ(FaceNameOf(plain.Style.Font), "Courier New");
  EXPECT_EQ(plain.Style.Font.lfHeight, 11);
  EXPECT_EQ(plain.Text, u"ab");
}

TEST(Fonts, SelectedFontCannotBeDeleted) {
  TTraceCanvas canvas;
  TLogFont lf{};
  lf.lfHeight = 10;
  HFONT font = canvas.CreateFontIndirect(lf);
  canvas.SelectObject(font);
  EXPECT_THROW(canvas.DeleteObject(font), ECanvasError);
  canvas.SelectObject(TCanvas::CanvasFontHandle);
  EXPECT_NO_THROW(canvas.DeleteObject(font));
}

TEST(Fonts, TextIsMeasuredInTheSelectedFont) {
  TTraceCanvas canvas;
  canvas.Font.SetHeight(10);
  EXPECT_EQ(canvas.TextHeight("Ay"), 10);
  TLogFont lf{};
  lf.lfHeight = 30;
  canvas.SelectObject(canvas.CreateFontIndirect(lf));
  EXPECT_EQ(canvas.TextExtent("Ay"), (TSize{36, 30}));
}

TEST(Mapping, AnisotropicZoomScalesCoordinatesAndFontHeights) {
  TTraceCanvas canvas;
  canvas.SetMapMode(MM_ANISOTROPIC);
  canvas.SetWindowExtEx(96, 96);
  canvas.SetViewportExtEx(144, 144);  // 150 %
  canvas.Brush.SetColor(clBlack);
  canvas.FillRect(TRect{1, 2, 11, 21});
  canvas.Font.SetHeight(13);
  canvas.TextOut(10, 10, "x");
  EXPECT_EQ(canvas.TextHeight("Ay"), 13);  // measured back in logical units
  ASSERT_EQ(canvas.Ops().size(), 2u);
  // 1.5, 3, 16.5, 31.5 rounded half away from zero
  EXPECT_EQ(canvas.Ops()[0].Rect, (TRect{2, 3, 17, 32}));
  EXPECT_EQ(canvas.Ops()[1].Points[0], (TPoint{15, 15}));
  EXPECT_EQ(canvas.Ops()[1].Style.Font.lfHeight, 20);  // 19.5
  EXPECT_EQ(canvas.LPtoDP({96, 48}), (TPoint{144, 72}));
  EXPECT_EQ(canvas.DPtoLP({144, 72}), (TPoint{96, 48}));
}

TEST(Mapping, OriginsShiftAndModesDiffer) {
  TTraceCanvas canvas;
  EXPECT_EQ(canvas.SetMapMode(MM_ANISOTROPIC), MM_TEXT);
  canvas.SetWindowOrgEx(100, 0);
  canvas.SetViewportOrgEx(0, 50);
  canvas.SetWindowExtEx(10, 10);
  canvas.SetViewportExtEx(20, 40);
  EXPECT_EQ(canvas.LPtoDP({110, 10}), (TPoint{20, 90}));
  canvas.SetMapMode(MM_ISOTROPIC);  // the smaller scale in both directions
  EXPECT_EQ(canvas.LPtoDP({110, 10}), (TPoint{20, 70}));
  canvas.SetMapMode(MM_TEXT);  // extents reset and ignored, origins stay
  EXPECT_EQ(canvas.SetWindowExtEx(5, 5), (TSize{1, 1}));
  EXPECT_EQ(canvas.LPtoDP({110, 10}), (TPoint{10, 60}));
  EXPECT_THROW(canvas.SetMapMode(2), ECanvasError);
  canvas.SetMapMode(MM_ANISOTROPIC);
  EXPECT_THROW(canvas.SetWindowExtEx(0, 5), ECanvasError);
}

TEST(Shapes, PenWidthFollowsTheMappingAndPolygonCountsAreChecked) {
  TTraceCanvas canvas;
  canvas.SetMapMode(MM_ANISOTROPIC);
  canvas.SetWindowExtEx(1, 1);
  canvas.SetViewportExtEx(3, 3);
  canvas.Pen.SetWidth(2);
  const TPoint triangle[] = {{0, 0}, {10, 0}, {0, 10}};
  canvas.Polygon(triangle);
  ASSERT_EQ(canvas.Ops().size(), 1u);
  EXPECT_EQ(canvas.Ops()[0].Pen.Width, 6);
  EXPECT_EQ(canvas.Ops()[0].Points[1], (TPoint{30, 0}));
  const int32_t wrong[] = {2, 2};
  EXPECT_THROW(canvas.PolyPolygon(triangle, wrong), ECanvasError);
  canvas.MoveTo(1, 1);
  canvas.LineTo(2, 3);
  EXPECT_EQ(canvas.PenPos(), (TPoint{2, 3}));
  EXPECT_EQ(canvas.Ops().back().Points, (std::vector<TPoint>{{3, 3}, {6, 9}}));
}

TEST(Screen, ProviderCanBeReplacedAndRestored) {
  EXPECT_EQ(ScreenPixelsPerInch(), 96);
  auto previous = SetScreenPixelsPerInchProvider([] { return 120; });
  EXPECT_EQ(ScreenPixelsPerInch(), 120);
  SetScreenPixelsPerInchProvider(previous);
  EXPECT_EQ(ScreenPixelsPerInch(), 96);
  SetScreenPixelsPerInchProvider(nullptr);
  EXPECT_EQ(ScreenPixelsPerInch(), 96);
}

}  // namespace
}  // namespace platform
