#include "jpegbytes.h"

#include <stdexcept>

namespace picture::testing {

std::vector<size_t> FindMarkers(const std::vector<uint8_t>& jpeg, uint8_t marker) {
  std::vector<size_t> found;
  for (size_t i = 0; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == marker) found.push_back(i);
  return found;
}

void SetFrameSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height) {
  for (uint8_t sof : {0xC0, 0xC1, 0xC2}) {
    auto at = FindMarkers(jpeg, sof);
    if (at.empty()) continue;
    size_t p = at.front() + 5;  // marker(2) length(2) precision(1), then height and width
    jpeg.at(p) = height >> 8;
    jpeg.at(p + 1) = height & 0xFF;
    jpeg.at(p + 2) = width >> 8;
    jpeg.at(p + 3) = width & 0xFF;
    return;
  }
  throw std::runtime_error("no frame header");
}

}  // namespace picture::testing
