#include "base/ioerror.h"

#include <unistd.h>

#include <cerrno>

namespace platform {

std::string IOErrorText(int osError) {
  switch (osError) {
    case ENOENT:
      return "File not found";
    case ENOTDIR:
    case ENAMETOOLONG:
      return "Invalid filename";
    case EMFILE:
    case ENFILE:
      return "Too many open files";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return "File access denied";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:  // the file size limit: to the writer the disk is as full
      return "Disk full";
    default:
      return "I/O error " + std::to_string(osError);
  }
}

void WriteAll(int handle, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(handle, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EInOutError(errno);
    }
    done += static_cast<size_t>(n);
  }
}

}  // namespace platform
