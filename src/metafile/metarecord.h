// Bounds-checked little-endian reading of one metafile record. Every read is checked
// against the record's own bytes, so damaged data raises EMetafileError naming the record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "metafile/metafile.h"

namespace platform {

class TRecordRef {
 public:
  TRecordRef(std::span<const uint8_t> bytes, size_t index, const char* name)
      : FBytes(bytes), FIndex(index), FName(name) {}

  size_t Size() const { return FBytes.size(); }
  // The record's number in the file (the header is 1) and its type's name.
  size_t Index() const { return FIndex; }
  const char* Name() const { return FName; }
  std::span<const uint8_t> Bytes() const { return FBytes; }

  uint8_t U8(size_t at) const { return Read<uint8_t>(at); }
  uint16_t U16(size_t at) const { return Read<uint16_t>(at); }
  int16_t I16(size_t at) const { return Read<int16_t>(at); }
  uint32_t U32(size_t at) const { return Read<uint32_t>(at); }
  int32_t I32(size_t at) const { return Read<int32_t>(at); }
  float F32(size_t at) const {
    float value = Read<float>(at);
    return value == value ? value : 0.0f;  // a NaN would poison every coordinate after it
  }

  // The bytes [at, at + count * unit), checked before anything is allocated for them.
  std::span<const uint8_t> Slice(size_t at, uint64_t count, size_t unit = 1) const {
    uint64_t length = count * unit;
    if (unit != 0 && length / unit != count) Fail("is too short for its contents");
    Need(at, length);
    return FBytes.subspan(at, size_t(length));
  }

  [[noreturn]] void Fail(const std::string& reason) const {
    throw EMetafileError("Damaged metafile: record " + std::to_string(FIndex) + " (" + FName + ") " + reason);
  }

 private:
  void Need(size_t at, uint64_t length) const {
    if (at > FBytes.size() || length > FBytes.size() - at) Fail("is too short for its contents");
  }
  template <typename T>
  T Read(size_t at) const {
    Need(at, sizeof(T));
    T value;
    std::memcpy(&value, FBytes.data() + at, sizeof(T));
    return value;
  }

  std::span<const uint8_t> FBytes;
  size_t FIndex;
  const char* FName;
};

}  // namespace platform
