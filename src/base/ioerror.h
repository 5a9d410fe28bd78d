// I/O errors of file and port access, with the texts the operator sees.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// The operator's text for an operating-system error number (errno).
std::string IOErrorText(int osError);

class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(int osError) : std::runtime_error(IOErrorText(osError)), FOSError(osError) {}
  int OSError() const { return FOSError; }

 private:
  int FOSError;
};

// Writes every byte to an open file descriptor, going on after interrupted writes;
// a failure raises EInOutError.
void WriteAll(int handle, std::string_view bytes);

}  // namespace platform
