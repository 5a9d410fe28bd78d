// Enhanced Metafiles (EMF): a recorded picture held as its bytes, played stretched into
// a rectangle on any canvas. Report pages are kept this way and .emf pictures shown.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/canvas.h"

namespace platform {

// Damaged, truncated or unsupported metafile data; the message says which record and why.
class EMetafileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TMetafileBitmaps;

struct TMetafileHeader {
  TRect Bounds;        // inclusive bounds of the drawing, in reference device pixels
  TRect Frame;         // inclusive picture frame, in 0.01 mm
  TSize Device;        // reference device size in pixels
  TSize Millimeters;   // reference device size in millimetres
  TSize Micrometers;   // the same in micrometres, when the header carries it (else 0)
  uint32_t Bytes = 0;
  uint32_t Records = 0;
};

class TMetafile {
 public:
  TMetafile() = default;

  // Takes EMF bytes; checks the header and every record (throws EMetafileError).
  static TMetafile FromBytes(std::vector<uint8_t> bytes);
  // Open and read errors raise EInOutError; bad content EMetafileError.
  static TMetafile LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  bool Empty() const { return FBytes.empty(); }
  const std::vector<uint8_t>& Bytes() const { return FBytes; }
  const TMetafileHeader& Header() const { return FHeader; }

  // Size of the frame in screen pixels, and in 0.01 mm.
  int32_t Width() const;
  int32_t Height() const;
  int32_t MMWidth() const { return int32_t(int64_t(FHeader.Frame.Right) - FHeader.Frame.Left); }
  int32_t MMHeight() const { return int32_t(int64_t(FHeader.Frame.Bottom) - FHeader.Frame.Top); }

  // Draws the picture with its frame stretched onto dest (logical units of the canvas).
  // The canvas's brush, pen, font, alignment and background are left as they were.
  // The bitmaps were decoded at load; a play decodes nothing again.
  void Play(TCanvas& canvas, const TRect& dest) const;

 private:
  std::vector<uint8_t> FBytes;
  TMetafileHeader FHeader;
  std::shared_ptr<TMetafileBitmaps> FBitmaps;  // shared by copies, which hold the same records
};

}  // namespace platform
