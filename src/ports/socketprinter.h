// A job sent to a network printer's raw port (socket://HOST:PORT) over one TCP connection.
#pragma once

#include <chrono>
#include <string_view>

#include "ports/destination.h"
#include "ports/printertimeout.h"

namespace platform {

// Resolves the host, connects and sends every byte, then closes. Looking up, connecting
// and sending each give up after the time-out. Nothing is retried; every failure
// raises EPortError naming the destination.
void SendToSocket(const TDestination& destination, std::string_view job,
                  std::chrono::milliseconds timeout = kPrinterTimeout);

}  // namespace platform
