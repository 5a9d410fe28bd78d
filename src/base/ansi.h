// The program's strings are single-byte text in the ANSI code page, Windows-1252:
// one byte is one character. These are the only conversions between it and Unicode.
//
// Two kinds. The lenient pair (AnsiToUtf16, Utf16ToAnsi) is what Windows does when
// drawing or playing text records: nothing is refused. The checked conversions are for
// text that is kept: text typed into a window, and text the tables store as UTF-8.
// They hold to the 251 characters of the code page: its five unassigned bytes (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) are no characters, so they neither come in nor go out.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

std::u16string AnsiToUtf16(std::string_view ansi);

// Characters outside Windows-1252 become '?', as Windows' best-fit-free conversion does.
std::string Utf16ToAnsi(std::u16string_view text);

// False for the five bytes to which Windows-1252 assigns no character.
bool IsAnsiCharacter(unsigned char byte);

// A text that a checked conversion refuses, with where and why.
class EAnsiConversion : public std::runtime_error {
 public:
  enum class TReason {
    NoAnsiCharacter,  // a Unicode character that Windows-1252 lacks (CodePoint)
    UnassignedByte,   // one of the five unassigned bytes (CodePoint holds the byte)
    NotUtf8,          // malformed UTF-8 at Offset
  };
  EAnsiConversion(TReason reason, char32_t codePoint, std::size_t offset);
  TReason Reason() const { return FReason; }
  char32_t CodePoint() const { return FCodePoint; }
  // Where in the input, in its code units (bytes, or UTF-16 units).
  std::size_t Offset() const { return FOffset; }

 private:
  TReason FReason;
  char32_t FCodePoint;
  std::size_t FOffset;
};

// "U+20AC": how a character is named in a message, since the message itself is
// Windows-1252 text that may not hold it.
std::string CodePointName(char32_t codePoint);
// "0x81": how a byte is named in a message.
std::string ByteName(unsigned char byte);

// Text typed into a window, as the program keeps it. Refuses the first character
// that Windows-1252 lacks ("The character U+0100 cannot be stored: ..."); a window
// can name the character itself from CodePoint().
std::string CheckedUtf16ToAnsi(std::u16string_view text);

// The UTF-8 equivalent of Windows-1252 text; refuses an unassigned byte.
std::string AnsiToUtf8(std::string_view ansi);

// Windows-1252 text from UTF-8; refuses malformed UTF-8 (overlong forms, surrogates
// and code points past U+10FFFF included) and characters that Windows-1252 lacks.
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace platform
