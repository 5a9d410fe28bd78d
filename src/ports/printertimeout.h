// How long a network printer or CUPS server may take to connect and to take a job.
#pragma once

#include <chrono>

namespace platform {

// The window waits for a job; after this long a silent printer is an error, not a hang.
inline constexpr std::chrono::milliseconds kPrinterTimeout{5000};

}  // namespace platform
