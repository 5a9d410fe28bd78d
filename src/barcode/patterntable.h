// Pattern tables in the form the published symbology tables give them: one string of
// '0' and '1' per character of a character set. They are turned into 0/1 byte arrays
// once, so encoders copy flags without parsing, and looked up through a byte index.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace barcode {

template <size_t Width>
using TFlags = std::array<uint8_t, Width>;

// "0110" -> {0, 1, 1, 0}. Usable at compile time, so a malformed constant table
// fails the build instead of an encoding.
template <size_t Width>
constexpr TFlags<Width> FlagsOf(std::string_view text) {
  if (text.size() != Width) throw std::logic_error("pattern of wrong width");
  TFlags<Width> flags{};
  for (size_t i = 0; i < Width; ++i) {
    if (text[i] != '0' && text[i] != '1') throw std::logic_error("pattern holds other than 0 and 1");
    flags[i] = static_cast<uint8_t>(text[i] - '0');
  }
  return flags;
}

template <size_t Width, size_t Count>
constexpr std::array<TFlags<Width>, Count> FlagTable(const std::array<std::string_view, Count>& rows) {
  std::array<TFlags<Width>, Count> table{};
  for (size_t i = 0; i < Count; ++i) table[i] = FlagsOf<Width>(rows[i]);
  return table;
}

// A character set and the pattern of each of its characters, in the order of the set.
template <size_t Width>
class TPatternTable {
 public:
  static constexpr int kNotInSet = -1;

  template <class Patterns>
  TPatternTable(std::string_view charSet, const Patterns& patterns) : FCharSet(charSet) {
    if (std::size(patterns) != charSet.size()) throw std::logic_error("pattern count differs from the set");
    for (const auto& pattern : patterns) FPatterns.push_back(FlagsOf<Width>(pattern));
    FIndex.fill(kNotInSet);
    for (size_t i = 0; i < FCharSet.size(); ++i) {
      auto byte = static_cast<unsigned char>(FCharSet[i]);
      if (FIndex[byte] == kNotInSet) FIndex[byte] = static_cast<int16_t>(i);
    }
  }

  std::string_view CharSet() const { return FCharSet; }
  int Count() const { return static_cast<int>(FPatterns.size()); }
  int IndexOf(char c) const { return FIndex[static_cast<unsigned char>(c)]; }
  bool Contains(char c) const { return IndexOf(c) != kNotInSet; }
  const TFlags<Width>& Pattern(int index) const { return FPatterns.at(static_cast<size_t>(index)); }

 private:
  std::string FCharSet;
  std::vector<TFlags<Width>> FPatterns;
  std::array<int16_t, 256> FIndex{};
};

}  // namespace barcode
