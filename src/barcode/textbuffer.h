// Bounded access to the engine's zero-terminated text buffers: lengths never look
// past the last byte, and writes that would not fit are programming errors.
#pragma once

#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "barcode/barcodetypes.h"

namespace barcode {

// The buffers are short: a plain scan beats a library call.
inline size_t BoundedLength(const char* text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != '\0') ++length;
  return length;
}

template <size_t N>
int TextLength(const char (&text)[N]) {
  return static_cast<int>(BoundedLength(text, N - 1));
}

template <size_t N>
std::string_view TextOf(const char (&text)[N]) {
  return {text, static_cast<size_t>(TextLength(text))};
}

// The code text as the engine reads it: up to its terminator, at most 50 characters.
inline std::string_view CodeTextOf(const TCaption& caption) {
  return {caption, BoundedLength(caption, kMaxCodeTextLength)};
}

template <size_t N>
void AssignText(char (&text)[N], std::string_view value) {
  if (value.size() >= N) throw std::logic_error("text buffer overflow");
  std::memcpy(text, value.data(), value.size());
  text[value.size()] = '\0';
}

template <size_t N>
void AppendChar(char (&text)[N], char c, size_t length) {
  if (length + 1 >= N) throw std::logic_error("text buffer overflow");
  text[length] = c;
  text[length + 1] = '\0';
}

template <size_t N>
void AppendChar(char (&text)[N], char c) {
  AppendChar(text, c, static_cast<size_t>(TextLength(text)));
}

// Builds a text from empty, keeping its length so appending costs no rescan.
template <size_t N>
class TTextWriter {
 public:
  explicit TTextWriter(char (&text)[N]) : FText(text) { FText[0] = '\0'; }

  void Append(char c) {
    if (FLength + 1 >= N) throw std::logic_error("text buffer overflow");
    FText[FLength++] = c;
    FText[FLength] = '\0';
  }
  int Length() const { return static_cast<int>(FLength); }

 private:
  char (&FText)[N];
  size_t FLength = 0;
};

// Cuts the text (currently `current` characters long) to the length, or pads it at
// the end with "0" up to it.
template <size_t N>
void FixLength(char (&text)[N], int current, int length) {
  if (length < 0 || length >= static_cast<int>(N)) throw std::logic_error("text buffer overflow");
  for (int i = current; i < length; ++i) text[i] = '0';
  text[length] = '\0';
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline int DigitValue(char c) { return IsDigit(c) ? c - '0' : 0; }
// Upper-cases the ASCII letters only: the code page's other letters are no symbol characters.
inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace barcode
