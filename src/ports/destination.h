// Network printer and CUPS queue destinations, one per "ports/NAME.uri" text file:
//   socket://HOST[:PORT]            raw TCP, port 9100 when left out; IPv6 in brackets
//   ipp://HOST[:PORT]/printers/Q    the CUPS queue Q of that server (port 631 when left out)
//   cups:Q                          the CUPS queue Q of the local CUPS server
#pragma once

#include <string>

namespace platform {

enum class TDestinationScheme { Socket, Ipp, Cups };

struct TDestination {
  TDestinationScheme Scheme = TDestinationScheme::Socket;
  std::string Text;   // as written, to name the destination in messages
  std::string Host;   // socket and ipp: a name or an address, without brackets
  int Port = 0;       // socket and ipp
  std::string Queue;  // ipp and cups
};

// Raises EPortError with a message naming the fault when the text is no destination.
TDestination ParseDestination(const std::string& text);

// The destination in a ".uri" file; a message names the file.
TDestination ReadDestinationFile(const std::string& path);

}  // namespace platform
