// MSI Plessey: each digit is its 4 bits, most significant first, between a start
// bit 1 and the stop bits 00. A 1-bit is a wide bar and a narrow space, a 0-bit a
// narrow bar and a wide space.
#include "barcode/msi.h"

#include <array>
#include <string_view>

#include "barcode/eoverflow.h"
#include "barcode/modulewriter.h"
#include "barcode/textbuffer.h"

namespace barcode {

namespace {

// The published MSI digit table: the digit in base 2, most significant bit first.
constexpr auto kDigitBits = FlagTable<4, 10>({
    "0000",  // 0
    "0001",  // 1
    "0010",  // 2
    "0011",  // 3
    "0100",  // 4
    "0101",  // 5
    "0110",  // 6
    "0111",  // 7
    "1000",  // 8
    "1001",  // 9
});

constexpr TFlags<1> kStartBits = {1};
constexpr TFlags<2> kStopBits = {0, 0};

template <size_t Width>
void PutBits(TModuleWriter& out, const TFlags<Width>& bits, int wide) {
  for (uint8_t bit : bits) {
    out.Put(1, bit ? wide : 1);
    out.Put(0, bit ? 1 : wide);
  }
}

}  // namespace

void AddMSIProofchar(TEncodedText& text, btCodeTypes codeType) {
  if (codeType != MSI_Plessey) throw EOverflow(TBarcodeError::MSIWrongType);
  std::string_view digits = TextOf(text);
  // From the right: the last digit and every second one before it are doubled as one
  // number (written out digit by digit, so any length works); the others are summed.
  int sum = 0;
  int carry = 0;
  for (size_t fromRight = 0; fromRight < digits.size(); ++fromRight) {
    int d = DigitValue(digits[digits.size() - 1 - fromRight]);
    if (fromRight % 2 == 0) {
      int doubled = 2 * d + carry;
      sum += doubled % 10;
      carry = doubled / 10;
    } else {
      sum += d;
    }
  }
  sum += carry;
  AppendChar(text, static_cast<char>('0' + (10 - sum % 10) % 10), digits.size());
}

void TLLBarcode::EncodeMSI() {
  int wide = WideModules(Params.Ratio);
  TModuleWriter out(Modules);
  PutBits(out, kStartBits, wide);
  for (char c : TextOf(EncodedText)) PutBits(out, kDigitBits[DigitValue(c)], wide);
  PutBits(out, kStopBits, wide);
  ModuleCount = out.Position();
}

}  // namespace barcode
