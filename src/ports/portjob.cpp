#include "ports/portjob.h"

#include <cerrno>

#include "base/ioerror.h"
#include "ports/cupsprinter.h"
#include "ports/socketprinter.h"

namespace platform {

void TPortJob::Begin(const std::string& title, size_t lineCount) {
  FLinesLeft = lineCount;
  if (FInBatch) return;
  FTitle = title;
  FFirstLine = true;
  FCollected.clear();
}

void TPortJob::BeginBatch(const std::string& title, bool continuing) {
  FInBatch = true;
  FTitle = title;
  FFirstLine = !continuing;
  FCollected.clear();
  FDestination.reset();
}

void TPortJob::EndBatch() {
  FInBatch = false;
  if (FDestination && !FCollected.empty()) SendCollected();
}

void TPortJob::CancelBatch() {
  FInBatch = false;
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
  if (lastLine && !FInBatch) SendCollected();
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
