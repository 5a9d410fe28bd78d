#include "reports/paperrecognition.h"

#include "reports/position.h"

namespace reports {
namespace {

// Lengths are compared in steps of 4 mm, forty tenths of a millimetre.
constexpr double kStepTenths = 40;
constexpr double kStepMM = 4;

long PixelSteps(int pixels, int dpi) { return long(pixels * TenthsMMPerInch / dpi / kStepTenths); }
long MMSteps(double mm) { return long(mm / kStepMM); }

}  // namespace

std::optional<TRecognisedPaper> RecognisePaper(int widthPixels, int heightPixels, int dpi) {
  if (dpi <= 0) return std::nullopt;
  const long width = PixelSteps(widthPixels, dpi), length = PixelSteps(heightPixels, dpi);
  std::optional<TRecognisedPaper> found;
  for (const TPaperRow& row : PaperTable()) {
    if (row.Size == Default || row.Size == Custom) continue;
    const long paperWidth = MMSteps(row.WidthMM), paperLength = MMSteps(row.LengthMM);
    if (paperWidth == width && paperLength == length) found = TRecognisedPaper{row.Size, poPortrait};
    if (paperWidth == length && paperLength == width) found = TRecognisedPaper{row.Size, poLandscape};
  }
  return found;
}

}  // namespace reports
