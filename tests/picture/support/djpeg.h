// libjpeg-turbo's own decoder program, run on a file, as the reference for our output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picture::testing {

// A decoded PPM (P6) or PGM (P5) image, always expanded to R, G, B per pixel.
struct TPnmImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgb;
};

bool DjpegAvailable();

// Runs a program found on PATH and returns its exit status (-1 if it could not run).
int RunProgram(std::vector<std::string> argv);

// Runs `djpeg <arguments> -outfile <tmp> <jpegPath>` and reads its PNM output.
TPnmImage RunDjpeg(const std::string& jpegPath, const std::vector<std::string>& arguments);

TPnmImage ReadPnm(const std::string& path);

}  // namespace picture::testing
