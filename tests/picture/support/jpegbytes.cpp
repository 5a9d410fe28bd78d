#include "jpegbytes.h"

#include <iterator>
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

std::vector<uint8_t> MakeScanBomb(const std::vector<uint8_t>& progressiveGray, int scans) {
  auto frame = FindMarkers(progressiveGray, 0xC2);
  auto end = FindMarkers(progressiveGray, 0xD9);
  if (frame.empty() || end.empty() || progressiveGray.at(frame.front() + 9) != 1)
    throw std::runtime_error("not a progressive one-component file");
  uint8_t component = progressiveGray.at(frame.front() + 10);
  // SOS: length 8, one component with tables 0, spectral range 0..0, Ah 1 and Al 0.
  const uint8_t scan[] = {0xFF, 0xDA, 0x00, 0x08, 0x01, component, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00};
  std::vector<uint8_t> bomb(progressiveGray.begin(), progressiveGray.begin() + static_cast<std::ptrdiff_t>(end.back()));
  for (int i = 0; i < scans; ++i) bomb.insert(bomb.end(), std::begin(scan), std::end(scan));
  bomb.push_back(0xFF);
  bomb.push_back(0xD9);
  return bomb;
}

}  // namespace picture::testing
