#include "barcode/textprep.h"

#include <array>
#include <cstring>
#include <stdexcept>
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

int ExpandCode128Text(const TCaption& source, TEncodedText& destination, btCodeTypes codeType) {
  std::string_view caption = CodeTextOf(source);
  char text[1 + kMaxCodeTextLength];
  text[0] = static_cast<char>(StartByteOf(codeType));
  std::memcpy(text + 1, caption.data(), caption.size());
  return static_cast<int>(ExpandCode128Into({text, 1 + caption.size()}, false, destination, sizeof destination));
}

// Same length as the source; characters outside the set become "0".
template <class Accepts>
int CopyValid(std::string_view source, TEncodedText& destination, Accepts accepts) {
  if (source.size() >= sizeof destination) throw std::logic_error("text buffer overflow");
  for (size_t i = 0; i < source.size(); ++i) destination[i] = accepts(source[i]) ? source[i] : '0';
  destination[source.size()] = '\0';
  return static_cast<int>(source.size());
}

int CopyCode39(std::string_view source, TEncodedText& destination) {
  const TBarCode39& table = Code39Table();
  TTextWriter out(destination);
  out.Append('*');
  for (char c : source) {
    char upper = UpperAscii(c);
    out.Append(table.Contains(upper) ? upper : '0');
  }
  out.Append('*');
  return out.Length();
}

int PostnetLength(int digits) {
  if (digits >= 11) return 11;
  if (digits >= 9) return 9;
  return 5;
}

// The filtering of TransfervalidChars; returns the length of the result, so that
// preparation need not measure it again.
int FilterValidChars(TCaption& source, TEncodedText& destination, btCodeTypes codeType) {
  switch (codeType) {
    case CODE128_A:
    case CODE128_B:
    case CODE128_C:
      return ExpandCode128Text(source, destination, codeType);
    case Codabar:
      PrepareCodabar(source, destination);
      return TextLength(destination);
    case CODE39:
      return CopyCode39(CodeTextOf(source), destination);
    case Postnet_FIM:
      return CopyValid(CodeTextOf(source), destination,
                       [](char c) { return kFIMSet.find(c) != std::string_view::npos; });
    default:
      return CopyValid(CodeTextOf(source), destination, IsDigit);
  }
}

// AddProofchar for a text of known length.
void AppendCheckDigit(TEncodedText& text, int length, btCodeTypes codeType) {
  std::string_view weights = WeightsFor(codeType);
  std::string_view digits(text, static_cast<size_t>(length));
  int sum = 0;
  if (codeType == UPC_E) {
    sum = DecodeUPCE(digits);
  } else {
    for (size_t i = 0; i < digits.size() && i < weights.size(); ++i) {
      sum += DigitValue(digits[i]) * (weights[i] - '0');
    }
  }
  AppendChar(text, static_cast<char>('0' + (10 - sum % 10) % 10), digits.size());
}

// Cuts or pads to the symbology's fixed length, then adds the check digit.
void FixLengthWithCheckDigit(TEncodedText& text, int length, int fixedLength, btCodeTypes codeType) {
  FixLength(text, length, fixedLength);
  AppendCheckDigit(text, fixedLength, codeType);
}

}  // namespace

void TransfervalidChars(TCaption& source, TEncodedText& destination, btCodeTypes codeType) {
  FilterValidChars(source, destination, codeType);
}

void AddProofchar(TEncodedText& text, btCodeTypes codeType) { AppendCheckDigit(text, TextLength(text), codeType); }

void PrepareText(TCaption& source, TEncodedText& destination, btCodeTypes codeType) {
  int length = FilterValidChars(source, destination, codeType);
  switch (codeType) {
    case EAN_8: return FixLengthWithCheckDigit(destination, length, 7, codeType);
    case EAN_13: return FixLengthWithCheckDigit(destination, length, 12, codeType);
    case UPC_A: return FixLengthWithCheckDigit(destination, length, 11, codeType);
    case UPC_E: return FixLengthWithCheckDigit(destination, length, 6, codeType);
    case Postnet: return FixLengthWithCheckDigit(destination, length, PostnetLength(length), codeType);
    case CODE39:
    case Codabar:
    case Postnet_FIM:
      return;
    case CODE25i:
    case CODE25iP:
      // An odd digit count gets the check digit, so that the digits pair up.
      if (length % 2 != 0) AppendCheckDigit(destination, length, codeType);
      return;
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
}

}  // namespace barcode
