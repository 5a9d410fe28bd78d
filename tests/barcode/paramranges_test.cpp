// A parameter record written directly, with values that no setter lets through: the
// drawing refuses what it has no meaning for before it draws anything, and draws every
// other value as the engine reads it. Meant for the sanitizer build too, where any
// overflow on the way aborts the test.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "barcode/eoverflow.h"
#include "barcode/llbarcode.h"
#include "graphics/tracecanvas.h"

namespace barcode {
namespace {

using platform::TTraceCanvas;
using platform::TTraceOp;
using TChange = std::function<void(TBarcodeParams&)>;

struct TSymbol {
  btCodeTypes Type;
  const char* Caption;
};

// One symbol of each layout: EAN-13 (margins, add-on), a wide:narrow one, Code 128
// (its text is made from the raw caption), and the two postal layouts.
const TSymbol kLinearSymbols[] = {{EAN_13, "4006381333931"}, {CODE39, "CODE-39"}, {CODE128_B, "Quorvantix"}};
const TSymbol kPostalSymbols[] = {{Postnet, "12345"}, {Postnet_FIM, "A"}};

TBarcodeParams ParamsOf(const TSymbol& symbol) {
  TBarcodeParams params;
  params.CodeType = symbol.Type;
  std::strncpy(params.Caption, symbol.Caption, kCaptionCapacity - 1);
  return params;
}

// The drawing as text, one line per primitive, so that two drawings compare as wholes.
std::string Drawing(const TBarcodeParams& params, int dpi = 96) {
  TLLBarcode barcode;
  barcode.Params = params;
  TTraceCanvas canvas(dpi, dpi);
  platform::TSize size = barcode.DrawBarcode(canvas, 17, 23);
  std::ostringstream out;
  out << size.cx << 'x' << size.cy << '\n';
  for (const TTraceOp& op : canvas.Ops()) {
    out << op.Kind << ' ' << op.Rect.Left << ',' << op.Rect.Top << ',' << op.Rect.Right << ',' << op.Rect.Bottom;
    for (const platform::TPoint& point : op.Points) out << " @" << point.X << ',' << point.Y;
    out << ' ' << std::string(op.Text.begin(), op.Text.end()) << " h" << op.Style.Font.lfHeight << " e"
        << op.Style.Font.lfEscapement << '\n';
  }
  return out.str();
}

struct TRefusal {
  std::string Name;
  TChange Change;
  const char* Message;
};

std::vector<TRefusal> RefusalsForEverySymbol() {
  std::vector<TRefusal> refusals;
  for (int rotation = 4; rotation <= 255; ++rotation)
    refusals.push_back({"Rotation " + std::to_string(rotation),
                        [rotation](TBarcodeParams& p) { p.Rotation = static_cast<btCodeRotate>(rotation); },
                        "Bar_Rotate must be in the range rotate_000..rotate_270!"});
  for (int percent : {INT_MIN, INT_MIN + 1, -200, -1, 0, 19, 201, 100000, INT_MAX - 100, INT_MAX})
    refusals.push_back({"Fontscaling " + std::to_string(percent),
                        [percent](TBarcodeParams& p) { p.Fontscaling = percent; },
                        "Bar_Fontscaling must be in the range 20..200!"});
  return refusals;
}

// The postal layouts have fixed bar heights and do not read HeightPercent.
std::vector<TRefusal> RefusalsForLinearSymbols() {
  std::vector<TRefusal> refusals;
  for (int percent : {INT_MIN, INT_MIN + 1, -100, -1, 0, 19, 201, 100000, INT_MAX - 99, INT_MAX})
    refusals.push_back({"HeightPercent " + std::to_string(percent),
                        [percent](TBarcodeParams& p) { p.HeightPercent = percent; },
                        "Bar_HeightPercent must be in the range 20..200!"});
  return refusals;
}

void ExpectRefusedBeforeDrawing(const TSymbol& symbol, const TRefusal& refusal) {
  SCOPED_TRACE(std::string(symbol.Caption) + ", " + refusal.Name);
  TLLBarcode barcode;
  barcode.Params = ParamsOf(symbol);
  refusal.Change(barcode.Params);
  TTraceCanvas canvas;
  canvas.Brush.SetColor(platform::clRed);
  canvas.SetTextAlign(platform::TA_RIGHT | platform::TA_BASELINE);
  try {
    barcode.DrawBarcode(canvas, 0, 0);
    ADD_FAILURE() << "drawn without error";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), refusal.Message);
  }
  EXPECT_TRUE(canvas.Ops().empty());
  EXPECT_EQ(canvas.Brush.Color(), platform::clRed);
  EXPECT_EQ(canvas.GetTextAlign(), platform::TA_RIGHT | platform::TA_BASELINE);
}

TEST(DrawnRecord, ValuesWithoutMeaningAreRefusedBeforeAnythingIsDrawn) {
  for (const TRefusal& refusal : RefusalsForEverySymbol()) {
    for (const TSymbol& symbol : kLinearSymbols) ExpectRefusedBeforeDrawing(symbol, refusal);
    for (const TSymbol& symbol : kPostalSymbols) ExpectRefusedBeforeDrawing(symbol, refusal);
  }
  for (const TRefusal& refusal : RefusalsForLinearSymbols())
    for (const TSymbol& symbol : kLinearSymbols) ExpectRefusedBeforeDrawing(symbol, refusal);
}

TEST(DrawnRecord, AnAddOnThatFillsItsArrayIsRefusedBeforeAnythingIsDrawn) {
  for (btCodeTypes type : {EAN_13, UPC_A}) {
    TRefusal refusal{"unterminated add-on",
                     [](TBarcodeParams& p) { std::memcpy(p.CodeAddon, "123456", sizeof p.CodeAddon); },
                     "BarLL: Wrong Addoncode"};
    ExpectRefusedBeforeDrawing({type, "03600029145"}, refusal);
  }
}

TEST(DrawnRecord, PostalLayoutsIgnoreHeightPercent) {
  for (const TSymbol& symbol : kPostalSymbols) {
    const std::string expected = Drawing(ParamsOf(symbol));
    for (int percent : {INT_MIN, -1, 0, 19, 201, INT_MAX}) {
      TBarcodeParams params = ParamsOf(symbol);
      params.HeightPercent = percent;
      EXPECT_EQ(Drawing(params), expected) << symbol.Caption << ", HeightPercent " << percent;
    }
  }
}

TEST(DrawnRecord, TheEdgesOfTheRangesDraw) {
  const TChange edges[] = {
      [](TBarcodeParams& p) { p.Rotation = rotate_270; },
      [](TBarcodeParams& p) { p.HeightPercent = 20; },
      [](TBarcodeParams& p) { p.HeightPercent = 200; },
      [](TBarcodeParams& p) { p.Fontscaling = 20; },
      [](TBarcodeParams& p) { p.Fontscaling = 200; },
  };
  for (const TSymbol& symbol : kLinearSymbols) {
    for (size_t i = 0; i < std::size(edges); ++i) {
      TBarcodeParams params = ParamsOf(symbol);
      edges[i](params);
      EXPECT_NO_THROW(Drawing(params, 600)) << symbol.Caption << ", edge " << i;
    }
  }
}

// A value outside the setter's range that the engine reads as another, valid value.
struct TReading {
  const char* Name;
  TSymbol Symbol;
  TChange Hostile;
  TChange Meant;
};

void AllCodeTextCharacters(TBarcodeParams& p, char c) { std::memset(p.Caption, c, sizeof p.Caption); }

void FiftyCodeTextCharacters(TBarcodeParams& p, char c) {
  std::memset(p.Caption, 0, sizeof p.Caption);
  std::memset(p.Caption, c, kMaxCodeTextLength);
}

const TReading kReadings[] = {
    // The catalogue gives a class above SC9 the width 0.33 mm, that of SC2.
    {"ModuleWidth 10", {EAN_13, "4006381333931"}, [](auto& p) { p.ModuleWidth = btCodeSizes(10); },
     [](auto& p) { p.ModuleWidth = SC2; }},
    {"ModuleWidth 255", {CODE39, "CODE-39"}, [](auto& p) { p.ModuleWidth = btCodeSizes(255); },
     [](auto& p) { p.ModuleWidth = SC2; }},
    {"ModuleWidth 128 dense", {CODE128_B, "Quorvantix"},
     [](auto& p) {
       p.ModuleWidth = btCodeSizes(128);
       p.HighDensity = true;
     },
     [](auto& p) {
       p.ModuleWidth = SC2;
       p.HighDensity = true;
     }},
    // Any ratio but Ratio_2 is the default 3:1.
    {"Ratio 2", {CODE39, "CODE-39"}, [](auto& p) { p.Ratio = btCodeRatio(2); }, [](auto& p) { p.Ratio = Ratio_3; }},
    {"Ratio 255", {CODE25i, "1234567890"}, [](auto& p) { p.Ratio = btCodeRatio(255); },
     [](auto& p) { p.Ratio = Ratio_3; }},
    {"Ratio 128", {Codabar, "A40156B"}, [](auto& p) { p.Ratio = btCodeRatio(128); },
     [](auto& p) { p.Ratio = Ratio_3; }},
    {"Ratio 77", {MSI_Plessey, "4711"}, [](auto& p) { p.Ratio = btCodeRatio(77); },
     [](auto& p) { p.Ratio = Ratio_3; }},
    // The freight-post split keeps the two-digit lead and the check digit.
    {"IdentSplit INT_MIN", {CODE25iP, "123456789012"}, [](auto& p) { p.IdentSplit = INT_MIN; },
     [](auto& p) { p.IdentSplit = 2; }},
    {"IdentSplit -1", {CODE25iP, "123456789012"}, [](auto& p) { p.IdentSplit = -1; },
     [](auto& p) { p.IdentSplit = 2; }},
    {"IdentSplit 12", {CODE25iP, "123456789012"}, [](auto& p) { p.IdentSplit = 12; },
     [](auto& p) { p.IdentSplit = 11; }},
    {"IdentSplit INT_MAX", {CODE25iP, "123456789012"}, [](auto& p) { p.IdentSplit = INT_MAX; },
     [](auto& p) { p.IdentSplit = 11; }},
    // A code text without terminator is read for its first 50 characters.
    {"Caption unterminated", {CODE128_B, ""}, [](auto& p) { AllCodeTextCharacters(p, 'Q'); },
     [](auto& p) { FiftyCodeTextCharacters(p, 'Q'); }},
    {"Caption unterminated", {CODE128_C, ""}, [](auto& p) { AllCodeTextCharacters(p, '7'); },
     [](auto& p) { FiftyCodeTextCharacters(p, '7'); }},
    {"Caption unterminated", {CODE39, ""}, [](auto& p) { AllCodeTextCharacters(p, 'x'); },
     [](auto& p) { FiftyCodeTextCharacters(p, 'x'); }},
    {"Caption unterminated", {CODE25i, ""}, [](auto& p) { AllCodeTextCharacters(p, '3'); },
     [](auto& p) { FiftyCodeTextCharacters(p, '3'); }},
    {"Caption unterminated", {Codabar, ""}, [](auto& p) { AllCodeTextCharacters(p, '5'); },
     [](auto& p) { FiftyCodeTextCharacters(p, '5'); }},
    {"Caption unterminated", {MSI_Plessey, ""}, [](auto& p) { AllCodeTextCharacters(p, '9'); },
     [](auto& p) { FiftyCodeTextCharacters(p, '9'); }},
    {"Caption unterminated", {EAN_13, ""}, [](auto& p) { AllCodeTextCharacters(p, '4'); },
     [](auto& p) { FiftyCodeTextCharacters(p, '4'); }},
    {"Caption unterminated", {Postnet, ""}, [](auto& p) { AllCodeTextCharacters(p, '1'); },
     [](auto& p) { FiftyCodeTextCharacters(p, '1'); }},
    // Only EAN-13 and UPC-A read the add-on.
    {"CodeAddon unterminated", {CODE128_B, "Quorvantix"},
     [](auto& p) { std::memcpy(p.CodeAddon, "123456", sizeof p.CodeAddon); },
     [](auto& p) { p.CodeAddon[0] = '\0'; }},
    {"CodeAddon unterminated", {EAN_8, "4711"},
     [](auto& p) { std::memcpy(p.CodeAddon, "123456", sizeof p.CodeAddon); },
     [](auto& p) { p.CodeAddon[0] = '\0'; }},
};

TEST(DrawnRecord, ValuesWithAReadingDrawAsThatReading) {
  for (const TReading& reading : kReadings) {
    for (int dpi : {96, 600}) {
      TBarcodeParams hostile = ParamsOf(reading.Symbol);
      reading.Hostile(hostile);
      TBarcodeParams meant = ParamsOf(reading.Symbol);
      reading.Meant(meant);
      EXPECT_EQ(Drawing(hostile, dpi), Drawing(meant, dpi)) << reading.Name << ", type " << int(reading.Symbol.Type)
                                                           << ", " << dpi << " dpi";
    }
  }
}

}  // namespace
}  // namespace barcode
