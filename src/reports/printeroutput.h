// Pages drawn straight onto a printer through Qt Print Support, at the printer's own
// resolution, with the painter's origin at the paper's corner: so positions measured
// from the paper's corner land there whatever unprintable margins the driver has.
#pragma once

#include <memory>

#include "reports/output.h"

class QPrinter;
class QPainter;

namespace platform {
class TQtCanvas;
}

namespace reports {

// True when the printing system lists at least one printer.
bool AnyPrinterInstalled();

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

  // The printer of the run, for tests that look at its settings.
  QPrinter* Printer() const { return FPrinter.get(); }

 private:
  void ApplySettings(TRepJob& job);
  std::unique_ptr<QPrinter> FPrinter;
  std::unique_ptr<QPainter> FPainter;
  std::unique_ptr<platform::TQtCanvas> FCanvas;
  int FPages = 0;
};

}  // namespace reports
