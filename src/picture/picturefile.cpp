#include "picture/picturefile.h"

#include "base/ansi.h"
#include "base/inputfile.h"
#include "picture/pictureerrors.h"

namespace picture {
namespace {

[[noreturn]] void TooLarge(const std::string& fileName) {
  throw EInvalidGraphic("Picture file is too large: " + fileName);
}

// The program names files in Windows-1252; the system names them in UTF-8. A byte
// the code page leaves unassigned names no file.
std::string SystemFileName(const std::string& fileName) {
  try {
    return platform::AnsiToUtf8(fileName);
  } catch (const platform::EAnsiConversion&) {
    throw EFOpenError(fileName);
  }
}

}  // namespace

std::vector<uint8_t> ReadPictureFile(const std::string& fileName) {
  platform::TInputFile file(SystemFileName(fileName));
  if (!file.IsOpen()) throw EFOpenError(fileName);
  if (file.Size() > platform::MaxPictureFileBytes) TooLarge(fileName);
  std::vector<uint8_t> bytes = file.Read(platform::MaxPictureFileBytes);
  if (bytes.size() > platform::MaxPictureFileBytes) TooLarge(fileName);  // it grew while being read
  return bytes;
}

}  // namespace picture
