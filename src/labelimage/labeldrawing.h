// A label drawn as the printer prints it: one pixel a dot at the printer's resolution,
// the label white, the gap after it grey, black where the head burns. The EAN-13
// symbols come from the program's own barcode engine.
#pragma once

#include <QImage>
#include <string>

#include "labelimage/label.h"

namespace labelimage {

// The digits under an EAN-13 symbol: a cell this many modules high.
inline constexpr int kDigitModules = 9;
// The grey of the gap between labels.
inline constexpr QRgb kGapColour = qRgb(192, 192, 192);

// The label, then the gap below it. Raises the barcode engine's error for a symbol it cannot encode.
QImage DrawLabel(const TLabel& label);

// Writes the image as PNG; ELabelPreview "Cannot write <file>" when that fails.
void SaveLabelPng(const QImage& image, const std::string& fileName);

}  // namespace labelimage
