// The picture kinds a picture holder knows, chosen by file extension.
#pragma once

#include <string>

namespace picture {

enum class TPictureKind { Metafile, EnhMetafile, Icon, Bitmap, OlePicture, JPEG };

struct TPictureFormat {
  const char* Extension;  // lower-case, without the dot
  const char* Description;
  TPictureKind Kind;
};

// Extensions appear once each; the empty extension is a name without one.
inline constexpr TPictureFormat kPictureFormats[] = {
    {"wmf", "Metafiles", TPictureKind::Metafile},
    {"emf", "Enhanced Metafiles", TPictureKind::EnhMetafile},
    {"ico", "Icons", TPictureKind::Icon},
    {"bmp", "Bitmaps", TPictureKind::Bitmap},
    {"", "", TPictureKind::OlePicture},
    {"jpeg", "JPEG Image File", TPictureKind::JPEG},
    {"jpg", "JPEG Image File", TPictureKind::JPEG},
};

// The lower-cased text after the last "." that follows the last path separator
// ("/", "\" or ":"); empty when there is no such dot.
std::string PictureFileExtension(const std::string& fileName);

// The format for the file's extension; an unknown one raises EInvalidGraphic
// "Unknown picture file extension (.<ext>)".
const TPictureFormat& FindPictureFormat(const std::string& fileName);

}  // namespace picture
