// Errors of printer destinations that are not operating-system file errors: a wrong
// destination file, a network printer or CUPS queue that cannot take the job.
#pragma once

#include <stdexcept>

namespace platform {

class EPortError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace platform
