// The JPEG picture: the file held in memory with its header, its own decoding options,
// and the decoded bitmap, made at first use and kept until an option changes or
// another file is loaded.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "picture/bitmapbits.h"
#include "picture/jpegdecoder.h"
#include "picture/jpegproperties.h"

namespace picture {

class TJPEGImage {
 public:
  // Reads the header only; on failure the picture keeps what it held.
  void LoadFromFile(const std::string& fileName);
  void LoadFromBytes(std::vector<uint8_t> data);

  bool Empty() const { return FData.empty(); }
  // The size of the decoded bitmap at the current scale.
  int Width() const { return ScaledDimension(FHeader.Width, FOptions.Scale); }
  int Height() const { return ScaledDimension(FHeader.Height, FOptions.Scale); }
  const TJPEGHeader& Header() const { return FHeader; }
  const TJPEGOptions& Options() const { return FOptions; }

  // Takes over the one option with the given code from `from`. A new value drops the
  // decoded bitmap and raises OnChange; ProgressiveDisplay is only stored.
  void PushOption(TJPEGPropertyCode code, const TJPEGOptions& from);

  // The decoded bitmap, decoding now if needed; nullptr for an empty picture. A decoding
  // error raises EJPEGError once; later calls return nullptr until the next change.
  const TBitmapBits* Bitmap();
  bool Decoded() const { return FBitmap.has_value(); }
  // The last decode raised; no new attempt is made until the next change.
  bool DecodeFailed() const { return FDecodeFailed; }

  std::function<void()> OnChange;
  // Sees each intermediate pass of a progressive display.
  TJPEGPassEvent OnProgress;

 private:
  void DropBitmap();
  void Changed();

  std::vector<uint8_t> FData;
  TJPEGHeader FHeader;
  TJPEGOptions FOptions;
  std::optional<TBitmapBits> FBitmap;
  bool FDecodeFailed = false;
};

}  // namespace picture
