// Postnet: full and half bars between two full frame bars. FIM: a fixed pattern of
// 9 bar positions chosen by the first letter of the text.
#include "barcode/postnet.h"

#include <string_view>

#include "barcode/llbarcode.h"
#include "barcode/modulewriter.h"
#include "barcode/textbuffer.h"

namespace barcode {

namespace {

constexpr std::string_view kPostnetSet = "0123456789";

// The published Postnet table: 5 bars per digit, 1 = full height, 0 = half height.
constexpr std::array<std::string_view, 10> kPostnetPatterns = {
    "11000",  // 0
    "00011",  // 1
    "00101",  // 2
    "00110",  // 3
    "01001",  // 4
    "01010",  // 5
    "01100",  // 6
    "10001",  // 7
    "10010",  // 8
    "10100",  // 9
};

// The published Facing Identification Marks: 9 bar positions, 1 = bar.
constexpr std::array<std::string_view, 3> kFIMPatterns = {
    "110010011",  // FIM-A
    "101101101",  // FIM-B
    "110101011",  // FIM-C
};
constexpr std::array<std::string_view, 3> kFIMNames = {"FIM-A", "FIM-B", "FIM-C"};

constexpr uint8_t kFullBar = 1;

TFIMKind FIMKindOf(char first) {
  switch (UpperAscii(first)) {
    case 'A': return FIM_A;
    case 'B': return FIM_B;
    default: return FIM_C;
  }
}

}  // namespace

TBarPostnet::TBarPostnet()
    : TPatternTable<5>(kPostnetSet, kPostnetPatterns), FFIM(FlagTable<9, 3>(kFIMPatterns)) {}

const TBarPostnet& PostnetTable() {
  static const TBarPostnet table;
  return table;
}

void TLLBarcode::EncodePostnet() {
  const TBarPostnet& table = PostnetTable();
  TModuleWriter out(Modules);
  out.Put(kFullBar, 1);  // left frame bar
  for (char c : TextOf(EncodedText)) out.Put(table.Pattern(DigitValue(c)));
  out.Put(kFullBar, 1);  // right frame bar
  ModuleCount = out.Position();
}

void TLLBarcode::EncodeFIM() {
  TFIMKind kind = FIMKindOf(EncodedText[0]);
  AssignText(EncodedText, kFIMNames[kind]);
  TModuleWriter out(Modules);
  out.Put(PostnetTable().FIM(kind));
  ModuleCount = out.Position();
}

}  // namespace barcode
