// Reading a picture file whole, shared by every picture kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picture {

// The file's bytes. The name is Windows-1252 text, as every name the program keeps; it
// reaches the system in UTF-8. A name that cannot be opened for reading as a regular file
// (missing, a directory, a FIFO or a device, no permission) raises EFOpenError without
// waiting; a file larger than platform::MaxPictureFileBytes raises EInvalidGraphic before
// it is read; a read failure raises platform::EInOutError.
std::vector<uint8_t> ReadPictureFile(const std::string& fileName);

}  // namespace picture
