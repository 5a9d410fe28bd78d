// Drawings for export: white bitmaps at a given resolution, saved as Windows bitmap or PNG
// files or placed on the system clipboard, and the file writing every export shares.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <functional>

#include "graphics/canvas.h"

namespace platform {

TColor FromQtColor(const QColor& color);

// A drawing that knows its own size: drawn with its origin at (x, y), it returns the
// drawn width and height. Exports call it twice, to measure and then to draw.
using TSizedDrawing = std::function<TSize(TCanvas& canvas, int32_t x, int32_t y)>;

// A white bitmap of that size whose canvas reports dpi dots per inch.
QImage ScreenBitmap(int width, int height, int dpi);
// The drawing on a white bitmap at dpi, with margin pixels of white on every side.
QImage BitmapOf(const TSizedDrawing& draw, int margin, int dpi);

// Writes the bitmap as a Windows bitmap file whatever the name's extension.
void SaveBitmapFile(const QImage& bitmap, const QString& fileName);
// Writes the bitmap as a PNG file, its resolution recorded in the file.
void SavePngFile(const QImage& bitmap, const QString& fileName);
// Writes the bytes to a file created anew (an existing one is replaced). A file that
// cannot be created or written raises EInOutError with the operator's text.
void WriteExportFile(const QString& fileName, const QByteArray& bytes);

// Replaces the clipboard's contents with the bitmap; raises when there is no clipboard.
void CopyBitmapToClipboard(const QImage& bitmap);

}  // namespace platform
