// Bounded access to the engine's zero-terminated text buffers: lengths never look
// past the last byte, and writes that would not fit are programming errors.
#pragma once

#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "barcode/barcodetypes.h"

namespace barcode {

template <size_t N>
int TextLength(const char (&text)[N]) {
  return static_cast<int>(strnlen(text, N - 1));
}

template <size_t N>
std::string_view TextOf(const char (&text)[N]) {
  return {text, static_cast<size_t>(TextLength(text))};
}

// The code text as the engine reads it: up to its terminator, at most 50 characters.
inline std::string_view CodeTextOf(const TCaption& caption) {
  return {caption, strnlen(caption, kMaxCodeTextLength)};
}

template <size_t N>
void AssignText(char (&text)[N], std::string_view value) {
  if (value.size() >= N) throw std::logic_error("text buffer overflow");
  std::memcpy(text, value.data(), value.size());
  text[value.size()] = '\0';
}

template <size_t N>
void AppendChar(char (&text)[N], char c) {
  size_t length = static_cast<size_t>(TextLength(text));
  if (length + 1 >= N) throw std::logic_error("text buffer overflow");
  text[length] = c;
  text[length + 1] = '\0';
}

template <size_t N>
void CutText(char (&text)[N], int length) {
  if (length < TextLength(text)) text[length] = '\0';
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline int DigitValue(char c) { return IsDigit(c) ? c - '0' : 0; }
// Upper-cases the ASCII letters only: the code page's other letters are no symbol characters.
inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace barcode
