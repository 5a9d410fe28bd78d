// Errors of picture loading and decoding, with the texts the operator sees.
#pragma once

#include <stdexcept>
#include <string>

namespace picture {

// The file holds no picture this program can show (unknown kind, damaged or oversized content).
class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The picture file cannot be opened for reading.
class EFOpenError : public std::runtime_error {
 public:
  explicit EFOpenError(const std::string& fileName);
};

// A fatal error reported by libjpeg, with libjpeg's message number.
class EJPEGError : public EInvalidGraphic {
 public:
  explicit EJPEGError(int msgCode);
  int MsgCode() const { return FMsgCode; }

 private:
  int FMsgCode;
};

// Largest picture, in pixels, that is decoded: a 32-bit bitmap of it takes 256 MB.
inline constexpr long long kMaxPicturePixels = 1LL << 26;

// Refuses dimensions that are not positive or exceed kMaxPicturePixels, naming the kind
// ("JPEG", "Bitmap", "Icon") in the message.
void CheckPictureSize(const std::string& kind, long long width, long long height);

// "<kind> image is not valid".
EInvalidGraphic InvalidImage(const std::string& kind);

}  // namespace picture
