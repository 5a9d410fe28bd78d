#include "base/ansi.h"

#include <array>
#include <cstdio>
#include <optional>

namespace platform {
namespace {

// Windows-1252 bytes 0x80..0x9F (the code page's table, CP1252.TXT). The five
// unassigned bytes map to the C1 controls of the same number, as Windows converts them.
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

// The byte of a character, the unassigned bytes' C1 controls included.
std::optional<unsigned char> LenientByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (std::size_t i = 0; i < Cp1252High.size(); ++i)
    if (Cp1252High[i] == c) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

// The byte of a character of the code page; none for the C1 controls.
std::optional<unsigned char> AnsiByte(char32_t c) {
  auto byte = LenientByte(c);
  if (byte && !IsAnsiCharacter(*byte)) return std::nullopt;
  return byte;
}

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The code point at text[at], advancing at past it; an unpaired surrogate stands for itself.
char32_t NextUtf16(std::u16string_view text, std::size_t& at) {
  char32_t unit = text[at++];
  if (IsHighSurrogate(unit) && at < text.size() && IsLowSurrogate(text[at]))
    return 0x10000 + ((unit - 0xD800) << 10) + (text[at++] - 0xDC00);
  return unit;
}

// The code point of the UTF-8 sequence at utf8[at], advancing at past it; none when
// the sequence is malformed, overlong, a surrogate or past U+10FFFF.
std::optional<char32_t> NextUtf8(std::string_view utf8, std::size_t& at) {
  struct TLead {
    unsigned char Mask, Value;
    int Continuations;
    char32_t Smallest;  // smaller code points in this length are overlong
  };
  static constexpr TLead kLeads[] = {{0x80, 0x00, 0, 0}, {0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800},
                                     {0xF8, 0xF0, 3, 0x10000}};
  const auto first = static_cast<unsigned char>(utf8[at]);
  for (const TLead& lead : kLeads) {
    if ((first & lead.Mask) != lead.Value) continue;
    if (utf8.size() - at <= static_cast<std::size_t>(lead.Continuations)) return std::nullopt;
    char32_t c = first & static_cast<unsigned char>(~lead.Mask);
    for (int i = 1; i <= lead.Continuations; ++i) {
      const auto next = static_cast<unsigned char>(utf8[at + i]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < lead.Smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    at += 1 + lead.Continuations;
    return c;
  }
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string ConversionMessage(EAnsiConversion::TReason reason, char32_t codePoint, std::size_t offset) {
  switch (reason) {
    case EAnsiConversion::TReason::NoAnsiCharacter:
      return "The character " + CodePointName(codePoint) +
             " cannot be stored: the program keeps text in Windows-1252, which has no such character";
    case EAnsiConversion::TReason::UnassignedByte:
      return "The byte " + ByteName(static_cast<unsigned char>(codePoint)) + " is no character of Windows-1252";
    case EAnsiConversion::TReason::NotUtf8:
      break;
  }
  return "The text is not valid UTF-8 (at byte " + std::to_string(offset) + ")";
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
  for (std::size_t at = 0; at < text.size();) ansi.push_back(static_cast<char>(LenientByte(NextUtf16(text, at)).value_or('?')));
  return ansi;
}

bool IsAnsiCharacter(unsigned char byte) {
  return byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D;
}

EAnsiConversion::EAnsiConversion(TReason reason, char32_t codePoint, std::size_t offset)
    : std::runtime_error(ConversionMessage(reason, codePoint, offset)),
      FReason(reason),
      FCodePoint(codePoint),
      FOffset(offset) {}

std::string CodePointName(char32_t codePoint) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
  return name;
}

std::string ByteName(unsigned char byte) {
  char name[8];
  std::snprintf(name, sizeof name, "0x%02X", static_cast<unsigned>(byte));
  return name;
}

std::string CheckedUtf16ToAnsi(std::u16string_view text) {
  std::string ansi;
  ansi.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    const char32_t c = NextUtf16(text, at);
    const auto byte = AnsiByte(c);
    if (!byte) throw EAnsiConversion(EAnsiConversion::TReason::NoAnsiCharacter, c, start);
    ansi.push_back(static_cast<char>(*byte));
  }
  return ansi;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string utf8;
  utf8.reserve(ansi.size());
  for (std::size_t i = 0; i < ansi.size(); ++i) {
    const auto byte = static_cast<unsigned char>(ansi[i]);
    if (!IsAnsiCharacter(byte)) throw EAnsiConversion(EAnsiConversion::TReason::UnassignedByte, byte, i);
    AppendUtf8(utf8, ToUtf16(byte));
  }
  return utf8;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string ansi;
  ansi.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t start = at;
    const auto c = NextUtf8(utf8, at);
    if (!c) throw EAnsiConversion(EAnsiConversion::TReason::NotUtf8, 0, start);
    const auto byte = AnsiByte(*c);
    if (!byte) throw EAnsiConversion(EAnsiConversion::TReason::NoAnsiCharacter, *c, start);
    ansi.push_back(static_cast<char>(*byte));
  }
  return ansi;
}

}  // namespace platform
