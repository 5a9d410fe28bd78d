#include "reports/printeroutput.h"

#include <cups/cups.h>
#include <unistd.h>

#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "base/ioerror.h"
#include "graphics/qt/qtcanvas.h"
#include "reports/job.h"
#include "reports/position.h"

namespace reports {
namespace {

constexpr double kTenthsPerPoint = TenthsMMPerInch / 72;

// The job's paper as Qt knows it; the system codes are Windows paper codes.
QPageSize RequestedPage(const TRepPrinterSettings& settings) {
  if (settings.PaperSize == Custom)
    return QPageSize(QSizeF(settings.CustomWidth / TenthsMMPerMM, settings.CustomLength / TenthsMMPerMM),
                     QPageSize::Millimeter);
  return QPageSize(QPageSize::id(PaperRow(settings.PaperSize).SystemCode));
}

// The document file the pages are drawn into before they go to the queue.
std::string NewDocumentFile() {
  std::string pattern = (std::filesystem::temp_directory_path() / "LRPprint-XXXXXX").string();
  int fd = mkstemp(pattern.data());
  if (fd < 0) throw platform::EInOutError(errno);
  close(fd);
  return pattern;
}

}  // namespace

bool AnyPrinterInstalled() { return !QPrinterInfo::availablePrinters().isEmpty(); }

QPrinterInfo FindPrinter(int index) {
  const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
  if (index >= printers.size()) throw std::out_of_range("Printer index out of range");
  if (index >= 0) return printers[index];
  const QPrinterInfo standard = QPrinterInfo::defaultPrinter();
  if (standard.isNull() && printers.size() == 1) return printers.front();
  return standard;
}

QPrinterInfo ChosenPrinter(int index) {
  QPrinterInfo printer = FindPrinter(index);
  if (printer.isNull()) throw std::runtime_error(kNoDefaultPrinterText);
  return printer;
}

QPageSize PaperOnPrinter(const QPrinterInfo& printer, const TRepPrinterSettings& settings) {
  if (settings.PaperSize != Default) {
    if (std::optional<QPageSize> listed = ListedPage(printer, RequestedPage(settings))) return *listed;
  }
  return printer.defaultPageSize();
}

std::optional<QPageSize> ListedPage(const QPrinterInfo& printer, const QPageSize& page) {
  for (const QPageSize& supported : printer.supportedPageSizes())
    if (supported.isEquivalentTo(page)) return supported;
  return std::nullopt;
}

TPrinterOutput::TPrinterOutput() = default;

TPrinterOutput::~TPrinterOutput() { Abort(); }

void TPrinterOutput::ApplySettings(TRepJob& job) {
  const TRepPrinterSettings& settings = job.Printer;
  const QPrinterInfo info = ChosenPrinter(settings.PrinterIndex);
  FQueue = info.printerName().toStdString();
  // The printer's own resolution, as Qt reads it from the queue.
  QPrinter printer(info, QPrinter::HighResolution);
  const QPageSize paper = PaperOnPrinter(info, settings);
  FMedia = paper.key().toStdString();
  const int resolution = settings.Resolution > 0 ? settings.Resolution : printer.resolution();
  // The queue's own printer reports the printable margins of the paper it is given.
  printer.setPageSize(paper);
  printer.setPageOrientation(settings.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  // Qt keeps margins of its own (10 points) above the printer's; the printable area is
  // what the printer's minimum margins leave.
  QPageLayout layout = printer.pageLayout();
  layout.setMargins(layout.minimumMargins());
  const QRect printable = layout.paintRectPixels(resolution);
  FPrintable = platform::TRect{printable.left(), printable.top(), printable.right() + 1, printable.bottom() + 1};

  FDocument = NewDocumentFile();
  FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  FPrinter->setOutputFormat(QPrinter::PdfFormat);
  FPrinter->setOutputFileName(QString::fromStdString(FDocument));
  FPrinter->setResolution(resolution);
  // Draw from the paper's corner; Qt's margins do not follow the queue's imageable area.
  FPrinter->setFullPage(true);
  FPrinter->setPageSize(paper);
  FPrinter->setPageOrientation(settings.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  FCopies = settings.Copies > 1 && printer.supportsMultipleCopies() ? settings.Copies : 1;
  FDuplex = settings.Duplex && info.supportedDuplexModes().contains(QPrinter::DuplexLongSide);
  // First and last page 0 and 0 print every page.
  if (settings.FirstPage > 0 || settings.LastPage > 0) {
    const int first = std::max(settings.FirstPage, 1);
    FPageRange = std::to_string(first) + "-" + (settings.LastPage >= first ? std::to_string(settings.LastPage) : "");
  }
  // The output bin is left to the queue: Qt Print Support offers no bin choice on CUPS.
  FTitle = job.Title;
  FPrinter->setDocName(QString::fromStdString(job.Title));
}

TRepPaper TPrinterOutput::BeginDoc(TRepJob& job) {
  ApplySettings(job);
  FPainter = std::make_unique<QPainter>();
  if (!FPainter->begin(FPrinter.get())) {
    FPainter.reset();
    RemoveDocument();
    throw std::runtime_error("Printer selected is not valid");
  }
  FCanvas = std::make_unique<platform::TQtCanvas>(*FPainter);
  const QSizeF paper = FPrinter->pageLayout().fullRectPoints().size();
  return TRepPaper{paper.width() * kTenthsPerPoint, paper.height() * kTenthsPerPoint};
}

platform::TCanvas& TPrinterOutput::StartPage() {
  if (FPages++ > 0) FPrinter->newPage();
  return *FCanvas;
}

void TPrinterOutput::EndPage() {}

void TPrinterOutput::EndDoc() {
  FCanvas.reset();
  const bool written = FPainter->end();
  FPainter.reset();
  FPrinter.reset();
  if (!written) {
    RemoveDocument();
    throw std::runtime_error("The printer's document could not be written");
  }
  Submit();
}

void TPrinterOutput::Submit() {
  cups_option_t* options = nullptr;
  int count = 0;
  if (!FMedia.empty()) count = cupsAddOption("media", FMedia.c_str(), count, &options);
  if (FCopies > 1) count = cupsAddOption("copies", std::to_string(FCopies).c_str(), count, &options);
  if (!FPageRange.empty()) count = cupsAddOption("page-ranges", FPageRange.c_str(), count, &options);
  count = cupsAddOption("sides", FDuplex ? "two-sided-long-edge" : "one-sided", count, &options);
  const int id = cupsPrintFile2(CUPS_HTTP_DEFAULT, FQueue.c_str(), FDocument.c_str(), FTitle.c_str(), count, options);
  cupsFreeOptions(count, options);
  RemoveDocument();
  if (id == 0) throw std::runtime_error("Printer error: " + std::string(cupsLastErrorString()));
}

// Ends the painter without spooling anything and removes the pages drawn so far.
void TPrinterOutput::Abort() noexcept {
  FCanvas.reset();
  if (FPainter && FPainter->isActive()) FPainter->end();
  FPainter.reset();
  FPrinter.reset();
  RemoveDocument();
}

void TPrinterOutput::RemoveDocument() noexcept {
  if (FDocument.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(FDocument, ignored);
  FDocument.clear();
}

TDeviceMapping TPrinterOutput::Mapping() const {
  // The painter starts at the paper's corner, so the unprintable offsets are 0.
  return TDeviceMapping{FPrinter->resolution(), FPrinter->resolution(), 0, 0};
}

}  // namespace reports
