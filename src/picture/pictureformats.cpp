#include "picture/pictureformats.h"

#include <algorithm>

#include "picture/pictureerrors.h"

namespace picture {

std::string PictureFileExtension(const std::string& fileName) {
  std::size_t nameStart = fileName.find_last_of("/\\:");
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  std::size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || dot < nameStart) return {};
  std::string extension = fileName.substr(dot + 1);
  // Byte-wise ASCII folding: the table is ASCII, and other bytes of the name stay as they are.
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return extension;
}

const TPictureFormat& FindPictureFormat(const std::string& fileName) {
  std::string extension = PictureFileExtension(fileName);
  for (const auto& format : kPictureFormats)
    if (extension == format.Extension) return format;
  throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
}

}  // namespace picture
