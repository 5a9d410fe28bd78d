// Checks of a Windows bitmap file's headers that Qt's reader does not make: a huge
// picture is refused before its pixels are allocated, and an uncompressed bitmap must
// hold all its rows (Qt would show a truncated one half-read).
#pragma once

#include <cstdint>
#include <span>

namespace picture {

// Raises EInvalidGraphic "Bitmap image is not valid" or "... is too large (...)".
void CheckBitmapFile(std::span<const uint8_t> bytes);

}  // namespace picture
