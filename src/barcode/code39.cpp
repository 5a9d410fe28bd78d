// Code 39: every character is 5 bars and 4 spaces, 3 of the 9 elements wide, and is
// followed by a narrow light gap. "*" is the start and stop character.
#include "barcode/code39.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

#include "barcode/llbarcode.h"
#include "barcode/modulewriter.h"
#include "barcode/textbuffer.h"

namespace barcode {

namespace {

constexpr std::string_view kCode39Set = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";

// The published Code 39 table, in the order of the set: element flags
// bar-space-bar-space-bar-space-bar-space-bar, 1 = wide.
constexpr std::array<std::string_view, 44> kCode39Patterns = {
    "000110100",  // 0
    "100100001",  // 1
    "001100001",  // 2
    "101100000",  // 3
    "000110001",  // 4
    "100110000",  // 5
    "001110000",  // 6
    "000100101",  // 7
    "100100100",  // 8
    "001100100",  // 9
    "100001001",  // A
    "001001001",  // B
    "101001000",  // C
    "000011001",  // D
    "100011000",  // E
    "001011000",  // F
    "000001101",  // G
    "100001100",  // H
    "001001100",  // I
    "000011100",  // J
    "100000011",  // K
    "001000011",  // L
    "101000010",  // M
    "000010011",  // N
    "100010010",  // O
    "001010010",  // P
    "000000111",  // Q
    "100000110",  // R
    "001000110",  // S
    "000010110",  // T
    "110000001",  // U
    "011000001",  // V
    "111000000",  // W
    "010010001",  // X
    "110010000",  // Y
    "011010000",  // Z
    "010000101",  // -
    "110000100",  // .
    "011000100",  // space
    "010101000",  // $
    "010100010",  // /
    "010001010",  // +
    "000101010",  // %
    "010010100",  // *
};

constexpr int kElementsPerChar = 9;

}  // namespace

TBarCode39::TBarCode39() : TPatternTable<9>(kCode39Set, kCode39Patterns) {}

const TBarCode39& Code39Table() {
  static const TBarCode39 table;
  return table;
}

void TLLBarcode::EncodeCode39() {
  const TBarCode39& table = Code39Table();
  std::string_view text = TextOf(EncodedText);
  int wide = WideModules(Params.Ratio);
  if (text.size() * kElementsPerChar > kWide39Capacity) throw std::logic_error("Code 39 text too long");
  TModuleWriter out(Modules);
  for (size_t c = 0; c < text.size(); ++c) {
    // Text preparation leaves only characters of the set; anything else would be a fault upstream.
    const TFlags<9>& flags = table.Pattern(table.IndexOf(text[c]));
    uint8_t* charFlags = Wide39 + c * kElementsPerChar;
    std::copy(flags.begin(), flags.end(), charFlags);
    for (int e = 0; e < kElementsPerChar; ++e) out.PutElement(e % 2 == 0, charFlags[e] != 0, wide);
    out.Put(0, 1);  // inter-character gap, after the last character too
  }
  ModuleCount = out.Position();
}

}  // namespace barcode
