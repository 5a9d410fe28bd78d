// EAN-8, EAN-13, UPC-A and UPC-E with their 2- and 5-digit add-ons. Each digit is 7
// modules from number set A, B or C; the parity tables choose between A and B.
#include "barcode/ean_upc.h"

#include <array>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "barcode/eoverflow.h"
#include "barcode/llbarcode.h"
#include "barcode/modulewriter.h"
#include "barcode/textbuffer.h"

namespace barcode {

namespace {

// The published EAN/UPC number sets, indexed by the digit.
constexpr auto kSetA = FlagTable<7, 10>({  // left-hand, odd parity
    "0001101", "0011001", "0010011", "0111101", "0100011",
    "0110001", "0101111", "0111011", "0110111", "0001011"});
constexpr auto kSetB = FlagTable<7, 10>({  // left-hand, even parity
    "0100111", "0110011", "0011011", "0100001", "0011101",
    "0111001", "0000101", "0010001", "0001001", "0010111"});
constexpr auto kSetC = FlagTable<7, 10>({  // right-hand
    "1110010", "1100110", "1101100", "1000010", "1011100",
    "1001110", "1010000", "1000100", "1001000", "1110100"});

// The published parity tables, indexed by a digit: the set of each left-hand digit.
constexpr std::array<std::string_view, 10> kEAN13Parity = {  // by the first digit
    "AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
    "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
constexpr std::array<std::string_view, 10> kUPCEParity = {  // by the check digit, number system 0
    "BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
    "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};
constexpr std::array<std::string_view, 4> kAddon2Parity = {  // by the add-on value mod 4
    "AA", "AB", "BA", "BB"};
constexpr std::array<std::string_view, 10> kAddon5Parity = {  // by the add-on checksum
    "BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
    "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};

// UPC-E to UPC-A expansion by the sixth UPC-E digit: "X" takes the next UPC-E digit.
constexpr std::array<std::string_view, 10> kUPCEExpansion = {
    "XX00000XXX", "XX10000XXX", "XX20000XXX", "XXX00000XX", "XXXX00000X",
    "XXXXX00005", "XXXXX00006", "XXXXX00007", "XXXXX00008", "XXXXX00009"};
constexpr std::string_view kUPCAWeights = "31313131313";

constexpr auto kNormalGuard = FlagsOf<3>("101");
constexpr auto kCentreGuard = FlagsOf<5>("01010");
constexpr auto kUPCEEndGuard = FlagsOf<6>("010101");
constexpr auto kAddonGuard = FlagsOf<4>("1011");
constexpr auto kAddonSeparator = FlagsOf<2>("01");

constexpr int kAddonStart = 104;  // after the symbol's 95 modules and a light gap of 9
constexpr std::string_view kRightHand = "CCCCCC";
constexpr std::string_view kLeftOddParity = "AAAAAA";

const TFlags<7>& DigitPattern(char digit, char set) {
  int d = DigitValue(digit);
  switch (set) {
    case 'A': return kSetA[d];
    case 'B': return kSetB[d];
    default: return kSetC[d];
  }
}

constexpr size_t kDigitModules = 7;

// One digit per set letter, each in the set that its letter names.
void PutDigits(TModuleWriter& out, const char* digits, std::string_view sets) {
  std::span<uint8_t> block = out.Claim(static_cast<int>(kDigitModules * sets.size()));
  for (size_t k = 0; k < sets.size(); ++k) {
    std::memcpy(block.data() + kDigitModules * k, DigitPattern(digits[k], sets[k]).data(), kDigitModules);
  }
}

// Add-on digits separated by "01"; the module array is light after the last one.
void PutAddon(TModuleWriter& out, std::string_view digits, std::string_view sets) {
  out.Put(kAddonGuard);
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0) out.Put(kAddonSeparator);
    out.Put(DigitPattern(digits[i], sets[i]));
  }
  out.Put(0, 1);
}

}  // namespace

int DecodeUPCE(std::string_view text) {
  std::string expanded = "0";  // number system 0
  if (text.size() >= 6) {
    size_t next = 0;
    for (char t : kUPCEExpansion[DigitValue(text[5])]) expanded.push_back(t == 'X' ? text[next++] : t);
  }
  if (expanded.size() != kUPCAWeights.size()) throw EOverflow(TBarcodeError::UPCELength);
  int sum = 0;
  for (size_t i = 0; i < expanded.size(); ++i) sum += DigitValue(expanded[i]) * (kUPCAWeights[i] - '0');
  return sum;
}

void TLLBarcode::EncodeEAN13() {
  TModuleWriter out(Modules);
  out.Put(kNormalGuard);
  PutDigits(out, EncodedText + 1, kEAN13Parity[DigitValue(EncodedText[0])]);
  out.Put(kCentreGuard);
  PutDigits(out, EncodedText + 7, kRightHand);
  out.Put(kNormalGuard);
  ModuleCount = out.Position();
}

void TLLBarcode::EncodeUPCA() {
  TModuleWriter out(Modules);
  out.Put(kNormalGuard);
  PutDigits(out, EncodedText, kLeftOddParity);
  out.Put(kCentreGuard);
  PutDigits(out, EncodedText + 6, kRightHand);
  out.Put(kNormalGuard);
  ModuleCount = out.Position();
}

void TLLBarcode::EncodeEAN8() {
  TModuleWriter out(Modules);
  out.Put(kNormalGuard);
  PutDigits(out, EncodedText, kLeftOddParity.substr(0, 4));
  out.Put(kCentreGuard);
  PutDigits(out, EncodedText + 4, kRightHand.substr(0, 4));
  out.Put(kNormalGuard);
  ModuleCount = out.Position();
}

void TLLBarcode::EncodeUPCE() {
  TModuleWriter out(Modules);
  out.Put(kNormalGuard);
  PutDigits(out, EncodedText, kUPCEParity[DigitValue(EncodedText[6])]);
  out.Put(kUPCEEndGuard);
  ModuleCount = out.Position();
}

void TLLBarcode::EncodeAddon2() {
  std::string_view digits(Params.CodeAddon, 2);
  int value = 10 * DigitValue(digits[0]) + DigitValue(digits[1]);
  TModuleWriter out(Modules, kAddonStart);
  PutAddon(out, digits, kAddon2Parity[value % 4]);
  ModuleCount = out.Position();
}

void TLLBarcode::EncodeAddon5() {
  std::string_view digits(Params.CodeAddon, 5);
  int odd = DigitValue(digits[0]) + DigitValue(digits[2]) + DigitValue(digits[4]);
  int even = DigitValue(digits[1]) + DigitValue(digits[3]);
  TModuleWriter out(Modules, kAddonStart);
  PutAddon(out, digits, kAddon5Parity[(3 * odd + 9 * even) % 10]);
  ModuleCount = out.Position();
}

}  // namespace barcode
