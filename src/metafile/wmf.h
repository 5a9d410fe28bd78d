// Windows metafiles (WMF), with or without the placeable header, played stretched into a
// rectangle on any canvas. Read-only: the program shows them, it never writes them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/canvas.h"
#include "metafile/metafile.h"

namespace platform {

class TWindowsMetafile {
 public:
  TWindowsMetafile() = default;

  // Checks the headers and every record (throws EMetafileError).
  static TWindowsMetafile FromBytes(std::vector<uint8_t> bytes);
  // Open and read errors raise EInOutError; bad content EMetafileError.
  static TWindowsMetafile LoadFromFile(const std::string& path);

  bool Empty() const { return FBytes.empty(); }
  bool Placeable() const { return FPlaceable; }
  // The picture's logical rectangle: the placeable header's box, or else the window
  // origin and extent that the records set.
  const TRect& LogicalBounds() const { return FBounds; }
  // Size in pixels at the screen's resolution (placeable files give their own scale).
  int32_t Width() const;
  int32_t Height() const;

  // The bitmaps were decoded at load; a play decodes nothing again.
  void Play(TCanvas& canvas, const TRect& dest) const;

 private:
  std::vector<uint8_t> FBytes;
  std::shared_ptr<TMetafileBitmaps> FBitmaps;  // shared by copies, which hold the same records
  bool FPlaceable = false;
  uint16_t FUnitsPerInch = 0;  // placeable files only
  TRect FBounds;
};

}  // namespace platform
