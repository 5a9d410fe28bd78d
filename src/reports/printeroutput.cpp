#include "reports/printeroutput.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <stdexcept>

#include "graphics/qt/qtcanvas.h"
#include "reports/job.h"

namespace reports {
namespace {

constexpr double kTenthsPerMM = 10;

QPrinterInfo ChosenPrinter(int index) {
  if (index < 0) return QPrinterInfo::defaultPrinter();
  const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
  if (index >= printers.size()) throw std::out_of_range("Printer index out of range");
  return printers[index];
}

// The job's paper as Qt knows it; the system codes are Windows paper codes.
QPageSize RequestedPage(const TRepPrinterSettings& settings) {
  if (settings.PaperSize == Custom)
    return QPageSize(QSizeF(settings.CustomWidth / kTenthsPerMM, settings.CustomLength / kTenthsPerMM),
                     QPageSize::Millimeter);
  return QPageSize(QPageSize::id(PaperRow(settings.PaperSize).SystemCode));
}

bool Lists(const QPrinterInfo& info, const QPageSize& page) {
  for (const QPageSize& supported : info.supportedPageSizes())
    if (supported.isEquivalentTo(page)) return true;
  return info.supportsCustomPageSizes() && page.id() == QPageSize::Custom;
}

}  // namespace

bool AnyPrinterInstalled() { return !QPrinterInfo::availablePrinters().isEmpty(); }

TPrinterOutput::TPrinterOutput() = default;

TPrinterOutput::~TPrinterOutput() { Abort(); }

void TPrinterOutput::ApplySettings(TRepJob& job) {
  const TRepPrinterSettings& settings = job.Printer;
  const QPrinterInfo info = ChosenPrinter(settings.PrinterIndex);
  FPrinter = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  if (settings.Resolution > 0) FPrinter->setResolution(settings.Resolution);
  // Draw from the paper's corner; Qt's margins do not follow the queue's imageable area.
  FPrinter->setFullPage(true);
  if (settings.PaperSize != Default) {
    const QPageSize page = RequestedPage(settings);
    if (Lists(info, page)) FPrinter->setPageSize(page);
  }
  FPrinter->setPageOrientation(settings.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  if (settings.Copies > 1 && FPrinter->supportsMultipleCopies()) FPrinter->setCopyCount(settings.Copies);
  if (settings.Duplex && info.supportedDuplexModes().contains(QPrinter::DuplexAuto))
    FPrinter->setDuplex(QPrinter::DuplexAuto);
  // The output bin is left to the queue: Qt Print Support offers no bin choice on CUPS.
  FPrinter->setDocName(QString::fromStdString(job.Title));
}

TRepPaper TPrinterOutput::BeginDoc(TRepJob& job) {
  ApplySettings(job);
  FPainter = std::make_unique<QPainter>();
  if (!FPainter->begin(FPrinter.get())) {
    FPainter.reset();
    throw std::runtime_error("Printer selected is not valid");
  }
  FCanvas = std::make_unique<platform::TQtCanvas>(*FPainter);
  const QSizeF paper = FPrinter->pageLayout().fullRectPoints().size();
  constexpr double kTenthsPerPoint = 254.0 / 72.0;
  return TRepPaper{paper.width() * kTenthsPerPoint, paper.height() * kTenthsPerPoint};
}

platform::TCanvas& TPrinterOutput::StartPage() {
  if (FPages++ > 0) FPrinter->newPage();
  return *FCanvas;
}

void TPrinterOutput::EndPage() {}

void TPrinterOutput::EndDoc() {
  FCanvas.reset();
  if (FPainter && !FPainter->end()) {
    FPainter.reset();
    throw std::runtime_error("The printer did not take the document");
  }
  FPainter.reset();
  FPrinter.reset();
}

void TPrinterOutput::Abort() noexcept {
  FCanvas.reset();
  if (FPrinter && FPainter && FPainter->isActive()) {
    FPrinter->abort();
    FPainter->end();
  }
  FPainter.reset();
  FPrinter.reset();
}

// The painter starts at the paper's corner, so the unprintable offsets are 0.
TDeviceMapping TPrinterOutput::Mapping() const {
  return TDeviceMapping{FPrinter->resolution(), FPrinter->resolution(), 0, 0};
}

}  // namespace reports
