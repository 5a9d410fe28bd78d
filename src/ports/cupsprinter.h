// A job submitted to a CUPS queue (cups:QUEUE, ipp://HOST/printers/QUEUE) as one raw
// document, which CUPS passes to the printer unchanged.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "ports/destination.h"
#include "ports/printertimeout.h"

namespace platform {

// Connects to the destination's server (cups: the one libcups is set up for), checks
// that the queue exists and is neither stopped nor refusing jobs, and submits the job
// under the title as one raw document. Connecting gives up after the time-out, and so
// do the exchanges after it taken together; nothing is retried. Failures raise EPortError naming the destination; a
// job CUPS created but did not get whole is cancelled.
void SendToCups(const TDestination& destination, std::string_view job, const std::string& title,
                std::chrono::milliseconds timeout = kPrinterTimeout);

}  // namespace platform
