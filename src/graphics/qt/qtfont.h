// The Qt font for a GDI font record (heights in device pixels), with its metrics.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <cstdint>
#include <string_view>

#include "graphics/canvas.h"

namespace platform {

struct TQtFont {
  uint64_t Id;  // unique for each font ever made, so caches can key on it
  QFont Font;
  QFontMetrics Metrics;
  int Ascent;   // baseline below the top of the cell
  int Descent;  // cell bottom below the baseline; Ascent + Descent is the GDI cell height
};

// Cached; the reference stays valid until the next call.
const TQtFont& QtFontFor(const TLogFont& deviceFont);

// A text laid out in a font, ready to paint: glyph runs relative to the cell's top left.
struct TQtText {
  QList<QGlyphRun> Runs;
  int Advance;  // GDI's extent along the writing direction
  qreal RunAscent;  // baseline of the runs below their origin
};

// Shaping costs far more than painting, and the same texts come at every repaint: cached.
const TQtText& QtTextFor(const TQtFont& font, std::u16string_view text);

}  // namespace platform
