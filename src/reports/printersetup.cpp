#include "reports/printersetup.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "base/messages.h"
#include "reports/labelreport.h"
#include "reports/printeroutput.h"

namespace reports {
namespace {

QPrinterInfo PrinterOfIndex(int index) {
  const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
  if (index >= 0 && index < printers.size()) return printers[index];
  return QPrinterInfo::defaultPrinter();
}

int IndexOfPrinter(const QString& name, int fallback) {
  const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
  for (int i = 0; i < printers.size(); ++i)
    if (printers[i].printerName() == name) return i;
  return fallback;
}

}  // namespace

TPrintDialogRange PrintDialogRange(const TRepJob& job) {
  if (!job.Complete) return {0, UnknownPageCountMax, 0, 0};
  const int pages = job.PageStore().PageCount();
  return {1, pages, 1, pages};
}

void SetUpDialogPrinter(QPrinter& printer, const TRepPrinterSettings& settings) {
  const QPrinterInfo info = PrinterOfIndex(settings.PrinterIndex);
  if (!info.isNull()) printer.setPrinterName(info.printerName());
  printer.setPageOrientation(settings.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setCopyCount(settings.Copies);
}

void KeepDialogChoice(const QPrinter& printer, TRepPrinterSettings& settings) {
  settings.Copies = printer.copyCount();
  settings.PrinterIndex = IndexOfPrinter(printer.printerName(), settings.PrinterIndex);
  settings.Orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
  if (printer.printRange() == QPrinter::PageRange) {
    settings.FirstPage = printer.fromPage();
    settings.LastPage = printer.toPage();
  } else {
    settings.FirstPage = 0;
    settings.LastPage = 0;
  }
}

void RunPrinterSetup(TLabelReport& report, const TRepJob& job, QWidget* parent) {
  // The system's dialog would open on no printer at all without a word.
  if (!AnyPrinterInstalled()) {
    platform::ShowMessage(kNoPrinterInstalledText);
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  SetUpDialogPrinter(printer, report.Printer);
  QPrintDialog dialog(&printer, parent);
  dialog.setObjectName("PrinterSetupDialog");
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
  const TPrintDialogRange range = PrintDialogRange(job);
  dialog.setMinMax(range.Min, range.Max);
  if (range.From > 0) printer.setFromTo(range.From, range.To);
  if (dialog.exec() != QDialog::Accepted) return;
  KeepDialogChoice(printer, report.Printer);
}

}  // namespace reports
