// Code 128: its symbol-character table, the expansion of a code text into symbol
// characters (or into its human-readable form) and the modulo-103 check character.
// A symbol character of value v (0 to 106) is held as the byte v + 32.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "barcode/llbarcode.h"
#include "barcode/patterntable.h"

namespace barcode {

inline constexpr unsigned char kCode128SwitchC = 131;
inline constexpr unsigned char kCode128SwitchB = 132;
inline constexpr unsigned char kCode128SwitchA = 133;
inline constexpr unsigned char kCode128FNC1 = 134;
inline constexpr unsigned char kCode128StartA = 135;
inline constexpr unsigned char kCode128StartB = 136;
inline constexpr unsigned char kCode128StartC = 137;
inline constexpr unsigned char kCode128Stop = 138;

// The bytes 32 to 138 with the 11 modules of each value, 1 = bar. The stop pattern
// lacks its final 2-module bar, which the encoder adds after every symbol.
class TBarCode128 : public TPatternTable<11> {
 public:
  TBarCode128();
};

// Built on first use, then only read.
const TBarCode128& Code128Table();

// The text normally begins with a start byte. Encode mode (display false) yields the
// symbol-character bytes ending with the stop byte; display mode the human-readable text.
std::string ExpandCode128(std::string_view text, bool display);

// ExpandCode128 into a caller's buffer without allocating; returns the length
// written (a terminator follows). The buffer needs text.size() + 3 bytes.
size_t ExpandCode128Into(std::string_view text, bool display, char* out, size_t capacity);

// Inserts the modulo-103 check character before the stop byte, in place. Raises
// EOverflow "BarcoLL: Code128 error" for a byte that is no symbol character.
void AddCode128Proofchar(TEncodedText& text);

}  // namespace barcode
