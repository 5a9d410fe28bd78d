#include "base/inputfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "base/ioerror.h"

namespace platform {

TInputFile::TInputFile(const std::string& path) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer, for ever if none comes.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    FError = errno;
    return;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    FError = errno;
  } else if (!S_ISREG(info.st_mode)) {
    FError = S_ISDIR(info.st_mode) ? EISDIR : ENXIO;
  } else {
    FFd = fd;
    FSize = uint64_t(info.st_size);
    return;
  }
  ::close(fd);
}

TInputFile::~TInputFile() {
  if (FFd >= 0) ::close(FFd);
}

std::vector<uint8_t> TInputFile::Read(uint64_t limit) const {
  std::vector<uint8_t> bytes;
  if (!IsOpen()) throw EInOutError(FError);
  bytes.reserve(size_t(std::min(FSize, limit) + 1));
  uint8_t chunk[1 << 16];
  while (bytes.size() <= limit) {
    size_t wanted = size_t(std::min<uint64_t>(sizeof chunk, limit + 1 - bytes.size()));
    ssize_t n = ::read(FFd, chunk, wanted);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EInOutError(errno);
    if (n == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  return bytes;
}

}  // namespace platform
