#include "barcode/textprep.h"

#include <array>
#include <cstring>
#include <string_view>

#include "barcode/codabar.h"
#include "barcode/code128.h"
#include "barcode/code39.h"
#include "barcode/ean_upc.h"
#include "barcode/eoverflow.h"
#include "barcode/msi.h"
#include "barcode/textbuffer.h"

namespace barcode {

namespace {

template <size_t N>
constexpr std::array<char, N> Repeated(std::string_view unit) {
  std::array<char, N> text{};
  for (size_t i = 0; i < N; ++i) text[i] = unit[i % unit.size()];
  return text;
}

// Weights of the check digits, applied from the leftmost character on; long enough
// for the longest text of each type.
constexpr std::string_view kEAN8Weights = "3131313";
constexpr std::string_view kEAN13Weights = "131313131313";
constexpr std::string_view kUPCWeights = "31313131313";
constexpr auto kCode25Weights = Repeated<kMaxCodeTextLength>("31");
constexpr auto kFrachtpostWeights = Repeated<kMaxCodeTextLength>("49");
constexpr std::string_view kPostnetWeights = "11111111111";

std::string_view WeightsFor(btCodeTypes codeType) {
  switch (codeType) {
    case EAN_8: return kEAN8Weights;
    case EAN_13: return kEAN13Weights;
    case UPC_A:
    case UPC_E: return kUPCWeights;
    case CODE25i: return {kCode25Weights.data(), kCode25Weights.size()};
    case CODE25iP: return {kFrachtpostWeights.data(), kFrachtpostWeights.size()};
    case Postnet: return kPostnetWeights;
    default: throw EOverflow(TBarcodeError::NoCheckChar);
  }
}

constexpr std::string_view kFIMSet = "ABCabc";

unsigned char StartByteOf(btCodeTypes codeType) {
  switch (codeType) {
    case CODE128_A: return kCode128StartA;
    case CODE128_C: return kCode128StartC;
    default: return kCode128StartB;
  }
}

void ExpandCode128Text(const TCaption& source, TEncodedText& destination, btCodeTypes codeType) {
  std::string_view caption = CodeTextOf(source);
  char text[1 + kMaxCodeTextLength];
  text[0] = static_cast<char>(StartByteOf(codeType));
  std::memcpy(text + 1, caption.data(), caption.size());
  ExpandCode128Into({text, 1 + caption.size()}, false, destination, sizeof destination);
}

// Same length as the source; characters outside the set become "0".
template <class Accepts>
void CopyValid(std::string_view source, TEncodedText& destination, Accepts accepts) {
  destination[0] = '\0';
  for (char c : source) AppendChar(destination, accepts(c) ? c : '0');
}

void FixLength(TEncodedText& text, int length) {
  CutText(text, length);
  while (TextLength(text) < length) AppendChar(text, '0');
}

int PostnetLength(int digits) {
  if (digits >= 11) return 11;
  if (digits >= 9) return 9;
  return 5;
}

}  // namespace

void TransfervalidChars(TCaption& source, TEncodedText& destination, btCodeTypes codeType) {
  std::string_view text = CodeTextOf(source);
  switch (codeType) {
    case CODE128_A:
    case CODE128_B:
    case CODE128_C:
      ExpandCode128Text(source, destination, codeType);
      return;
    case Codabar:
      PrepareCodabar(source, destination);
      return;
    case CODE39: {
      const TBarCode39& table = Code39Table();
      AssignText(destination, "*");
      for (char c : text) {
        char upper = UpperAscii(c);
        AppendChar(destination, table.Contains(upper) ? upper : '0');
      }
      AppendChar(destination, '*');
      return;
    }
    case Postnet_FIM:
      CopyValid(text, destination, [](char c) { return kFIMSet.find(c) != std::string_view::npos; });
      return;
    default:
      CopyValid(text, destination, IsDigit);
      return;
  }
}

void AddProofchar(TEncodedText& text, btCodeTypes codeType) {
  std::string_view weights = WeightsFor(codeType);
  std::string_view digits = TextOf(text);
  int sum = 0;
  if (codeType == UPC_E) {
    sum = DecodeUPCE(digits);
  } else {
    for (size_t i = 0; i < digits.size() && i < weights.size(); ++i) {
      sum += DigitValue(digits[i]) * (weights[i] - '0');
    }
  }
  AppendChar(text, static_cast<char>('0' + (10 - sum % 10) % 10));
}

void PrepareText(TCaption& source, TEncodedText& destination, btCodeTypes codeType) {
  TransfervalidChars(source, destination, codeType);
  switch (codeType) {
    case EAN_8: FixLength(destination, 7); break;
    case EAN_13: FixLength(destination, 12); break;
    case UPC_A: FixLength(destination, 11); break;
    case UPC_E: FixLength(destination, 6); break;
    case Postnet: FixLength(destination, PostnetLength(TextLength(destination))); break;
    case CODE39:
    case Codabar:
    case Postnet_FIM:
      return;
    case CODE25i:
    case CODE25iP:
      if (TextLength(destination) % 2 == 0) return;
      break;
    case CODE128_A:
    case CODE128_B:
    case CODE128_C:
      AddCode128Proofchar(destination);
      return;
    case MSI_Plessey:
      AddMSIProofchar(destination, codeType);
      return;
    default:
      throw EOverflow(TBarcodeError::UnknownType);
  }
  AddProofchar(destination, codeType);
}

}  // namespace barcode
