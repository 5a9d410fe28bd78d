// Drawings as SVG documents, written by Qt's SVG module through the same canvas that
// draws on screen and paper: each fill becomes a rectangle, each text a text element, and
// the document states its size in millimetres, so it scales without loss.
#pragma once

#include <QByteArray>

#include "graphics/qt/bitmapexport.h"

namespace platform {

// The drawing measured, then drawn on a white background with margin units of white on
// every side, at dpi units per inch: one unit of the document is 1/dpi inch.
QByteArray SvgOf(const TSizedDrawing& draw, int margin, int dpi);

}  // namespace platform
