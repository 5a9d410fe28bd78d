// Postnet and the Facing Identification Marks: their bar tables.
#pragma once

#include <array>

#include "barcode/patterntable.h"

namespace barcode {

enum TFIMKind { FIM_A, FIM_B, FIM_C };

// The digits "0" to "9" with 5 bars each (1 = full height), then the 9 bar positions
// (1 = bar) of FIM-A, FIM-B and FIM-C.
class TBarPostnet : public TPatternTable<5> {
 public:
  TBarPostnet();
  const TFlags<9>& FIM(TFIMKind kind) const { return FFIM[kind]; }

 private:
  std::array<TFlags<9>, 3> FFIM;
};

// Built on first use, then only read.
const TBarPostnet& PostnetTable();

}  // namespace barcode
