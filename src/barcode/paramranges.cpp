#include "barcode/paramranges.h"

#include "barcode/eoverflow.h"

namespace barcode {

void TParamRange::Check(int value) const {
  if (!Holds(value)) throw EOverflow(Message);
}

void CheckDrawableParams(const TBarcodeParams& params, bool postal) {
  kRotationRange.Check(params.Rotation);
  kFontscalingRange.Check(params.Fontscaling);
  if (!postal) kHeightPercentRange.Check(params.HeightPercent);
}

}  // namespace barcode
