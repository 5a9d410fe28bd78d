// Every drawing primitive of DrawBarcode, for every symbology, rotation and layout
// option at three resolutions, compared with the record kept in the test data. The
// record was taken from the drawing as it stood when its arithmetic was last
// reviewed; a change of one pixel anywhere shows here as the case that moved.
// To renew the record after an intended change, run this test with
// BARCODE_DRAW_RECORD=<file> and check the differences case by case.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "barcode/eoverflow.h"
#include "barcode/llbarcode.h"
#include "graphics/tracecanvas.h"

namespace barcode {
namespace {

struct TSymbolCase {
  btCodeTypes Type;
  const char* Caption;
  const char* Addon;
};

// A valid text for each of the fourteen symbologies; EAN-13 and UPC-A also with add-ons.
const TSymbolCase kSymbols[] = {
    {EAN_8, "4711", ""},
    {EAN_13, "4006381333931", ""},
    {EAN_13, "4006381333931", "12"},
    {EAN_13, "4006381333931", "52495"},
    {UPC_A, "03600029145", "52495"},
    {UPC_E, "0123456", ""},
    {CODE39, "CODE-39 $/+%", ""},
    {CODE25i, "1234567890", ""},
    {CODE25iP, "123456789012", ""},
    {CODE128_A, "QUORVANTIX-128", ""},
    {CODE128_B, "Quorvantix Systems", ""},
    {CODE128_C, "12345678901234", ""},
    {MSI_Plessey, "4711", ""},
    {Codabar, "A40156B", ""},
    {Postnet, "12345678901", ""},
    {Postnet_FIM, "A", ""},
};

struct TLayoutCase {
  const char* Name;
  btCodeSizes Size;
  int HeightPercent;
  int Fontscaling;
  bool Zoom;
  bool WidthReduce;
  bool HighDensity;
  bool HumanReadable;
};

const TLayoutCase kLayouts[] = {
    {"plain", SC2, 100, 100, false, false, false, true},
    {"short,zoom", SC3, 70, 125, true, false, false, true},
    {"tall,reduce", SC1, 200, 80, false, true, false, true},
    {"dense,notext", SC5, 20, 100, false, false, true, false},
    {"zoom,reduce,dense", SC9, 150, 200, true, true, true, true},
};

const int kResolutions[] = {96, 300, 600};

// FNV-1a over the values of every op, so one line per case stays short.
class TDigest {
 public:
  void Add(int64_t value) {
    for (int i = 0; i < 8; ++i) {
      FValue ^= static_cast<uint8_t>(value >> (8 * i));
      FValue *= 1099511628211ull;
    }
  }
  uint64_t Value() const { return FValue; }

 private:
  uint64_t FValue = 14695981039346656037ull;
};

void AddOp(TDigest& digest, const platform::TTraceOp& op) {
  digest.Add(op.Kind);
  for (int32_t v : {op.Rect.Left, op.Rect.Top, op.Rect.Right, op.Rect.Bottom}) digest.Add(v);
  for (const platform::TPoint& point : op.Points) {
    digest.Add(point.X);
    digest.Add(point.Y);
  }
  digest.Add(static_cast<int64_t>(op.Color));
  for (char16_t c : op.Text) digest.Add(c);
  if (op.Kind == platform::TTraceOp::TextOut) {
    digest.Add(op.Style.Font.lfHeight);
    digest.Add(op.Style.Font.lfEscapement);
    digest.Add(op.Style.Align);
    digest.Add(op.Style.BkMode);
    for (char c : std::string(op.Style.Font.lfFaceName)) digest.Add(c);
  }
}

std::string RecordLine(const TSymbolCase& symbol, const TLayoutCase& layout, int rotation, int dpi) {
  TLLBarcode barcode;
  barcode.Params.CodeType = symbol.Type;
  std::strncpy(barcode.Params.Caption, symbol.Caption, kCaptionCapacity - 1);
  std::strncpy(barcode.Params.CodeAddon, symbol.Addon, kCodeAddonCapacity - 1);
  barcode.Params.ModuleWidth = layout.Size;
  barcode.Params.HeightPercent = layout.HeightPercent;
  barcode.Params.Fontscaling = layout.Fontscaling;
  barcode.Params.ZoomSize = layout.Zoom;
  barcode.Params.WidthReduce = layout.WidthReduce;
  barcode.Params.HighDensity = layout.HighDensity;
  barcode.Params.HumanReadable = layout.HumanReadable;
  barcode.Params.Rotation = static_cast<btCodeRotate>(rotation);

  platform::TTraceCanvas canvas(dpi, dpi);
  std::ostringstream line;
  line << static_cast<int>(symbol.Type) << ' ' << symbol.Caption << '|' << symbol.Addon << ' ' << layout.Name
       << " r" << rotation << " " << dpi << "dpi: ";
  try {
    platform::TSize size = barcode.DrawBarcode(canvas, 17, 23);
    TDigest digest;
    for (const platform::TTraceOp& op : canvas.Ops()) AddOp(digest, op);
    line << size.cx << 'x' << size.cy << ' ' << canvas.Ops().size() << " ops " << std::hex << digest.Value();
  } catch (const EOverflow& error) {
    line << "EOverflow " << error.what();
  }
  return line.str();
}

std::vector<std::string> CurrentRecord() {
  std::vector<std::string> lines;
  for (const TSymbolCase& symbol : kSymbols)
    for (const TLayoutCase& layout : kLayouts)
      for (int rotation = 0; rotation < 4; ++rotation)
        for (int dpi : kResolutions) lines.push_back(RecordLine(symbol, layout, rotation, dpi));
  return lines;
}

std::vector<std::string> KeptRecord() {
  std::ifstream file(TEST_DATA_DIR "/barcode/drawing-record.txt");
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

TEST(DrawBarcodeRecord, EveryCaseDrawsAsRecorded) {
  const std::vector<std::string> current = CurrentRecord();
  if (const char* renew = std::getenv("BARCODE_DRAW_RECORD")) {
    std::ofstream out(renew);
    for (const std::string& line : current) out << line << '\n';
  }
  const std::vector<std::string> kept = KeptRecord();
  ASSERT_EQ(kept.size(), current.size()) << "the record in the test data has another number of cases";
  for (size_t i = 0; i < current.size(); ++i) EXPECT_EQ(current[i], kept[i]);
}

}  // namespace
}  // namespace barcode
