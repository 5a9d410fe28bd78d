// Whole-file reading and writing for the picture classes, with the platform's I/O errors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Reads a regular file of at most MaxPictureFileBytes (base/inputfile.h): open and read
// errors raise EInOutError; a FIFO, a device or a larger file raise EMetafileError.
std::vector<uint8_t> ReadMetafileBytes(const std::string& path);
void WriteMetafileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace platform
