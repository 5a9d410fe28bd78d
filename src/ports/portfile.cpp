#include "ports/portfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

#include "base/brokenpipe.h"
#include "base/ioerror.h"
#include "ports/porterror.h"

namespace platform {
namespace {

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// "LPT1".."LPT9" and "COM1".."COM9" after mapping the aliases; empty when not a device name.
std::string DosDeviceName(const std::string& name) {
  std::string upper = UpperCase(name);
  if (upper == "PRN") return "LPT1";
  if (upper == "AUX") return "COM1";
  bool numbered = upper.size() == 4 && upper[3] >= '1' && upper[3] <= '9';
  if (numbered && (upper.compare(0, 3, "LPT") == 0 || upper.compare(0, 3, "COM") == 0)) return upper;
  return {};
}

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

std::string ConventionalDevice(const std::string& device) {
  std::string index(1, static_cast<char>(device[3] - 1));
  if (device.compare(0, 3, "COM") == 0) return "/dev/ttyS" + index;
  std::string usb = "/dev/usb/lp" + index;
  return Exists(usb) ? usb : "/dev/lp" + index;
}

bool IsPlainFile(int handle) {
  struct stat info;
  if (::fstat(handle, &info) != 0) throw EInOutError(errno);
  return S_ISREG(info.st_mode);
}

void SetStatusFlags(int handle, int cleared, int set) {
  int flags = ::fcntl(handle, F_GETFL);
  if (flags < 0 || ::fcntl(handle, F_SETFL, (flags & ~cleared) | set) != 0) throw EInOutError(errno);
}

}  // namespace

TPortTarget ResolvePortName(const std::string& name, const std::string& dataDirectory) {
  std::string device = DosDeviceName(name);
  if (device.empty()) return {name, true};
  std::string mapped = dataDirectory + "ports/" + device;
  std::string destinationFile = mapped + ".uri";
  bool linked = Exists(mapped);
  bool networked = Exists(destinationFile);
  if (linked && networked)
    throw EPortError("Port " + device + " is mapped twice, by " + mapped + " and by " + destinationFile +
                     ": remove one of them");
  // A mapped port stands for a device: when the device is missing (a dangling link to an
  // unplugged adapter) the open must fail rather than create a file in its place.
  if (linked) return {mapped, false};
  if (networked) return {"", false, ReadDestinationFile(destinationFile)};
  return {ConventionalDevice(device), false};
}

TPortFile::~TPortFile() {
  if (FHandle >= 0) ::close(FHandle);
}

void TPortFile::Open(const TPortTarget& target, TPlainFileMode mode) {
  if (FHandle >= 0) throw EInOutError(EBUSY);
  if (target.Destination) throw EPortError("A network printer is not a file: " + target.Destination->Text);
  IgnoreBrokenPipeSignal();
  // Non-blocking, so the open cannot wait for ever: a FIFO without a reader fails
  // with ENXIO, a serial line does not wait for its carrier.
  int flags = O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK;
  if (target.MayCreate) flags |= O_CREAT;
  int handle = ::open(target.Path.c_str(), flags, 0666);
  if (handle < 0) throw EInOutError(errno);
  try {
    FDevice = !IsPlainFile(handle);
    bool empty = !FDevice && mode == TPlainFileMode::Truncate;
    if (empty && ::ftruncate(handle, 0) != 0) throw EInOutError(errno);
    // A busy printer is waited for, as writing to a port always did.
    SetStatusFlags(handle, O_NONBLOCK, !FDevice && mode == TPlainFileMode::Append ? O_APPEND : 0);
  } catch (...) {
    ::close(handle);
    throw;
  }
  FHandle = handle;
  FPending.clear();
}

void TPortFile::Write(const std::string& text) {
  if (FHandle < 0) throw EInOutError(EBADF);
  if (FDevice)
    WriteAll(FHandle, text);
  else
    FPending += text;
}

void TPortFile::Close() {
  if (FHandle < 0) throw EInOutError(EBADF);
  int handle = FHandle;
  FHandle = -1;
  int error = 0;
  try {
    WriteAll(handle, FPending);
  } catch (const EInOutError& e) {
    error = e.OSError();
  }
  FPending.clear();
  if (::close(handle) != 0 && error == 0) error = errno;
  if (error != 0) throw EInOutError(error);
}

}  // namespace platform
