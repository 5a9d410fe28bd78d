// Printer ports opened by name as text files for writing.
//
// A DOS device name (LPT1..LPT9, COM1..COM9, PRN, AUX, any case) names a port:
// an entry of that name in the "ports" folder of the data directory wins (a link
// to a device, a pseudo-terminal or a file, as the administrator maps ports),
// else a network printer or CUPS queue named in "ports/NAME.uri" (see destination.h),
// else the conventional device. Any other name is a file path. Port settings
// (baud rate, handshaking) are never touched. Opening never waits for a reader
// (a FIFO without one fails at once), and a reader that went away is an error,
// not the end of the program.
#pragma once

#include <optional>
#include <string>

#include "ports/destination.h"

namespace platform {

// What a port name opens. Only a file path may be created: a device name, mapped or
// conventional, whose device is missing fails with "File not found".
struct TPortTarget {
  std::string Path;
  bool MayCreate = true;
  // Set for a network printer or CUPS queue, which TPortJob sends to; Path is then empty.
  std::optional<TDestination> Destination = std::nullopt;
};

// Looks for mapped ports in dataDirectory + "ports/". A name both linked and given a
// ".uri" file raises EPortError, as does a ".uri" file that holds no destination.
TPortTarget ResolvePortName(const std::string& name, const std::string& dataDirectory);

enum class TPlainFileMode { Truncate, Append };

// One open of a port or file: Open, Write any number of times, Close.
// A device gets every Write at once; a plain file is written when it is closed,
// so a write error on a plain file shows up as a Close error. All errors are EInOutError.
class TPortFile {
 public:
  TPortFile() = default;
  ~TPortFile();
  TPortFile(const TPortFile&) = delete;
  TPortFile& operator=(const TPortFile&) = delete;

  // A plain file is created if missing (when the target allows it), then emptied
  // or appended to as the mode says.
  void Open(const TPortTarget& target, TPlainFileMode mode);
  void Write(const std::string& text);
  void Close();
  bool IsOpen() const { return FHandle >= 0; }
  bool IsDevice() const { return FDevice; }

 private:
  int FHandle = -1;
  bool FDevice = false;
  std::string FPending;
};

}  // namespace platform
