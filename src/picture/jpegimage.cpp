#include "picture/jpegimage.h"

#include <utility>

#include "picture/pictureerrors.h"
#include "picture/picturefile.h"

namespace picture {

void TJPEGImage::LoadFromFile(const std::string& fileName) { LoadFromBytes(ReadPictureFile(fileName)); }

void TJPEGImage::LoadFromBytes(std::vector<uint8_t> data) {
  TJPEGHeader header = ReadJPEGHeader(data);
  CheckPictureSize("JPEG", header.Width, header.Height);
  FData = std::move(data);
  FHeader = header;
  DropBitmap();
  Changed();
}

void TJPEGImage::PushOption(TJPEGPropertyCode code, const TJPEGOptions& from) {
  if (SameOption(FOptions, from, code)) return;
  CopyOption(FOptions, from, code);
  if (code == jpcProgressiveDisplay) return;
  DropBitmap();
  Changed();
}

const TBitmapBits* TJPEGImage::Bitmap() {
  if (Empty() || FDecodeFailed) return nullptr;
  if (!FBitmap) {
    FDecodeFailed = true;  // until the decode below completes
    FBitmap = DecodeJPEG(FData, FOptions, OnProgress);
    FDecodeFailed = false;
  }
  return &*FBitmap;
}

void TJPEGImage::DropBitmap() {
  FBitmap.reset();
  FDecodeFailed = false;
}

void TJPEGImage::Changed() {
  if (OnChange) OnChange();
}

}  // namespace picture
