// Any content of the parameter record either encodes or raises EOverflow, and the
// results stay within their buffers. Input layout (missing bytes are 0):
//   0 CodeType, 1 ModuleWidth, 2 Ratio, 3 flags (bits 0-3 booleans, 4-5 rotation),
//   4-7 IdentSplit, 8-13 CodeAddon (raw, need not be terminated),
//   14-66 Caption (raw, need not be terminated).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "barcode/code128.h"
#include "barcode/code25.h"
#include "barcode/eoverflow.h"
#include "barcode/llbarcode.h"

namespace {

using namespace barcode;

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void Fill(TLLBarcode& b, const uint8_t* data, size_t size) {
  uint8_t header[14] = {};
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
}

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TLLBarcode b;
  Fill(b, data, size);
  try {
    b.Encode();
  } catch (const EOverflow&) {
    return 0;
  }
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
