// Pages drawn straight onto a printer's painter (Qt Print Support) at the printer's own
// resolution, with the painter's origin at the paper's corner: positions measured from
// the paper's corner land there whatever unprintable margins the driver has. The
// document is handed to the printer's CUPS queue only when it is complete; a document
// that fails half-way is dropped and never reaches the spooler.
#pragma once

#include <QPageSize>
#include <QPrinterInfo>
#include <memory>
#include <optional>
#include <string>

#include "reports/job.h"
#include "reports/output.h"

class QPrinter;
class QPainter;

namespace platform {
class TQtCanvas;
}

namespace reports {

// True when the printing system lists at least one printer.
bool AnyPrinterInstalled();
inline constexpr const char* kNoDefaultPrinterText = "No default printer is set";

// The printer of a job's settings: its index in the system's list, -1 the default one
// (the only printer when there is one and none is marked default). Null when there is
// no printer or several and none of them default.
QPrinterInfo FindPrinter(int index);
// As FindPrinter, but a missing printer is an error ("No default printer is set").
QPrinterInfo ChosenPrinter(int index);
// The printer's own entry for the paper, when it lists one.
std::optional<QPageSize> ListedPage(const QPrinterInfo& printer, const QPageSize& page);
// The paper a job gets on the printer: the report's when the printer lists it, else the
// printer's own.
QPageSize PaperOnPrinter(const QPrinterInfo& printer, const TRepPrinterSettings& settings);

class TPrinterOutput : public TRepOutput {
 public:
  TPrinterOutput();
  ~TPrinterOutput() override;

  TRepPaper BeginDoc(TRepJob& job) override;
  platform::TCanvas& StartPage() override;
  void EndPage() override;
  void EndDoc() override;
  void Abort() noexcept override;
  TDeviceMapping Mapping() const override;
  // The queue's printable area on the document's paper, in device pixels from the
  // paper's corner (known once the document has begun).
  platform::TRect PrintableArea() const { return FPrintable; }

 private:
  void ApplySettings(TRepJob& job);
  void Submit();
  void RemoveDocument() noexcept;

  std::unique_ptr<QPrinter> FPrinter;
  std::unique_ptr<QPainter> FPainter;
  std::unique_ptr<platform::TQtCanvas> FCanvas;
  std::string FQueue;
  std::string FMedia;  // the queue's name of the paper, empty to keep the queue's own
  std::string FTitle;
  int FCopies = 1;
  bool FDuplex = false;
  std::string FPageRange;  // "first-last" for CUPS; empty: all pages
  std::string FDocument;  // the finished pages waiting to be spooled
  int FPages = 0;
  platform::TRect FPrintable;
};

}  // namespace reports
