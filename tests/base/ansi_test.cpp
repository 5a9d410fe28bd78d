// The code page: Windows-1252 to and from UTF-16 and UTF-8, lenient for drawing,
// checked for text that is kept. Expected values are from the code page's table
// (CP1252.TXT) and the UTF-8 definition (RFC 3629), written out by hand.
#include "base/ansi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

using TReason = EAnsiConversion::TReason;

constexpr unsigned char kUnassigned[] = {0x81, 0x8D, 0x8F, 0x90, 0x9D};

bool Unassigned(int byte) {
  for (unsigned char u : kUnassigned)
    if (u == byte) return true;
  return false;
}

// Runs a conversion that must refuse, and returns what it refused.
template <typename Conversion>
EAnsiConversion Refusal(Conversion convert) {
  try {
    convert();
  } catch (const EAnsiConversion& refused) {
    return refused;
  }
  ADD_FAILURE() << "accepted";
  return EAnsiConversion(TReason::NotUtf8, 0, 0);
}

TEST(Ansi, Windows1252MapsToUnicodeAndBack) {
  EXPECT_EQ(AnsiToUtf16("\x80 \x9f \xe4"), u"\u20ac \u0178 \u00e4");
  std::string all;
  for (int c = 1; c < 256; ++c) all.push_back(char(c));
  EXPECT_EQ(Utf16ToAnsi(AnsiToUtf16(all)), all);
  EXPECT_EQ(Utf16ToAnsi(u"a\u0100b\U0001F600c"), "a?b?c");
}

struct TUtf8Case {
  std::string Ansi;
  std::string Utf8;
};

TEST(AnsiUtf8, CharactersOfTheCodePageHaveTheirUtf8Form) {
  for (const TUtf8Case& c : std::vector<TUtf8Case>{
           {"A", "A"},
           {std::string(1, '\0'), std::string(1, '\0')},
           {"\x7F", "\x7F"},
           {"\x80", "\xE2\x82\xAC"},  // euro sign U+20AC
           {"\x82", "\xE2\x80\x9A"},  // U+201A
           {"\x8E", "\xC5\xBD"},      // Z with caron U+017D
           {"\x9F", "\xC5\xB8"},      // Y with diaeresis U+0178
           {"\xA0", "\xC2\xA0"},      // no-break space
           {"\xA3", "\xC2\xA3"},      // pound sign
           {"\xE9", "\xC3\xA9"},      // e with acute
           {"\xFF", "\xC3\xBF"},
           {"Cr\xE8me br\xFBl\xE9\x65 5\x80", "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9\x65 5\xE2\x82\xAC"},
       }) {
    EXPECT_EQ(AnsiToUtf8(c.Ansi), c.Utf8) << c.Ansi;
    EXPECT_EQ(Utf8ToAnsi(c.Utf8), c.Ansi) << c.Ansi;
  }
}

TEST(AnsiUtf8, EveryAssignedByteRoundTripsAndTheFiveUnassignedAreRefused) {
  int assigned = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const std::string ansi = "ab" + std::string(1, char(byte));
    EXPECT_EQ(IsAnsiCharacter(static_cast<unsigned char>(byte)), !Unassigned(byte)) << byte;
    if (Unassigned(byte)) {
      const auto refused = Refusal([&] { AnsiToUtf8(ansi); });
      EXPECT_EQ(refused.Reason(), TReason::UnassignedByte);
      EXPECT_EQ(refused.CodePoint(), char32_t(byte));
      EXPECT_EQ(refused.Offset(), 2u);
      continue;
    }
    ++assigned;
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(ansi)), ansi) << byte;
  }
  EXPECT_EQ(assigned, 251);
  EXPECT_STREQ(Refusal([] { AnsiToUtf8("\x8D"); }).what(), "The byte 0x8D is no character of Windows-1252");
}

struct TBadUtf8Case {
  std::string Utf8;
  std::size_t Offset;
  const char* Why;
};

TEST(AnsiUtf8, MalformedUtf8IsRefusedWhereItStarts) {
  for (const TBadUtf8Case& c : std::vector<TBadUtf8Case>{
           {"\x80", 0, "continuation byte without a lead"},
           {"ab\xC3", 2, "sequence cut short at the end"},
           {"a\xC3(", 1, "lead byte followed by no continuation"},
           {"\xC0\xAF", 0, "overlong two-byte slash"},
           {"\xC1\xBF", 0, "overlong two-byte form"},
           {"x\xE0\x80\xAF", 1, "overlong three-byte slash"},
           {"\xF0\x82\x82\xAC", 0, "overlong four-byte euro sign"},
           {"\xED\xA0\x80", 0, "UTF-16 surrogate D800"},
           {"\xF4\x90\x80\x80", 0, "past U+10FFFF"},
           {"\xF8\x88\x80\x80\x80", 0, "five-byte form"},
           {"\xFF", 0, "byte FF"},
           {"\xE9t\xE9", 0, "Windows-1252 text, not UTF-8"},
       }) {
    const auto refused = Refusal([&] { Utf8ToAnsi(c.Utf8); });
    EXPECT_EQ(refused.Reason(), TReason::NotUtf8) << c.Why;
    EXPECT_EQ(refused.Offset(), c.Offset) << c.Why;
  }
  EXPECT_STREQ(Refusal([] { Utf8ToAnsi("ab\xC3"); }).what(), "The text is not valid UTF-8 (at byte 2)");
}

struct TOutsideCase {
  std::string Utf8;
  char32_t CodePoint;
  std::size_t Offset;
};

TEST(AnsiUtf8, CharactersWindows1252LacksAreRefusedByName) {
  for (const TOutsideCase& c : std::vector<TOutsideCase>{
           {"\xC4\x80", 0x100, 0},           // A with macron
           {"ok \xE2\x82\xB9", 0x20B9, 3},   // rupee sign
           {"\xF0\x9F\x98\x80", 0x1F600, 0},  // emoji, outside the BMP
           {"\xC2\x80", 0x80, 0},            // C1 control: 0x80 is the euro sign, not U+0080
           {"\xC2\x81", 0x81, 0},            // C1 controls of the unassigned bytes
           {"\xC2\x9D", 0x9D, 0},
       }) {
    const auto refused = Refusal([&] { Utf8ToAnsi(c.Utf8); });
    EXPECT_EQ(refused.Reason(), TReason::NoAnsiCharacter) << c.Utf8;
    EXPECT_EQ(refused.CodePoint(), c.CodePoint) << c.Utf8;
    EXPECT_EQ(refused.Offset(), c.Offset) << c.Utf8;
  }
}

TEST(CheckedUtf16ToAnsi, KeepsEveryCharacterOfTheCodePage) {
  EXPECT_EQ(CheckedUtf16ToAnsi(u"Cr\u00E8me br\u00FBl\u00E9e 5\u20AC"), "Cr\xE8me br\xFBl\xE9\x65 5\x80");
  EXPECT_EQ(CheckedUtf16ToAnsi(u""), "");
  std::string all;
  for (int byte = 0; byte < 256; ++byte)
    if (!Unassigned(byte)) all.push_back(char(byte));
  EXPECT_EQ(CheckedUtf16ToAnsi(AnsiToUtf16(all)), all);
}

struct TRefusedUtf16Case {
  std::u16string Text;
  char32_t CodePoint;
  std::size_t Offset;
};

TEST(CheckedUtf16ToAnsi, RefusesTheFirstCharacterOutsideTheCodePage) {
  for (const TRefusedUtf16Case& c : std::vector<TRefusedUtf16Case>{
           {u"a\u0100b\u0101", 0x100, 1},
           {u"ab\U0001F600", 0x1F600, 2},  // a surrogate pair is one character
           {u"x\xD800y", 0xD800, 1},       // an unpaired surrogate
           {u"\xDC00", 0xDC00, 0},
           {u"n\u0081", 0x81, 1},  // Windows shows the unassigned bytes as C1 controls; they are not kept
       }) {
    const auto refused = Refusal([&] { CheckedUtf16ToAnsi(c.Text); });
    EXPECT_EQ(refused.Reason(), TReason::NoAnsiCharacter);
    EXPECT_EQ(refused.CodePoint(), c.CodePoint);
    EXPECT_EQ(refused.Offset(), c.Offset);
  }
  EXPECT_STREQ(Refusal([] { CheckedUtf16ToAnsi(u"\u0100"); }).what(),
               "The character U+0100 cannot be stored: the program keeps text in Windows-1252, which has no "
               "such character");
  EXPECT_EQ(CodePointName(0x1F600), "U+1F600");
  EXPECT_EQ(CodePointName(0xE9), "U+00E9");
  EXPECT_EQ(ByteName(0x0A), "0x0A");
  EXPECT_EQ(ByteName(0xFF), "0xFF");
}

}  // namespace
}  // namespace platform
