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

 private:
  void SendCollected();

  TPortFile FFile;
  std::optional<TDestination> FDestination;
  std::string FTitle;
  std::string FCollected;
  size_t FLinesLeft = 0;
  bool FFirstLine = true;
};

}  // namespace platform
