// Code 128 in the code set that the symbology starts in; the text changes sets only
// through switch bytes it carries itself. Set C packs two digits per character.
#include "barcode/code128.h"

#include <array>
#include <cstring>
#include <span>
#include <stdexcept>

#include "barcode/eoverflow.h"
#include "barcode/modulewriter.h"
#include "barcode/textbuffer.h"

namespace barcode {

namespace {

constexpr int kSymbolCount = 107;
constexpr int kFirstByte = 32;

// The published Code 128 width table: for each value 0 to 106 the widths in modules
// of bar, space, bar, space, bar, space. The stop (106) is given without its final bar.
constexpr std::array<std::string_view, kSymbolCount> kWidths = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312",  //   0-7
    "132212", "221213", "221312", "231212", "112232", "122132", "122231", "113222",  //   8-15
    "123122", "123221", "223211", "221132", "221231", "213212", "223112", "312131",  //  16-23
    "311222", "321122", "321221", "312212", "322112", "322211", "212123", "212321",  //  24-31
    "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",  //  32-39
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121",  //  40-47
    "313121", "211331", "231131", "213113", "213311", "213131", "311123", "311321",  //  48-55
    "331121", "312113", "312311", "332111", "314111", "221411", "431111", "111224",  //  56-63
    "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",  //  64-71
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  //  72-79
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112",  //  80-87
    "421211", "212141", "214121", "412121", "111143", "111341", "131141", "114113",  //  88-95
    "114311", "411113", "411311", "113141", "114131", "311141", "411131", "211412",  //  96-103
    "211214", "211232", "233111",                                                    // 104-106
};

constexpr int kStopBarModules = 2;
constexpr size_t kPatternModules = 11;

std::string SymbolBytes() {
  std::string bytes;
  for (int v = 0; v < kSymbolCount; ++v) bytes.push_back(static_cast<char>(kFirstByte + v));
  return bytes;
}

// "212222" -> "11001101100": the widths written out, bars as 1 and spaces as 0.
std::array<std::string, kSymbolCount> ModulePatterns() {
  std::array<std::string, kSymbolCount> patterns;
  for (int v = 0; v < kSymbolCount; ++v) {
    for (size_t e = 0; e < kWidths[v].size(); ++e) {
      patterns[v].append(static_cast<size_t>(kWidths[v][e] - '0'), e % 2 == 0 ? '1' : '0');
    }
  }
  return patterns;
}

enum class TCodeSet { None, A, B, C };

char DigitOrZero(unsigned char c) { return IsDigit(static_cast<char>(c)) ? static_cast<char>(c) : '0'; }

// Appends to a fixed buffer; running out of room is a sizing fault of the caller.
class TByteSink {
 public:
  TByteSink(char* out, size_t capacity) : FOut(out), FCapacity(capacity) {}
  void Put(unsigned char c) {
    if (FLength + 1 >= FCapacity) throw std::logic_error("Code 128 expansion buffer too small");
    FOut[FLength++] = static_cast<char>(c);
    FOut[FLength] = '\0';
  }
  size_t Length() const { return FLength; }

 private:
  char* FOut;
  size_t FCapacity;
  size_t FLength = 0;
};

// The state of one expansion: the current set and a digit waiting in set C for its pair.
class TExpander {
 public:
  TExpander(bool display, TByteSink& out) : FDisplay(display), FOut(out) {}

  void Read(unsigned char b) {
    switch (b) {
      case kCode128StartA: Start(TCodeSet::A, b); return;
      case kCode128StartB: Start(TCodeSet::B, b); return;
      case kCode128StartC: Start(TCodeSet::C, b); return;
      case kCode128SwitchC: Switch(TCodeSet::C, FSet == TCodeSet::A || FSet == TCodeSet::B, b); return;
      case kCode128SwitchB: Switch(TCodeSet::B, FSet == TCodeSet::A || FSet == TCodeSet::C, b); return;
      case kCode128SwitchA: Switch(TCodeSet::A, FSet == TCodeSet::B || FSet == TCodeSet::C, b); return;
      default: break;
    }
    if (FSet == TCodeSet::C) {
      ReadInSetC(b);
    } else {
      Data(b);
    }
  }

  void Finish() {
    if (FSet == TCodeSet::C && FPending != '\0') {
      if (!FDisplay) FOut.Put(kCode128SwitchA);
      FOut.Put(static_cast<unsigned char>(FPending));  // as a set A character
    }
    if (!FDisplay) FOut.Put(kCode128Stop);
  }

 private:
  void Start(TCodeSet set, unsigned char b) {
    FSet = set;
    if (!FDisplay) FOut.Put(b);
  }

  // A switch into the set we are in is a data character (FNC4, or the pair 99 in set C).
  void Switch(TCodeSet target, bool changes, unsigned char b) {
    if (changes) FSet = target;
    if (!FDisplay) {
      FOut.Put(b);
    } else if (!changes) {
      FOut.Put(' ');
    }
  }

  void Data(unsigned char b) {
    if (!FDisplay) {
      FOut.Put(b);
      return;
    }
    bool printable = (FSet == TCodeSet::A && b <= 95) || (FSet == TCodeSet::B && b <= 126);
    FOut.Put(printable ? b : ' ');
  }

  void ReadInSetC(unsigned char b) {
    if (FPending == '\0') {
      if (b == kCode128FNC1) {
        FOut.Put(FDisplay ? ' ' : b);
      } else {
        FPending = DigitOrZero(b);
      }
      return;
    }
    char second = DigitOrZero(b);
    if (FDisplay) {
      FOut.Put(static_cast<unsigned char>(FPending));
      FOut.Put(static_cast<unsigned char>(second));
    } else {
      FOut.Put(static_cast<unsigned char>(kFirstByte + 10 * (FPending - '0') + (second - '0')));
    }
    FPending = '\0';
  }

  bool FDisplay;
  TByteSink& FOut;
  TCodeSet FSet = TCodeSet::None;
  char FPending = '\0';
};

int SymbolValue(const TBarCode128& table, char byte) {
  int value = table.IndexOf(byte);
  if (value == TBarCode128::kNotInSet) throw EOverflow(TBarcodeError::Code128);
  return value;
}

}  // namespace

TBarCode128::TBarCode128() : TPatternTable<11>(SymbolBytes(), ModulePatterns()) {}

const TBarCode128& Code128Table() {
  static const TBarCode128 table;
  return table;
}

size_t ExpandCode128Into(std::string_view text, bool display, char* out, size_t capacity) {
  TByteSink sink(out, capacity);
  TExpander expander(display, sink);
  for (char c : text) expander.Read(static_cast<unsigned char>(c));
  expander.Finish();
  return sink.Length();
}

std::string ExpandCode128(std::string_view text, bool display) {
  // Every byte read yields at most one byte, except that a digit left over at the end
  // of set C yields two, and encode mode appends the stop byte.
  std::string result(text.size() + 3, '\0');
  result.resize(ExpandCode128Into(text, display, result.data(), result.size()));
  return result;
}

void AddCode128Proofchar(TEncodedText& text) {
  const TBarCode128& table = Code128Table();
  int length = TextLength(text);
  if (length < 2) throw EOverflow(TBarcodeError::Code128);  // no start and stop to work between
  int sum = SymbolValue(table, text[0]);
  for (int i = 1; i <= length - 2; ++i) sum += i * SymbolValue(table, text[i]);
  text[length - 1] = static_cast<char>(kFirstByte + sum % 103);
  AppendChar(text, static_cast<char>(kCode128Stop), static_cast<size_t>(length));
}

void TLLBarcode::EncodeCode128() {
  const TBarCode128& table = Code128Table();
  std::string_view text = TextOf(EncodedText);
  TModuleWriter out(Modules);
  std::span<uint8_t> block = out.Claim(static_cast<int>(kPatternModules * text.size()));
  for (size_t i = 0; i < text.size(); ++i) {
    std::memcpy(block.data() + kPatternModules * i, table.Pattern(SymbolValue(table, text[i])).data(), kPatternModules);
  }
  out.Put(1, kStopBarModules);
  ModuleCount = out.Position();
}

}  // namespace barcode
