#include "picture/pictureerrors.h"

namespace picture {

EFOpenError::EFOpenError(const std::string& fileName)
    : std::runtime_error("Cannot open file " + fileName) {}

EJPEGError::EJPEGError(int msgCode)
    : EInvalidGraphic("JPEG error #" + std::to_string(msgCode)), FMsgCode(msgCode) {}

void CheckPictureSize(const std::string& kind, long long width, long long height) {
  if (width <= 0 || height <= 0) throw InvalidImage(kind);
  if (width > kMaxPicturePixels / height)
    throw EInvalidGraphic(kind + " image is too large (" + std::to_string(width) + " x " +
                          std::to_string(height) + " pixels)");
}

EInvalidGraphic InvalidImage(const std::string& kind) {
  return EInvalidGraphic(kind + " image is not valid");
}

}  // namespace picture
