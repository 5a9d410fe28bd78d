#include "jpegsamples.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>

#include <jpeglib.h>

namespace picture::testing {
namespace {

uint8_t Clamp(double v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

}  // namespace

TRgbPixels MakePhotoLikeImage(int width, int height, uint32_t seed) {
  TRgbPixels image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
  std::mt19937 rng(seed);
  std::normal_distribution<double> noise(0.0, 6.0);
  double cx = width * 0.6, cy = height * 0.4, radius = std::min(width, height) * 0.3;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
      double r = 200 * u + 30 * std::sin(9 * v), g = 180 * v + 40 * std::cos(7 * u),
             b = 120 + 90 * std::sin(5 * (u + v));
      double d = std::hypot(x - cx, y - cy);
      if (d < radius) {  // a soft-shaded disc
        double shade = 1 - d / radius;
        r = 0.4 * r + 150 * shade + 60;
        g = 0.4 * g + 60 * shade;
        b = 0.4 * b + 40;
      }
      if ((x / 37 + y / 53) % 7 == 0) r = g = b = 235;  // hard-edged tiles
      uint8_t* p = &image.Bytes[(static_cast<size_t>(y) * width + x) * 3];
      p[0] = Clamp(r + noise(rng));
      p[1] = Clamp(g + noise(rng));
      p[2] = Clamp(b + noise(rng));
    }
  }
  return image;
}

std::vector<uint8_t> EncodeJPEG(const TRgbPixels& image, const TJPEGEncoding& encoding) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);  // our own valid input: the default handler is fine here
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(image.Width);
  info.image_height = static_cast<JDIMENSION>(image.Height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, encoding.Quality, TRUE);
  if (encoding.GrayScale) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
  if (!encoding.Subsample420 && !encoding.GrayScale) info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
  if (encoding.Progressive) jpeg_simple_progression(&info);
  info.restart_in_rows = encoding.RestartRows;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&image.Bytes[static_cast<size_t>(info.next_scanline) * image.Width * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace picture::testing
