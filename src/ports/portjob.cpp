#include "ports/portjob.h"

#include <cerrno>

#include "base/ioerror.h"
#include "ports/cupsprinter.h"
#include "ports/socketprinter.h"

namespace platform {

void TPortJob::Begin(const std::string& title, size_t lineCount) {
  FTitle = title;
  FLinesLeft = lineCount;
  FFirstLine = true;
  FCollected.clear();
}

void TPortJob::Open(const TPortTarget& target) {
  if (FFile.IsOpen()) throw EInOutError(EBUSY);
  FDestination = target.Destination;
  if (FDestination) {
    if (FFirstLine) FCollected.clear();
  } else {
    FFile.Open(target, FFirstLine ? TPlainFileMode::Truncate : TPlainFileMode::Append);
  }
  FFirstLine = false;
}

void TPortJob::Write(const std::string& text) {
  if (FDestination)
    FCollected += text;
  else
    FFile.Write(text);
}

void TPortJob::Close() {
  bool lastLine = FLinesLeft <= 1;
  if (FLinesLeft > 0) --FLinesLeft;
  if (!FDestination) return FFile.Close();
  if (lastLine) SendCollected();
}

void TPortJob::SendCollected() {
  std::string job;
  job.swap(FCollected);
  if (FDestination->Scheme == TDestinationScheme::Socket)
    SendToSocket(*FDestination, job);
  else
    SendToCups(*FDestination, job, FTitle);
}

}  // namespace platform
