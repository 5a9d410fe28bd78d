#include "picture/picturefile.h"

#include "base/inputfile.h"
#include "picture/pictureerrors.h"

namespace picture {
namespace {

[[noreturn]] void TooLarge(const std::string& fileName) {
  throw EInvalidGraphic("Picture file is too large: " + fileName);
}

}  // namespace

std::vector<uint8_t> ReadPictureFile(const std::string& fileName) {
  platform::TInputFile file(fileName);
  if (!file.IsOpen()) throw EFOpenError(fileName);
  if (file.Size() > platform::MaxPictureFileBytes) TooLarge(fileName);
  std::vector<uint8_t> bytes = file.Read(platform::MaxPictureFileBytes);
  if (bytes.size() > platform::MaxPictureFileBytes) TooLarge(fileName);  // it grew while being read
  return bytes;
}

}  // namespace picture
