// The Qt font for a GDI font record (heights in device pixels), with its metrics.
#pragma once

#include <QFont>
#include <QFontMetrics>

#include "platform/canvas.h"

namespace platform {

struct TQtFont {
  QFont Font;
  QFontMetrics Metrics;
  int Ascent;   // baseline below the top of the cell
  int Descent;  // cell bottom below the baseline; Ascent + Descent is the GDI cell height
};

// Cached; the reference stays valid until the next call.
const TQtFont& QtFontFor(const TLogFont& deviceFont);

}  // namespace platform
