// Interleaved 2 of 5: digits go in pairs, the first digit of a pair in the bars and
// the second in the spaces between them, framed by a start and a stop pattern.
#include "barcode/code25.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

#include "barcode/modulewriter.h"
#include "barcode/textbuffer.h"

namespace barcode {

namespace {

// The published 2 of 5 table: 5 element flags per digit, 1 = wide.
constexpr auto kDigitPatterns = FlagTable<5, 10>({
    "00110",  // 0
    "10001",  // 1
    "01001",  // 2
    "11000",  // 3
    "00101",  // 4
    "10100",  // 5
    "01100",  // 6
    "00011",  // 7
    "10010",  // 8
    "01010",  // 9
});

constexpr std::array<uint8_t, 4> kStart = {0, 0, 0, 0};  // narrow bar, space, bar, space
constexpr std::array<uint8_t, 3> kStop = {1, 0, 0};      // wide bar, narrow space, narrow bar

}  // namespace

void TLLBarcode::Encode25() {
  std::string_view digits = TextOf(EncodedText);
  if (digits.size() % 2 != 0) throw std::logic_error("2 of 5 text with an odd digit count");
  size_t elements = kStart.size() + 5 * digits.size() + kStop.size();
  if (elements > kWide25Capacity) throw std::logic_error("2 of 5 text too long");

  uint8_t* flag = std::copy(kStart.begin(), kStart.end(), Wide25);
  for (size_t p = 0; p < digits.size(); p += 2) {
    const TFlags<5>& bars = kDigitPatterns[DigitValue(digits[p])];
    const TFlags<5>& spaces = kDigitPatterns[DigitValue(digits[p + 1])];
    for (size_t j = 0; j < 5; ++j) {
      *flag++ = bars[j];
      *flag++ = spaces[j];
    }
  }
  std::copy(kStop.begin(), kStop.end(), flag);

  int wide = WideModules(Params.Ratio);
  TModuleWriter out(Modules);
  for (size_t e = 0; e < elements; ++e) out.PutElement(e % 2 == 0, Wide25[e] != 0, wide);
  ModuleCount = out.Position();
}

void FormatFrachtpostText(const TLLBarcode& barcode, TEncodedText& text) {
  std::string_view t = TextOf(text);
  std::string shown;
  if (t.size() == 14) {
    shown.append(t.substr(0, 5)).append(".").append(t.substr(5, 3)).append(".");
    shown.append(t.substr(8, 3)).append(".").append(t.substr(11, 2)).append("   ").append(t.substr(13, 1));
  } else if (t.size() == 12) {
    // The split must leave the two-digit lead and the check digit in place.
    size_t split = static_cast<size_t>(std::clamp(barcode.Params.IdentSplit, 2, 11));
    shown.append(t.substr(0, 2)).append(".").append(t.substr(2, split - 2)).append("   ");
    shown.append(t.substr(split, 11 - split)).append("   ").append(t.substr(11, 1));
  } else {
    return;
  }
  AssignText(text, shown);
}

}  // namespace barcode
