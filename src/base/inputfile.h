// Files the program reads whole as input (pictures, metafiles): opened only when they
// are regular files, so that a FIFO or a device never blocks the interface, with the
// size known before anything is read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The largest picture file read into memory: well past any real picture, and no more
// than the largest bitmap that is decoded (64 megapixels at 32 bits).
constexpr uint64_t MaxPictureFileBytes = uint64_t(256) << 20;

class TInputFile {
 public:
  // Opens without waiting; never throws. A name that is not a regular file fails with
  // EISDIR for a directory and ENXIO for anything else (FIFO, device, socket).
  explicit TInputFile(const std::string& path);
  ~TInputFile();
  TInputFile(const TInputFile&) = delete;
  TInputFile& operator=(const TInputFile&) = delete;

  bool IsOpen() const { return FFd >= 0; }
  // The errno of a failed open.
  int Error() const { return FError; }
  // The size when opened.
  uint64_t Size() const { return FSize; }
  // Every byte, but no more than limit + 1 (a file that grew past the limit is seen as
  // such). A read failure raises EInOutError.
  std::vector<uint8_t> Read(uint64_t limit) const;

 private:
  int FFd = -1;
  int FError = 0;
  uint64_t FSize = 0;
};

}  // namespace platform
