#include "reports/storeoutput.h"

#include "base/intmath.h"
#include "base/screen.h"
#include "graphics/qt/bitmapexport.h"
#include "graphics/qt/qtcanvas.h"
#include "metafile/metafilecanvas.h"
#include "reports/job.h"
#include "reports/position.h"
#include "reports/printeroutput.h"

namespace reports {
namespace {

// The paper the job would print on: the report's where the chosen printer lists it,
// else that printer's own; A4 without a printer to choose.
TRepPaper JobPaper(const TRepPrinterSettings& settings) {
  const QPrinterInfo printer = FindPrinter(settings.PrinterIndex);
  if (printer.isNull()) return OrientedPaper(PaperRow(A4), settings.Orientation);
  const QSizeF mm = PaperOnPrinter(printer, settings).size(QPageSize::Millimeter);
  const TRepPaper portrait{mm.width() * TenthsMMPerMM, mm.height() * TenthsMMPerMM};
  if (settings.Orientation == poPortrait) return portrait;
  return TRepPaper{portrait.Length, portrait.Width};
}

}  // namespace

TStoreOutput::TStoreOutput() : FDpi(platform::ScreenPixelsPerInch()) {}

TStoreOutput::~TStoreOutput() { Abort(); }

TRepPaper TStoreOutput::BeginDoc(TRepJob& job) {
  FStore = &job.PageStore();
  const TRepPaper paper = JobPaper(job.Printer);
  FWidth = platform::Round(paper.Width * FDpi / TenthsMMPerInch);
  FHeight = platform::Round(paper.Length * FDpi / TenthsMMPerInch);
  FReferenceImage = platform::ScreenBitmap(1, 1, FDpi);
  FReferencePainter = std::make_unique<QPainter>(&FReferenceImage);
  FReference = std::make_unique<platform::TQtCanvas>(*FReferencePainter);
  return paper;
}

platform::TCanvas& TStoreOutput::StartPage() {
  FRecorder = std::make_unique<platform::TMetafileCanvas>(*FReference, FWidth, FHeight, UnitsPerPixel);
  return *FRecorder;
}

void TStoreOutput::EndPage() {
  platform::TMetafile page = FRecorder->Finish();
  FRecorder.reset();
  FStore->AddPage(page);
}

void TStoreOutput::EndDoc() {
  FStore->Finish();
  Abort();
}

// The pages already stored stay; a page being drawn is dropped.
void TStoreOutput::Abort() noexcept {
  FRecorder.reset();
  FReference.reset();
  FReferencePainter.reset();
}

TDeviceMapping TStoreOutput::Mapping() const {
  return TDeviceMapping{FDpi * UnitsPerPixel, FDpi * UnitsPerPixel, 0, 0};
}

}  // namespace reports
