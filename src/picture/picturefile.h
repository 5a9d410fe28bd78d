// Reading a picture file whole, shared by every picture kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picture {

// The file's bytes. A file that cannot be opened for reading (missing, a directory,
// no permission) raises EFOpenError; a read failure raises platform::EInOutError.
std::vector<uint8_t> ReadPictureFile(const std::string& fileName);

}  // namespace picture
