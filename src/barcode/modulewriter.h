// Writes modules left to right into a module array and counts them. Every write is
// checked against the array's capacity, so no encoder can run past it.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "barcode/llbarcode.h"
#include "barcode/patterntable.h"

namespace barcode {

class TModuleWriter {
 public:
  explicit TModuleWriter(TModules& modules, int position = 0) : FModules(modules), FPosition(position) {}

  int Position() const { return FPosition; }

  // A run of equal modules: 1 dark, 0 light.
  void Put(uint8_t value, int count) {
    Reserve(count);
    std::memset(FModules + FPosition, value, static_cast<size_t>(count));
    FPosition += count;
  }

  // Modules exactly as the flags give them.
  template <size_t Width>
  void Put(const TFlags<Width>& modules) {
    Reserve(static_cast<int>(Width));
    std::memcpy(FModules + FPosition, modules.data(), Width);
    FPosition += static_cast<int>(Width);
  }

  // One element of a wide-and-narrow symbology.
  void PutElement(bool bar, bool wide, int wideModules) { Put(bar ? 1 : 0, wide ? wideModules : 1); }

  // Elements alternating bar, space, bar, ... as their wide flags give them.
  template <size_t Width>
  void PutElements(const TFlags<Width>& wideFlags, int wideModules) {
    for (size_t e = 0; e < Width; ++e) PutElement(e % 2 == 0, wideFlags[e] != 0, wideModules);
  }

 private:
  void Reserve(int count) {
    if (count < 0 || FPosition + count > kModuleCapacity) throw std::logic_error("module array overflow");
  }

  TModules& FModules;
  int FPosition;
};

}  // namespace barcode
