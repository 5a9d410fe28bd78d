// Writes modules left to right into a module array and counts them. Every write is
// checked against the array's capacity, so no encoder can run past it.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>

#include "barcode/llbarcode.h"
#include "barcode/patterntable.h"

namespace barcode {

class TModuleWriter {
 public:
  explicit TModuleWriter(TModules& modules, int position = 0)
      : FStart(modules), FNext(modules + position), FEnd(modules + kModuleCapacity) {}

  int Position() const { return static_cast<int>(FNext - FStart); }

  // A run of equal modules: 1 dark, 0 light.
  void Put(uint8_t value, int count) {
    Reserve(count);
    for (int i = 0; i < count; ++i) FNext[i] = value;
    FNext += count;
  }

  // Modules exactly as the flags give them.
  template <size_t Width>
  void Put(const TFlags<Width>& modules) {
    Reserve(static_cast<int>(Width));
    std::memcpy(FNext, modules.data(), Width);
    FNext += Width;
  }

  // The next count modules, to be filled by the caller: a block written in one go
  // keeps the position out of the inner loop.
  std::span<uint8_t> Claim(int count) {
    Reserve(count);
    std::span<uint8_t> block(FNext, static_cast<size_t>(count));
    FNext += count;
    return block;
  }

  // One element of a wide-and-narrow symbology.
  void PutElement(bool bar, bool wide, int wideModules) { Put(bar ? 1 : 0, wide ? wideModules : 1); }

  // Elements alternating bar, space, bar, ... as their wide flags give them.
  template <size_t Width>
  void PutElements(const TFlags<Width>& wideFlags, int wideModules) {
    for (size_t e = 0; e < Width; ++e) PutElement(e % 2 == 0, wideFlags[e] != 0, wideModules);
  }

 private:
  void Reserve(int count) const {
    if (count < 0 || count > FEnd - FNext) throw std::logic_error("module array overflow");
  }

  uint8_t* const FStart;
  uint8_t* FNext;
  uint8_t* const FEnd;
};

}  // namespace barcode
