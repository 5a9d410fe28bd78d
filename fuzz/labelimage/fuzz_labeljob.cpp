// Any job text either reads as a label or is refused with ELabelPreview; a label read
// is drawn (when its picture is small enough to draw quickly) into an image of exactly
// its size. Input layout: byte 0 bit 0 the language (ZPL, EPL), bits 1-2 the
// resolution (203, 300, 600, 203 dpi); the rest is the job, lines split at "\n".
#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "labelimage/label.h"
#include "labelimage/labeldrawing.h"

namespace {

constexpr int kResolutions[] = {203, 300, 600, 203};
// Pictures up to this many dots and text up to this height are drawn; larger ones only read.
constexpr long kLargestDrawnArea = 1'000'000;
constexpr int kTallestDrawnText = 400;

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

bool SmallEnough(const labelimage::TLabel& label) {
  if (static_cast<long>(label.Width) * (label.Length + label.Gap) > kLargestDrawnArea) return false;
  for (const auto& text : label.Texts)
    if (text.Height > kTallestDrawnText || text.Width > kTallestDrawnText || text.Text.size() > 200) return false;
  for (const auto& symbol : label.Barcodes)
    if (symbol.ModuleWidth > 100 || symbol.ModuleWidth < 0) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int argc = 1;
  static char name[] = "fuzz_labeljob";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
  if (size == 0) return 0;
  const std::string type = (data[0] & 1) ? "E" : "Z";
  const int dpi = kResolutions[(data[0] >> 1) & 3];
  std::vector<std::string> lines(1);
  for (size_t i = 1; i < size; ++i) {
    if (data[i] == '\n')
      lines.emplace_back();
    else
      lines.back() += static_cast<char>(data[i]);
  }
  labelimage::TLabel label;
  try {
    label = labelimage::ReadLabelJob(type, lines, dpi);
  } catch (const labelimage::ELabelPreview&) {
    return 0;
  }
  Require(label.Width > 0 && label.Length > 0 && label.Gap >= 0, "a label read has a size");
  if (!SmallEnough(label)) return 0;
  try {
    const QImage image = labelimage::DrawLabel(label);
    Require(image.width() == label.Width && image.height() == label.Length + label.Gap, "the picture is the label");
  } catch (const std::runtime_error&) {
    // The barcode engine refuses data it cannot encode, as it does for the printer's job.
  }
  return 0;
}
