// Costs of the item master window on 100,000 items, on either store (argument server:
// 0 table files, 1 the private PostgreSQL server over loopback TCP): opening and
// showing it, leaving the barcode box on an existing and on a new barcode (anywhere,
// and near the first, middle and last rows), the grid painting the rows of a random
// scroll position, the lookup dialog's search at each keystroke, and a change posted
// at another counter until the open window's grid shows it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <random>
#include <vector>

#include "base/datadir.h"
#include "base/messages.h"
#include "items/windows/frminput.h"
#include "support/filledtable.h"

namespace {

constexpr int kRows = 100000;
const std::vector<std::int64_t> kStores = {0, 1};

using benchsupport::StoreArg;
using benchsupport::TStore;

// Makes the filled table of the store the windows' data directory; messages counted,
// not shown. False (the benchmark skipped) when the store cannot be had.
bool ItemsDirectory(benchmark::State& state, TStore store) {
  static int messages = 0;
  if (benchsupport::SkipWithoutStore(state, store)) return false;
  platform::SetDataDirectory(benchsupport::FilledTable(kRows, store).Dir.Path());
  platform::SetMessageHandler([](const std::string&) { ++messages; });
  return true;
}

void Settle() { QApplication::processEvents(); }

void CloseWindow(items::Tfrminput* window) {
  window->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_OpenAndShowItemWindow(benchmark::State& state) {
  if (!ItemsDirectory(state, StoreArg(state, 0))) return;
  for (auto _ : state) {
    items::Tfrminput* window = items::OpenItemMaster(nullptr);
    Settle();
    benchmark::DoNotOptimize(window->grab());
    state.PauseTiming();
    CloseWindow(window);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenAndShowItemWindow)
    ->ArgsProduct({kStores})
    ->ArgNames({"server"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_LeaveBarcodeBox(benchmark::State& state) {
  const bool existing = state.range(0) == 1;
  if (!ItemsDirectory(state, StoreArg(state, 1))) return;
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
BENCHMARK(BM_LeaveBarcodeBox)
    ->ArgsProduct({{1, 0}, kStores})
    ->ArgNames({"existing", "server"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Existing barcodes among the 256 rows at the start, the middle or the end of the
// order, each a different row from the one before.
void BM_LeaveBarcodeBoxNear(benchmark::State& state) {
  constexpr int kBand = 256;
  const int start = static_cast<int>(state.range(0)) * (kRows - kBand) / 2;
  if (!ItemsDirectory(state, StoreArg(state, 1))) return;
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
BENCHMARK(BM_LeaveBarcodeBoxNear)
    ->ArgsProduct({{0, 1, 2}, kStores})
    ->ArgNames({"place", "server"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_GridAtRandomScrollPosition(benchmark::State& state) {
  if (!ItemsDirectory(state, StoreArg(state, 0))) return;
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
BENCHMARK(BM_GridAtRandomScrollPosition)
    ->ArgsProduct({kStores})
    ->ArgNames({"server"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_LookupSearchKeystroke(benchmark::State& state) {
  if (!ItemsDirectory(state, StoreArg(state, 0))) return;
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
BENCHMARK(BM_LookupSearchKeystroke)
    ->ArgsProduct({kStores})
    ->ArgNames({"server"})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The text the window's grid shows for a field of a row.
QString GridText(items::Tfrminput* window, int row, const char* field) {
  auto& model = window->DBGrid1->Model();
  for (int column = 0; column < model.columnCount(); ++column) {
    if (QString::fromStdString(model.Columns()[column].FieldName).compare(field, Qt::CaseInsensitive) == 0) {
      return model.data(model.index(row, column), Qt::DisplayRole).toString();
    }
  }
  return {};
}

// Another counter (a cursor with a connection of its own) renames an item that the open
// window's grid shows, not its current row; timed from the post until the grid shows
// the new name, the window's event loop running as the program's does. Each post comes
// right after the window's last look, so this is the longest wait its timer allows.
void BM_ChangeShownAtOtherCounter(benchmark::State& state) {
  constexpr int kShownRow = 3;
  constexpr qint64 kGiveUpMilliseconds = 10000;
  const TStore store = StoreArg(state, 0);
  if (!ItemsDirectory(state, store)) return;
  items::Tfrminput* window = items::OpenItemMaster(nullptr);
  Settle();
  auto counter = benchsupport::FilledTable(kRows, store).Open();
  int changes = 0;
  for (auto _ : state) {
    const QString name = QString("Renamed at the other counter %1").arg(++changes);
    if (!counter->FindKey({benchsupport::Barcode(kShownRow)})) state.SkipWithError("key not found");
    QElapsedTimer waited;
    waited.start();
    counter->Edit();
    counter->FieldByName("FName").SetAsString(name.toStdString());
    counter->Post();
    while (GridText(window, kShownRow, "FName") != name) {
      if (waited.elapsed() > kGiveUpMilliseconds) {
        state.SkipWithError("the window did not show the change");
        break;
      }
      QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
  }
  CloseWindow(window);
}
BENCHMARK(BM_ChangeShownAtOtherCounter)
    ->ArgsProduct({kStores})
    ->ArgNames({"server"})
    ->Iterations(8)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
