#include "base/ansi.h"

#include <array>

namespace platform {
namespace {

// Windows-1252 bytes 0x80..0x9F; the five unassigned bytes map to the C1 controls of
// the same number, as Windows converts them.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char16_t ToUtf16(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return Cp1252High[byte - 0x80];
  return char16_t(byte);
}

char ToAnsi(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return char(unit);
  for (size_t i = 0; i < Cp1252High.size(); ++i)
    if (Cp1252High[i] == unit) return char(0x80 + i);
  return '?';
}

}  // namespace

std::u16string AnsiToUtf16(std::string_view ansi) {
  std::u16string text(ansi.size(), u'\0');
  for (size_t i = 0; i < ansi.size(); ++i) text[i] = ToUtf16(static_cast<unsigned char>(ansi[i]));
  return text;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  std::string ansi;
  ansi.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    bool highSurrogate = unit >= 0xD800 && unit <= 0xDBFF;
    if (highSurrogate && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
    ansi.push_back(ToAnsi(unit));
  }
  return ansi;
}

}  // namespace platform
