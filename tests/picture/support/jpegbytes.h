// Finding and patching markers in JPEG files, to make damaged ones from good ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace picture::testing {

// Offsets of every 0xFF <marker> pair outside entropy-coded data (where 0xFF is stuffed).
std::vector<size_t> FindMarkers(const std::vector<uint8_t>& jpeg, uint8_t marker);

// Rewrites the image size in the first SOF0/SOF1/SOF2 segment.
void SetFrameSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height);

// A progressive one-component file with one 12-byte scan, a DC refinement of two data
// bytes, added `scans` times before its end: each copy makes libjpeg pass over every block
// of the picture again, so a small file takes as long to decode as the copies it holds.
std::vector<uint8_t> MakeScanBomb(const std::vector<uint8_t>& progressiveGray, int scans);

}  // namespace picture::testing
