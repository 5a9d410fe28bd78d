// Whole-file reading and writing for the picture classes, with the platform's I/O errors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Refuses files larger than a picture can sensibly be, before reading them.
constexpr uint64_t MaxMetafileBytes = uint64_t(256) << 20;

std::vector<uint8_t> ReadMetafileBytes(const std::string& path);
void WriteMetafileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace platform
