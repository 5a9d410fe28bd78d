// Costs of the item master window on 100,000 items: opening and showing it, leaving
// the barcode box on an existing and on a new barcode (anywhere, and near the first,
// middle and last rows), the grid painting the rows of a random scroll position, and
// the lookup dialog's search at each keystroke.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <random>

#include "base/datadir.h"
#include "base/messages.h"
#include "items/windows/frminput.h"
#include "support/filledtable.h"

namespace {

constexpr int kRows = 100000;

// The data directory of the filled table, for the windows; messages counted, not shown.
struct TItemsDirectory {
  TItemsDirectory() {
    const auto& filled = benchsupport::FilledTable(kRows);
    platform::SetDataDirectory(filled.Dir.Path());
    platform::SetMessageHandler([this](const std::string&) { ++Messages; });
  }
  int Messages = 0;
};

TItemsDirectory& ItemsDirectory() {
  static TItemsDirectory directory;
  return directory;
}

void Settle() { QApplication::processEvents(); }

void CloseWindow(items::Tfrminput* window) {
  window->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_OpenAndShowItemWindow(benchmark::State& state) {
  ItemsDirectory();
  for (auto _ : state) {
    items::Tfrminput* window = items::OpenItemMaster(nullptr);
    Settle();
    benchmark::DoNotOptimize(window->grab());
    state.PauseTiming();
    CloseWindow(window);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenAndShowItemWindow)->Unit(benchmark::kMillisecond);

void BM_LeaveBarcodeBox(benchmark::State& state) {
  const bool existing = state.range(0) == 1;
  ItemsDirectory();
  items::Tfrminput* window = items::OpenItemMaster(nullptr);
  Settle();
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(0, kRows - 1);
  for (auto _ : state) {
    window->mcode->setText(QString::fromStdString(existing ? benchsupport::Barcode(pick(random)) : "2000000000008"));
    window->mcodeExit();
    if (!existing) {
      state.PauseTiming();
      window->BitBtn2Click();  // the new row is dropped again
      state.ResumeTiming();
    }
  }
  CloseWindow(window);
}
BENCHMARK(BM_LeaveBarcodeBox)->Arg(1)->Arg(0)->ArgNames({"existing"})->Unit(benchmark::kMillisecond);

// Existing barcodes among the 256 rows at the start, the middle or the end of the
// order, each a different row from the one before.
void BM_LeaveBarcodeBoxNear(benchmark::State& state) {
  constexpr int kBand = 256;
  const int start = static_cast<int>(state.range(0)) * (kRows - kBand) / 2;
  ItemsDirectory();
  items::Tfrminput* window = items::OpenItemMaster(nullptr);
  Settle();
  int step = 0;
  for (auto _ : state) {
    step = (step + 97) % kBand;  // 97 and 256 are coprime: every row of the band in turn
    window->mcode->setText(QString::fromStdString(benchsupport::Barcode(start + step)));
    window->mcodeExit();
  }
  CloseWindow(window);
}
BENCHMARK(BM_LeaveBarcodeBoxNear)->Arg(0)->Arg(1)->Arg(2)->ArgNames({"place"})->Unit(benchmark::kMillisecond);

void BM_GridAtRandomScrollPosition(benchmark::State& state) {
  ItemsDirectory();
  items::Tfrminput* window = items::OpenItemMaster(nullptr);
  Settle();
  QScrollBar* bar = window->DBGrid1->verticalScrollBar();
  std::mt19937 random(11);
  std::uniform_int_distribution<int> pick(0, bar->maximum());
  for (auto _ : state) {
    bar->setValue(pick(random));
    benchmark::DoNotOptimize(window->DBGrid1->viewport()->grab());
  }
  CloseWindow(window);
}
BENCHMARK(BM_GridAtRandomScrollPosition)->Unit(benchmark::kMillisecond);

void BM_LookupSearchKeystroke(benchmark::State& state) {
  ItemsDirectory();
  items::Tfrminput* window = items::OpenItemMaster(nullptr);
  Settle();
  window->mcode->DropDown();
  controls::TLookupDialog* dialog = window->mcode->Dialog();
  // Search by barcode: the filled items have no item codes.
  dialog->SearchField()->setCurrentIndex(0);
  std::mt19937 random(13);
  std::uniform_int_distribution<int> pick(0, kRows - 1);
  for (auto _ : state) {
    const QString prefix = QString::fromStdString(benchsupport::Barcode(pick(random)).substr(0, 7));
    dialog->SearchBox()->setText(prefix);
    emit dialog->SearchBox()->textEdited(prefix);
    benchmark::DoNotOptimize(dialog->Grid()->viewport()->grab());
  }
  dialog->reject();
  CloseWindow(window);
}
BENCHMARK(BM_LookupSearchKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace
