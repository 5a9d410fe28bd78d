// Codabar: every character is 4 bars and 3 spaces, followed by a narrow light gap;
// the letters A to D serve as start and stop characters.
#include "barcode/codabar.h"

#include <array>
#include <string_view>

#include "barcode/modulewriter.h"
#include "barcode/textbuffer.h"

namespace barcode {

namespace {

constexpr std::string_view kCodabarSet = "0123456789-$:/.+ABCD";
constexpr std::string_view kStartStopLetters = "ABCD";
constexpr char kDefaultStartStop = 'A';

// The published Codabar table, in the order of the set: element flags
// bar-space-bar-space-bar-space-bar, 1 = wide.
constexpr std::array<std::string_view, 20> kCodabarPatterns = {
    "0000011",  // 0
    "0000110",  // 1
    "0001001",  // 2
    "1100000",  // 3
    "0010010",  // 4
    "1000010",  // 5
    "0100001",  // 6
    "0100100",  // 7
    "0110000",  // 8
    "1001000",  // 9
    "0001100",  // -
    "0011000",  // $
    "1000101",  // :
    "1010001",  // /
    "1010100",  // .
    "0010101",  // +
    "0011010",  // A
    "0101001",  // B
    "0001011",  // C
    "0001110",  // D
};

bool IsStartStopLetter(char c) { return kStartStopLetters.find(c) != std::string_view::npos; }

}  // namespace

TBarCodabar::TBarCodabar() : TPatternTable<7>(kCodabarSet, kCodabarPatterns) {}

const TBarCodabar& CodabarTable() {
  static const TBarCodabar table;
  return table;
}

void PrepareCodabar(TCaption& source, TEncodedText& destination) {
  const TBarCodabar& table = CodabarTable();
  size_t length = CodeTextOf(source).size();
  TTextWriter out(destination);
  for (size_t i = 0; i < length; ++i) {
    char c = source[i] = UpperAscii(source[i]);
    // A missing start or stop letter is supplied even when c itself is dropped.
    if (i == 0 && !IsStartStopLetter(c)) out.Append(kDefaultStartStop);
    if (table.Contains(c)) out.Append(c);
    if (i == length - 1 && !IsStartStopLetter(c)) out.Append(kDefaultStartStop);
  }
  while (out.Length() < 2) out.Append(kDefaultStartStop);
  int last = out.Length() - 1;
  for (int i = 1; i < last; ++i) {
    if (IsStartStopLetter(destination[i])) destination[i] = '0';
  }
}

void TLLBarcode::EncodeCodabar() {
  const TBarCodabar& table = CodabarTable();
  int wide = WideModules(Params.Ratio);
  TModuleWriter out(Modules);
  for (char c : TextOf(EncodedText)) {
    out.PutElements(table.Pattern(table.IndexOf(c)), wide);
    out.Put(0, 1);  // inter-character gap, after the last character too
  }
  ModuleCount = out.Position();
}

}  // namespace barcode
