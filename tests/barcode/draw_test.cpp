// Geometry of the drawn symbol on a recording canvas: sizes, bar rectangles and
// text anchors, at several resolutions and in the four rotations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "barcode/eoverflow.h"
#include "barcode/llbarcode.h"
#include "base/screen.h"
#include "graphics/tracecanvas.h"

namespace barcode {
namespace {

using platform::TRect;
using platform::TSize;
using platform::TTraceCanvas;
using platform::TTraceOp;

void SetCaption(TLLBarcode& barcode, const char* text) {
  std::strncpy(barcode.Params.Caption, text, kCaptionCapacity - 1);
}

struct TDrawn {
  TSize Size;
  std::vector<TRect> Bars;
  std::vector<TTraceOp> Texts;
};

TDrawn Draw(TLLBarcode& barcode, int dpi = 96, int x0 = 0, int y0 = 0) {
  TTraceCanvas canvas(dpi, dpi);
  TDrawn drawn;
  drawn.Size = barcode.DrawBarcode(canvas, x0, y0);
  for (const TTraceOp& op : canvas.Ops()) {
    if (op.Kind == TTraceOp::FillRect) drawn.Bars.push_back(op.Rect);
    if (op.Kind == TTraceOp::TextOut) drawn.Texts.push_back(op);
  }
  return drawn;
}

TLLBarcode Ean13(int heightPercent = 70) {
  TLLBarcode barcode;
  barcode.Params.CodeType = EAN_13;
  barcode.Params.HeightPercent = heightPercent;
  SetCaption(barcode, "4006381333931");
  return barcode;
}

struct SizeCase {
  const char* name;
  btCodeTypes type;
  const char* caption;
  const char* addon;
  int heightPercent;
  int fontScaling;
  bool zoom;
  bool humanReadable;
  btCodeRotate rotation;
  TSize size;
};

TEST(DrawBarcode, SizesAt96Dpi) {
  const SizeCase cases[] = {
      {"EAN-13 at 70 %", EAN_13, "4006381333931", "", 70, 100, false, true, rotate_000, {116, 61}},
      {"EAN-13 without text", EAN_13, "4006381333931", "", 70, 100, false, false, rotate_000, {116, 53}},
      {"EAN-13 turned 90", EAN_13, "4006381333931", "", 70, 100, false, true, rotate_090, {61, 116}},
      {"EAN-13 turned 180", EAN_13, "4006381333931", "", 70, 100, false, true, rotate_180, {116, 61}},
      {"EAN-13 turned 270", EAN_13, "4006381333931", "", 70, 100, false, true, rotate_270, {61, 116}},
      {"EAN-13 zoomed, 80 %, font 125", EAN_13, "00000000000", "", 80, 125, true, true, rotate_000, {139, 90}},
      {"Code 128 B, 18 characters, font 200", CODE128_B, "Quorvantix Systems", "", 100, 200, false, true,
       rotate_000, {234, 84}},
      {"EAN-8 defaults zoomed", EAN_8, "4711", "", 100, 100, true, true, rotate_000, {84, 83}},
      {"EAN-8 defaults", EAN_8, "4711", "", 100, 100, false, true, rotate_000, {68, 66}},
      {"EAN-13 with 5-digit add-on", EAN_13, "4006381333931", "52495", 70, 100, false, true, rotate_000,
       {173, 61}},
      {"EAN-13 with 2-digit add-on", EAN_13, "4006381333931", "12", 70, 100, false, true, rotate_000, {146, 61}},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.name);
    TLLBarcode barcode;
    barcode.Params.CodeType = c.type;
    SetCaption(barcode, c.caption);
    std::strncpy(barcode.Params.CodeAddon, c.addon, kCodeAddonCapacity - 1);
    barcode.Params.HeightPercent = c.heightPercent;
    barcode.Params.Fontscaling = c.fontScaling;
    barcode.Params.ZoomSize = c.zoom;
    barcode.Params.HumanReadable = c.humanReadable;
    barcode.Params.Rotation = c.rotation;
    EXPECT_EQ(Draw(barcode).Size, c.size);
  }
}

TEST(DrawBarcode, Ean13BarsAndDigitsAt96Dpi) {
  TLLBarcode barcode = Ean13();
  TDrawn drawn = Draw(barcode, 96, 5, 7);
  // p = 1, H = 74, R = 22: guard bars reach y0 + 52, data bars y0 + Round(67.858) - 22 = y0 + 46.
  ASSERT_FALSE(drawn.Bars.empty());
  EXPECT_EQ(drawn.Bars.front(), (TRect{5 + 10, 7, 5 + 11, 7 + 52}));  // first guard bar, after the margin
  EXPECT_EQ(drawn.Bars.back(), (TRect{5 + 10 + 94, 7, 5 + 10 + 95, 7 + 52}));
  int shortBars = 0;
  int dark = 0;
  for (const TRect& bar : drawn.Bars) {
    EXPECT_EQ(bar.Top, 7);
    EXPECT_TRUE(bar.Bottom == 7 + 52 || bar.Bottom == 7 + 46);
    if (bar.Bottom == 7 + 46) ++shortBars;
    dark += bar.Width();
  }
  int darkModules = 0;
  for (int j = 0; j < barcode.ModuleCount; ++j) darkModules += barcode.Modules[j];
  EXPECT_EQ(dark, darkModules);  // p = 1: one pixel per dark module
  EXPECT_EQ(shortBars, 24);      // two bars per data digit, twelve digits
  ASSERT_EQ(drawn.Texts.size(), 3u);
  // Leading digit in the left margin, the two groups centred on their data halves.
  EXPECT_EQ(drawn.Texts[0].Text, u"4");
  EXPECT_EQ(drawn.Texts[0].Points[0], (platform::TPoint{5 + 5, 7 + 46}));
  EXPECT_EQ(drawn.Texts[1].Text, u"006381");
  EXPECT_EQ(drawn.Texts[1].Points[0], (platform::TPoint{5 + 10 + 24, 7 + 46}));
  EXPECT_EQ(drawn.Texts[2].Text, u"333931");
  EXPECT_EQ(drawn.Texts[2].Points[0], (platform::TPoint{5 + 10 + 71, 7 + 46}));
  for (const TTraceOp& text : drawn.Texts) {
    EXPECT_EQ(text.Style.Font.lfHeight, 13);
    EXPECT_EQ(text.Style.Font.lfEscapement, 0);
    EXPECT_EQ(text.Style.Align, platform::TA_CENTER | platform::TA_TOP);
    EXPECT_EQ(text.Style.BkMode, platform::TRANSPARENT);
    EXPECT_STREQ(text.Style.Font.lfFaceName, "Arial");
  }
}

TEST(DrawBarcode, UpcAPutsTheCheckDigitInTheRightMargin) {
  TLLBarcode barcode;
  barcode.Params.CodeType = UPC_A;
  SetCaption(barcode, "03600029145");
  TDrawn drawn = Draw(barcode);
  ASSERT_EQ(drawn.Texts.size(), 4u);
  EXPECT_EQ(drawn.Texts[0].Text, u"0");
  EXPECT_EQ(drawn.Texts[1].Text, u"36000");
  EXPECT_EQ(drawn.Texts[2].Text, u"29145");
  EXPECT_EQ(drawn.Texts[3].Text, u"2");
  EXPECT_EQ(drawn.Texts[3].Points[0].X, 10 + 94 + 1 + 5);
}

TEST(DrawBarcode, AddOnBarsLeaveRoomForTheirDigitsAbove) {
  TLLBarcode barcode = Ean13();
  std::strcpy(barcode.Params.CodeAddon, "52495");
  TDrawn drawn = Draw(barcode);
  int th = 13;  // the recording canvas measures "Ay" at the cell height
  for (const TRect& bar : drawn.Bars) {
    if (bar.Left - 10 > 99) {
      EXPECT_EQ(bar.Top, th + 1);
      EXPECT_EQ(bar.Bottom, 52);
    }
  }
  ASSERT_EQ(drawn.Texts.size(), 4u);
  EXPECT_EQ(drawn.Texts[3].Text, u"52495");
  EXPECT_EQ(drawn.Texts[3].Points[0], (platform::TPoint{10 + 127, 0}));

  std::strcpy(barcode.Params.CodeAddon, "12");
  drawn = Draw(barcode);
  EXPECT_EQ(drawn.Texts.back().Text, u"12");
  EXPECT_EQ(drawn.Texts.back().Points[0], (platform::TPoint{10 + 114, 0}));
}

TEST(DrawBarcode, ModuleWidthInPixelsFollowsTheResolution) {
  struct Case {
    int dpi;
    btCodeSizes size;
    bool highDensity;
    int p;
  };
  for (const Case& c : {Case{96, SC2, false, 1}, Case{300, SC2, false, 4}, Case{600, SC2, false, 8},
                        Case{72, SC0, true, 1}, Case{600, SC9, false, 16}, Case{600, SC9, true, 8}}) {
    SCOPED_TRACE(c.dpi);
    TLLBarcode barcode;
    barcode.Params.CodeType = CODE39;
    barcode.Params.ModuleWidth = c.size;
    barcode.Params.HighDensity = c.highDensity;
    SetCaption(barcode, "A");
    TDrawn drawn = Draw(barcode, c.dpi);
    // "*A*" starts with a narrow bar: one module.
    ASSERT_FALSE(drawn.Bars.empty());
    EXPECT_EQ(drawn.Bars.front().Width(), c.p);
    EXPECT_EQ(drawn.Size.cx, barcode.ModuleCount * c.p + 1);
  }
}

TEST(DrawBarcode, ASurfaceWithoutResolutionDrawsAsTheScreen) {
  TLLBarcode barcode = Ean13();
  auto previous = platform::SetScreenPixelsPerInchProvider([] { return 300; });
  TDrawn screen = Draw(barcode, 300);
  TTraceCanvas noResolution(0, 600);
  TSize size = barcode.DrawBarcode(noResolution, 0, 0);
  platform::SetScreenPixelsPerInchProvider(previous);
  EXPECT_EQ(size, screen.Size);
  EXPECT_EQ(noResolution.Ops().size(), screen.Bars.size() + screen.Texts.size());
}

TEST(DrawBarcode, WidthReduceNarrowsOnlyBarsWiderThanOnePixel) {
  TLLBarcode barcode;
  barcode.Params.CodeType = CODE39;
  SetCaption(barcode, "A");
  barcode.Params.WidthReduce = true;
  TDrawn reduced = Draw(barcode);
  barcode.Params.WidthReduce = false;
  TDrawn plain = Draw(barcode);
  ASSERT_EQ(reduced.Bars.size(), plain.Bars.size());
  for (size_t i = 0; i < plain.Bars.size(); ++i) {
    int width = plain.Bars[i].Width();
    EXPECT_EQ(reduced.Bars[i].Width(), width > 1 ? width - 1 : width);
    EXPECT_EQ(reduced.Bars[i].Left, plain.Bars[i].Left);
  }
}

TEST(DrawBarcode, HeightPercentMovesTheBottomsOnly) {
  struct Case {
    int percent;
    int guardBottom;
  };
  // H = 74 at 96 dpi; R = MulDiv(74, 100 - percent, 100).
  for (const Case& c : {Case{20, 74 - 59}, Case{100, 74}, Case{200, 148}}) {
    TLLBarcode barcode = Ean13(c.percent);
    TDrawn drawn = Draw(barcode);
    EXPECT_EQ(drawn.Bars.front().Top, 0);
    EXPECT_EQ(drawn.Bars.front().Bottom, c.guardBottom) << c.percent;
  }
}

TEST(DrawBarcode, RotationMapsBarsAndTurnsTheText) {
  TLLBarcode barcode = Ean13();
  TDrawn upright = Draw(barcode, 96, 100, 200);
  struct Case {
    btCodeRotate rotation;
    int escapement;
  };
  for (const Case& c : {Case{rotate_090, 900}, Case{rotate_180, 1800}, Case{rotate_270, 2700}}) {
    SCOPED_TRACE(c.escapement);
    barcode.Params.Rotation = c.rotation;
    TDrawn turned = Draw(barcode, 96, 100, 200);
    ASSERT_EQ(turned.Bars.size(), upright.Bars.size());
    const int LW = 116, LH = 61, x0 = 100, y0 = 200;
    for (size_t i = 0; i < upright.Bars.size(); ++i) {
      const TRect& u = upright.Bars[i];
      TRect expected;
      if (c.rotation == rotate_090) expected = {x0 + (u.Top - y0), y0 + LW - (u.Right - x0), x0 + (u.Bottom - y0), y0 + LW - (u.Left - x0)};
      if (c.rotation == rotate_180) expected = {x0 + LW - (u.Right - x0), y0 + LH - (u.Bottom - y0), x0 + LW - (u.Left - x0), y0 + LH - (u.Top - y0)};
      if (c.rotation == rotate_270) expected = {x0 + LH - (u.Bottom - y0), y0 + (u.Left - x0), x0 + LH - (u.Top - y0), y0 + (u.Right - x0)};
      EXPECT_EQ(turned.Bars[i], expected);
    }
    for (const TTraceOp& text : turned.Texts) EXPECT_EQ(text.Style.Font.lfEscapement, c.escapement);
  }
  // Upside down, the text stands above the bars.
  barcode.Params.Rotation = rotate_180;
  TDrawn turned = Draw(barcode);
  for (const TTraceOp& text : turned.Texts) EXPECT_EQ(text.Points[0].Y, 61 - 46);
}

TEST(DrawBarcode, LinearTextsStandUnderTheMiddleModule) {
  struct Case {
    btCodeTypes type;
    const char* caption;
    std::u16string text;
  };
  const Case cases[] = {
      {CODE39, "abc-1", u"ABC-1"},
      {Codabar, "12345", u"12345"},
      {CODE25i, "123", u"1236"},
      {CODE25iP, "1234567890123", u"12345.678.901.23   6"},
      {MSI_Plessey, "1234567", u"12345674"},
      {CODE128_B, "ABC", u"ABC"},
      {CODE128_C, "1a2", u"102"},
      {CODE128_A, "ab", u"  "},
      {UPC_E, "042100", u"042100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    TLLBarcode barcode;
    barcode.Params.CodeType = c.type;
    SetCaption(barcode, c.caption);
    TDrawn drawn = Draw(barcode);
    ASSERT_EQ(drawn.Texts.size(), 1u);
    EXPECT_EQ(drawn.Texts[0].Text, c.text);
    EXPECT_EQ(drawn.Texts[0].Points[0].X, barcode.ModuleCount / 2 - 1);
  }
}

TEST(DrawBarcode, PostalCodesHaveFixedDimensions) {
  TLLBarcode barcode;
  barcode.Params.CodeType = Postnet;
  SetCaption(barcode, "12345");
  TDrawn postnet = Draw(barcode);
  // bw 2, pitch 4.364, tall 12, short 5; text cell Round(60 * 74.24 / 56.24 * 0.18) = 14.
  ASSERT_EQ(postnet.Bars.size(), 32u);
  EXPECT_EQ(postnet.Bars[0], (TRect{0, 0, 2, 12}));
  EXPECT_EQ(postnet.Bars[1], (TRect{4, 7, 6, 12}));  // digit 1 = 00011: three short bars first
  EXPECT_EQ(postnet.Bars[2], (TRect{9, 7, 11, 12}));
  EXPECT_EQ(postnet.Bars[4], (TRect{17, 0, 19, 12}));
  EXPECT_EQ(postnet.Bars[31], (TRect{135, 0, 137, 12}));  // Round(31 x 4.3636) = 135
  EXPECT_EQ(postnet.Size, (TSize{138, 27}));
  ASSERT_EQ(postnet.Texts.size(), 1u);
  EXPECT_EQ(postnet.Texts[0].Text, u"123455");
  EXPECT_EQ(postnet.Texts[0].Points[0], (platform::TPoint{67, 12}));
  EXPECT_EQ(postnet.Texts[0].Style.Font.lfHeight, 14);

  barcode.Params.CodeType = Postnet_FIM;
  SetCaption(barcode, "a");
  TDrawn fim = Draw(barcode);
  // FIM-A 110010011: bar width 3, pitch 6, height 60.
  std::vector<TRect> expected;
  for (int j : {0, 1, 4, 7, 8}) expected.push_back(TRect{6 * j, 0, 6 * j + 3, 60});
  EXPECT_EQ(fim.Bars, expected);
  EXPECT_EQ(fim.Size, (TSize{52, 75}));
  ASSERT_EQ(fim.Texts.size(), 1u);
  EXPECT_EQ(fim.Texts[0].Text, u"FIM-A");
}

TEST(DrawBarcode, LeavesBrushAndAlignmentAsItFoundThem) {
  TLLBarcode barcode = Ean13();
  TTraceCanvas canvas;
  canvas.Brush.SetColor(platform::clRed);
  canvas.Brush.SetStyle(platform::bsClear);
  canvas.SetTextAlign(platform::TA_RIGHT | platform::TA_BASELINE);
  barcode.DrawBarcode(canvas, 0, 0);
  EXPECT_EQ(canvas.Brush.Color(), platform::clRed);
  EXPECT_EQ(canvas.Brush.Style(), platform::bsClear);
  EXPECT_EQ(canvas.GetTextAlign(), platform::TA_RIGHT | platform::TA_BASELINE);
  EXPECT_EQ(canvas.GetBkMode(), platform::TRANSPARENT);
  EXPECT_EQ(canvas.Font.Height(), 13);
  EXPECT_EQ(canvas.SelectedFont(), platform::TCanvas::CanvasFontHandle);

  barcode.Params.CodeType = static_cast<btCodeTypes>(14);
  EXPECT_THROW(barcode.DrawBarcode(canvas, 0, 0), EOverflow);
  EXPECT_EQ(canvas.Brush.Color(), platform::clRed);
  EXPECT_EQ(canvas.GetTextAlign(), platform::TA_RIGHT | platform::TA_BASELINE);
}

TEST(DrawBarcode, AnUnknownTypeFailsBeforeDrawingAnything) {
  TLLBarcode barcode;
  barcode.Params.CodeType = static_cast<btCodeTypes>(200);
  TTraceCanvas canvas;
  try {
    barcode.DrawBarcode(canvas, 0, 0);
    FAIL() << "no error";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "Barcode: Unknown Type of Barcode");
  }
  EXPECT_TRUE(canvas.Ops().empty());
}

}  // namespace
}  // namespace barcode
