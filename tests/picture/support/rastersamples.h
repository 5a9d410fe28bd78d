// Bitmap and icon files made by Qt's writers, and damaged variants of them.
#pragma once

#include <cstdint>
#include <vector>

#include <QColor>
#include <QImage>

namespace picture::testing {

// Four coloured quadrants (red, green / blue, yellow), a one-pixel white border and a
// black mark at (w/4, h/4): easy to tell apart after stretching and clipping.
QImage QuadrantImage(int width, int height);

std::vector<uint8_t> ImageFileBytes(const QImage& image, const char* format);

// An 8-bit Windows bitmap file (BITMAPFILEHEADER, BITMAPINFOHEADER, palette, rows) with
// the given palette and one index per pixel, rows listed bottom-up as the file stores them.
std::vector<uint8_t> IndexedBitmapFile(int width, int height, const std::vector<QRgb>& palette,
                                       const std::vector<uint8_t>& indexes);

// Overwrites a little-endian 32-bit field.
void PutLE32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);

}  // namespace picture::testing
