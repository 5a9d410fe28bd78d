#include "reports/storeoutput.h"

#include "base/intmath.h"
#include "base/screen.h"
#include "graphics/qt/bitmapexport.h"
#include "graphics/qt/qtcanvas.h"
#include "metafile/metafilecanvas.h"
#include "reports/job.h"
#include "reports/position.h"

namespace reports {
namespace {

// Without a printer the paper is the report's own; Default falls back to A4.
TRepPaper JobPaper(const TRepPrinterSettings& settings) {
  if (settings.PaperSize == Custom) return TRepPaper{settings.CustomWidth, settings.CustomLength};
  return OrientedPaper(PaperRow(settings.PaperSize == Default ? A4 : settings.PaperSize), settings.Orientation);
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
