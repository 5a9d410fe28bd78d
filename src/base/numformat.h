#pragma once

#include <string>

namespace platform {

// The decimal separator of the user's locale (the environment's LC_NUMERIC), "." when none is set.
char DecimalSeparator();

}  // namespace platform
