#include "picture/picturefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/ioerror.h"
#include "picture/pictureerrors.h"

namespace picture {
namespace {

class TFileHandle {
 public:
  explicit TFileHandle(const std::string& name) : FFd(::open(name.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~TFileHandle() {
    if (FFd >= 0) ::close(FFd);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  int Fd() const { return FFd; }

 private:
  int FFd;
};

bool IsRegularFile(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::vector<uint8_t> ReadPictureFile(const std::string& fileName) {
  TFileHandle file(fileName);
  if (file.Fd() < 0 || !IsRegularFile(file.Fd())) throw EFOpenError(fileName);
  std::vector<uint8_t> bytes;
  uint8_t chunk[1 << 16];
  for (;;) {
    ssize_t n = ::read(file.Fd(), chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw platform::EInOutError(errno);
    if (n == 0) return bytes;
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
}

}  // namespace picture
