// Labels for many items at once: one label job per item, each with the item's own
// quantity, in the given order, through the same job lines, escaping and refusals as
// the Print button. Every job is composed before the first is sent, so a refused value
// stops the batch with nothing sent. A network printer or CUPS queue receives the batch
// whole at its end; a device or plain file gets job after job, so a failure stops at an
// item and the batch can go on from there without sending anything twice.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "items/labeljob.h"
#include "tables/tables.h"

namespace items {

// A batch stopped at an item, or a destination that took none of it.
class EBatchError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TBatchOptions {
  bool Wait = true;              // the Print button's wait, once before the first job
  bool SkipZeroQuantity = true;  // an item of quantity 0 (or none) is skipped and counted
};

class TLabelBatch {
 public:
  // Raises ELabelValue naming the item when one of the jobs refuses a value.
  TLabelBatch(TLabelJob& job, std::vector<TLabelValues> items, TBatchOptions options = {});

  size_t ItemCount() const { return FItems.size(); }
  // The items done so far (sent or skipped): the next one is number Position() + 1.
  size_t Position() const { return FNext; }
  bool Finished() const { return FNext == FItems.size() && !FOpen; }
  const TLabelValues& Item(size_t index) const { return FItems[index]; }

  // Before the first job: a tenth of a second of the Print button's wait, for a window
  // that answers between the tenths. False once none of it is left.
  bool WaitSlice();
  // Sends the next item's job (a skipped item only counts), after what is left of the wait. A failure raises EBatchError
  // naming the item; calling again goes on at that item (for a plain file, appending).
  void SendNext();
  // Sends all that is left.
  void SendAll();
  // Stops between items: what a device or file got stays, a collecting destination gets nothing.
  void Cancel();

  // "Labels for 118 of 120 items sent, 2 skipped (quantity 0)"
  std::string Summary() const;

 private:
  void Start();
  void Finish();
  bool Skips(const TLabelValues& item) const;

  TLabelJob& FJob;
  std::vector<TLabelValues> FItems;
  TBatchOptions FOptions;
  size_t FNext = 0;
  size_t FSent = 0;
  size_t FSkipped = 0;
  bool FOpen = false;    // the port job's batch is begun
  int FWaitSlicesLeft;
};

// The label values of the rows with these bookmarks, read with the cursor (which moves).
std::vector<TLabelValues> ReadLabelItems(tables::TTable& items, const std::vector<tables::TTable::TBookmark>& rows,
                                         char decimalSeparator);
// The label values of the item with this barcode; EBatchError when there is none.
TLabelValues FindLabelItem(tables::TTable& items, const std::string& barcode, char decimalSeparator);

}  // namespace items
