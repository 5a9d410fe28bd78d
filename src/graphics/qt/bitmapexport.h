// Bitmaps for export: white bitmaps at a given resolution, saved in the Windows
// bitmap file format or placed on the system clipboard.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include "graphics/canvas.h"

namespace platform {

TColor FromQtColor(const QColor& color);

// A white bitmap of that size whose canvas reports dpi dots per inch.
QImage ScreenBitmap(int width, int height, int dpi);

// Writes the bitmap as a Windows bitmap file whatever the name's extension. A file
// that cannot be created or written raises EInOutError with the operator's text.
void SaveBitmapFile(const QImage& bitmap, const QString& fileName);

// Replaces the clipboard's contents with the bitmap; raises when there is no clipboard.
void CopyBitmapToClipboard(const QImage& bitmap);

}  // namespace platform
