// The ranges of the parameter record's numbers and enumerations, one rule each with
// its message. The barcode control's setters refuse a value outside its rule; the
// drawing refuses a record that was written directly (Params is public) with such a
// value, before it draws anything.
//
// What the drawing does with each field of a record written directly:
// - Refused with the setter's message, as EOverflow: Rotation above rotate_270,
//   Fontscaling outside 20..200, and for the linear symbologies HeightPercent outside
//   20..200 (the postal layouts do not use it). These have no reading of their own, and
//   their arithmetic (escapement, bar height reduction, font heights) would leave the
//   integer range.
// - Read as the engine defines them, and drawn: ModuleWidth above SC9 is 0.33 mm, a
//   Ratio other than Ratio_2 is Ratio_3, IdentSplit is clamped to the split positions
//   2..11 of the freight-post display. Caption and CodeAddon are read up to their
//   terminator or the end of their array, the code text at most 50 characters; an
//   add-on that fills its array has 6 characters and is refused as a wrong add-on.
// - Refused by the encoder: a CodeType beyond Postnet_FIM ("Unknown Type of Barcode").
#pragma once

#include "barcode/barcodetypes.h"

namespace barcode {

struct TParamRange {
  int Low;
  int High;
  const char* Message;  // the rule, as the user reads it

  bool Holds(int value) const { return value >= Low && value <= High; }
  // Raises EOverflow with the rule's message for a value outside it.
  void Check(int value) const;
};

inline constexpr TParamRange kFontscalingRange{20, 200, "Bar_Fontscaling must be in the range 20..200!"};
inline constexpr TParamRange kHeightPercentRange{20, 200, "Bar_HeightPercent must be in the range 20..200!"};
inline constexpr TParamRange kModuleWidthRange{SC0, SC9, "Bar_SC_Size must be in the range 0..9!"};
inline constexpr TParamRange kRatioRange{Ratio_3, Ratio_2,
                                         "Bar_Ratio must be in the range 0..1 (Ratio_3 or Ratio_2)!"};
inline constexpr TParamRange kRotationRange{rotate_000, rotate_270,
                                            "Bar_Rotate must be in the range rotate_000..rotate_270!"};

// Refuses, by the rules above, a record the drawing has no meaning for; `postal` for the
// Postnet and FIM layouts, which have fixed bar heights.
void CheckDrawableParams(const TBarcodeParams& params, bool postal);

}  // namespace barcode
