// One job on one port, written line by line: each line is one Open, Write and Close.
// A device gets each line at once and a plain file holds the whole job (the first
// line empties it, the others append). A network printer or CUPS queue collects the
// lines and receives the job as one piece at the Close of its last line, so it never
// gets half a label.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "ports/destination.h"
#include "ports/portfile.h"

namespace platform {

class TPortJob {
 public:
  // Starts a job of lineCount lines under a title (the CUPS job's name). Lines written
  // without a job each count as a job of their own.
  void Begin(const std::string& title, size_t lineCount);
  void Open(const TPortTarget& target);
  void Write(const std::string& text);
  void Close();

  // A batch: several jobs in a row on one port. A network printer or CUPS queue collects
  // every job and receives them at EndBatch as one piece (one connection, one CUPS job
  // under the title), so it takes the batch whole or not at all. A device or plain file
  // gets each job as it comes; the first line of the batch empties a plain file unless
  // the batch continues one that stopped.
  void BeginBatch(const std::string& title, bool continuing);
  void EndBatch();
  // Ends a batch without sending what a network printer or CUPS queue would still get.
  void CancelBatch();
  bool InBatch() const { return FInBatch; }
  // True once a line went to a network printer or CUPS queue: the port takes jobs whole.
  bool Collects() const { return FDestination.has_value(); }

 private:
  void SendCollected();

  TPortFile FFile;
  std::optional<TDestination> FDestination;
  std::string FTitle;
  std::string FCollected;
  size_t FLinesLeft = 0;
  bool FFirstLine = true;
  bool FInBatch = false;
};

}  // namespace platform
