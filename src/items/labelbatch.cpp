#include "items/labelbatch.h"

#include "items/globvar.h"
#include "items/numbertext.h"
#include "items/shoptables.h"

namespace items {
namespace {

// The Print button's three seconds, in tenths, so a window can answer between them.
constexpr int kPrintWaitSlices = 30;
constexpr double kSlicesPerSecond = 10;

std::string ItemName(const TLabelValues& item) {
  return "item " + item.Barcode + (item.Name.empty() ? "" : " (" + item.Name + ")");
}

}  // namespace

TLabelBatch::TLabelBatch(TLabelJob& job, std::vector<TLabelValues> items, TBatchOptions options)
    : FJob(job), FItems(std::move(items)), FOptions(options), FWaitSlicesLeft(options.Wait ? kPrintWaitSlices : 0) {
  for (const TLabelValues& item : FItems) {
    if (Skips(item)) continue;
    try {
      CurrentLabelJobLines(item, FJob.DecimalSeparator);
    } catch (const ELabelValue& e) {
      throw ELabelValue("The label of " + ItemName(item) + " cannot be printed: " + e.what());
    }
  }
}

bool TLabelBatch::Skips(const TLabelValues& item) const {
  return FOptions.SkipZeroQuantity && ParseFixed(item.Quantity, FJob.DecimalSeparator) == 0;
}

void TLabelBatch::Start() {
  FJob.PortJob().BeginBatch("Labels for " + std::to_string(FItems.size()) + " items", FNext > 0);
  FOpen = true;
}

void TLabelBatch::SendNext() {
  if (Finished()) return;
  if (FWaitSlicesLeft > 0) {
    FJob.Wait(FWaitSlicesLeft / kSlicesPerSecond);
    FWaitSlicesLeft = 0;
  }
  if (!FOpen) Start();
  if (FNext < FItems.size()) {
    const TLabelValues& item = FItems[FNext];
    if (Skips(item)) {
      ++FSkipped;
    } else {
      try {
        FJob.SendJob(item);
      } catch (const std::exception& e) {
        FOpen = false;
        FJob.PortJob().CancelBatch();
        throw EBatchError("The label of " + ItemName(item) + " was not sent: Error " + e.what());
      }
      ++FSent;
    }
    ++FNext;
  }
  if (FNext == FItems.size()) Finish();
}

bool TLabelBatch::WaitSlice() {
  if (FWaitSlicesLeft == 0) return false;
  FJob.Wait(1 / kSlicesPerSecond);
  --FWaitSlicesLeft;
  return true;
}

void TLabelBatch::Finish() {
  FOpen = false;
  try {
    FJob.PortJob().EndBatch();
  } catch (const std::exception& e) {
    // The destination took nothing: the whole batch is still to be sent.
    FNext = FSent = FSkipped = 0;
    throw EBatchError(std::string("The printer accepted none of the labels: Error ") + e.what());
  }
}

void TLabelBatch::SendAll() {
  while (!Finished()) SendNext();
}

void TLabelBatch::Cancel() {
  if (!FOpen) return;
  if (FJob.PortJob().Collects()) FSent = 0;
  FJob.PortJob().CancelBatch();
  FOpen = false;
}

std::string TLabelBatch::Summary() const {
  std::string text = "Labels for " + std::to_string(FSent) + " of " + std::to_string(FItems.size()) + " items sent";
  if (FSkipped > 0) text += ", " + std::to_string(FSkipped) + " skipped (quantity 0)";
  return text;
}

std::vector<TLabelValues> ReadLabelItems(tables::TTable& items, const std::vector<tables::TTable::TBookmark>& rows,
                                         char decimalSeparator) {
  std::vector<TLabelValues> values;
  for (const auto bookmark : rows) {
    items.GotoBookmark(bookmark);
    values.push_back(ReadLabelValues(items, decimalSeparator));
  }
  return values;
}

TLabelValues FindLabelItem(tables::TTable& items, const std::string& barcode, char decimalSeparator) {
  items.SetIndexFieldNames(barmas::FBarcode);
  if (!items.FindKey({barcode})) throw EBatchError("Item " + barcode + " not found");
  return ReadLabelValues(items, decimalSeparator);
}

}  // namespace items
