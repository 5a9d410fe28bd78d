// Any content of the parameter record either encodes or raises EOverflow, and the
// results stay within their buffers; every record is then drawn on a recording canvas,
// which either refuses it before drawing anything or draws it. Input layout (missing
// bytes are 0 unless said otherwise):
//   0 CodeType, 1 ModuleWidth, 2 Ratio, 3 flags (bits 0-3 booleans, 4-5 rotation,
//   6-7 the canvas resolution: 96, 300, 600 or 0 dots per inch),
//   4-7 IdentSplit, 8-13 CodeAddon (raw, need not be terminated),
//   14-66 Caption (raw, need not be terminated),
//   67-70 HeightPercent, 71-74 Fontscaling (100 when missing),
//   75 Rotation as a whole byte (when present, in place of bits 4-5 of the flags).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "barcode/code128.h"
#include "barcode/code25.h"
#include "barcode/eoverflow.h"
#include "barcode/llbarcode.h"
#include "graphics/tracecanvas.h"

namespace {

using namespace barcode;

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

constexpr size_t kHeaderSize = 14;
constexpr size_t kTailOffset = kHeaderSize + kCaptionCapacity;
constexpr int kResolutions[] = {96, 300, 600, 0};

// Fields behind the caption; an input that stops earlier keeps the defaults.
void FillTail(TLLBarcode& b, const uint8_t* data, size_t size) {
  auto field = [&](size_t offset, auto& value) {
    if (size >= offset + sizeof value) std::memcpy(&value, data + offset, sizeof value);
  };
  field(kTailOffset, b.Params.HeightPercent);
  field(kTailOffset + 4, b.Params.Fontscaling);
  field(kTailOffset + 8, b.Params.Rotation);
}

void Fill(TLLBarcode& b, const uint8_t* data, size_t size) {
  uint8_t header[kHeaderSize] = {};
  if (size > 0) std::memcpy(header, data, size < sizeof header ? size : sizeof header);
  b.Params.CodeType = static_cast<btCodeTypes>(header[0]);
  b.Params.ModuleWidth = static_cast<btCodeSizes>(header[1]);
  b.Params.Ratio = static_cast<btCodeRatio>(header[2]);
  b.Params.WidthReduce = header[3] & 1;
  b.Params.HighDensity = header[3] & 2;
  b.Params.ZoomSize = header[3] & 4;
  b.Params.HumanReadable = header[3] & 8;
  b.Params.Rotation = static_cast<btCodeRotate>((header[3] >> 4) & 3);
  std::memcpy(&b.Params.IdentSplit, header + 4, sizeof b.Params.IdentSplit);
  std::memcpy(b.Params.CodeAddon, header + 8, sizeof b.Params.CodeAddon);
  std::memset(b.Params.Caption, 0, sizeof b.Params.Caption);
  if (size > sizeof header) {
    size_t n = size - sizeof header;
    std::memcpy(b.Params.Caption, data + sizeof header, n < sizeof b.Params.Caption ? n : sizeof b.Params.Caption);
  }
  FillTail(b, data, size);
}

int ResolutionOf(const uint8_t* data, size_t size) { return size > 3 ? kResolutions[data[3] >> 6] : kResolutions[0]; }

void CheckResult(const TLLBarcode& b) {
  Require(b.ModuleCount > 0 && b.ModuleCount <= kModuleCapacity, "module count within the array");
  for (int i = 0; i < kModuleCapacity; ++i) {
    Require(b.Modules[i] <= 1, "modules are 0 or 1");
    Require(i < b.ModuleCount || b.Modules[i] == 0, "modules beyond the count are 0");
  }
  Require(std::memchr(b.EncodedText, 0, sizeof b.EncodedText) != nullptr, "encoded text terminated");
  double mm = b.ModuleWidthMM();
  Require(mm > 0.1 && mm < 0.7, "module width in range");
}

// What the drawing does with the result: the display texts.
void Display(const TLLBarcode& b) {
  TEncodedText shown;
  std::memcpy(shown, b.EncodedText, sizeof shown);
  FormatFrachtpostText(b, shown);
  Require(std::memchr(shown, 0, sizeof shown) != nullptr, "display text terminated");
  std::string text(1, b.EncodedText[0]);
  text.append(b.Params.Caption, strnlen(b.Params.Caption, sizeof b.Params.Caption));
  ExpandCode128(text, true);
}

// The drawing refuses a record only before it has drawn anything, and a record that
// encodes only by a range rule of the record.
void CheckDrawing(const TLLBarcode& encoded, bool encodes, int dpi) {
  TLLBarcode b = encoded;
  platform::TTraceCanvas canvas(dpi, dpi);
  try {
    platform::TSize size = b.DrawBarcode(canvas, -10000, 23);
    Require(encodes, "a record that does not encode is drawn");
    Require(size.cx > 0 && size.cy > 0, "drawn size positive");
  } catch (const EOverflow& e) {
    Require(canvas.Ops().empty(), "refused after drawing began");
    Require(!encodes || e.Error() == TBarcodeError::PropertyRange, "refused for the right reason");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TLLBarcode b;
  Fill(b, data, size);
  bool encodes = true;
  try {
    b.Encode();
  } catch (const EOverflow&) {
    encodes = false;
  }
  CheckDrawing(b, encodes, ResolutionOf(data, size));
  if (!encodes) return 0;
  CheckResult(b);
  Display(b);
  // Encoding depends on the parameters only: a second run gives the same symbol.
  TLLBarcode again = b;
  again.Encode();
  Require(again.ModuleCount == b.ModuleCount && std::memcmp(again.Modules, b.Modules, sizeof b.Modules) == 0 &&
              std::strcmp(again.EncodedText, b.EncodedText) == 0,
          "encoding repeats");
  return 0;
}
