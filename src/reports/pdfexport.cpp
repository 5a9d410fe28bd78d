#include "reports/pdfexport.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <stdexcept>

#include "graphics/qt/bitmapexport.h"
#include "graphics/qt/qtcanvas.h"
#include "reports/position.h"

namespace reports {
namespace {

constexpr int kPdfDotsPerInch = 1200;  // the PDF's drawing grid, finer than any printer's
constexpr double kHundredthsMMPerMM = 100;
constexpr double kMMPerInch = TenthsMMPerInch / TenthsMMPerMM;
// A page drawn for the job's paper holds it in whole screen pixels: within a pixel of it.
constexpr double kSamePaperMM = 1;

// The job's paper when the page was drawn for it, else the page picture's own size (a
// loaded file whose paper was not recognised).
QSizeF PaperMM(const TRepJob& job, const platform::TMetafile& page) {
  const QSizeF picture(page.MMWidth() / kHundredthsMMPerMM, page.MMHeight() / kHundredthsMMPerMM);
  const QSizeF paper(job.PaperWidth / TenthsMMPerMM, job.PaperLength / TenthsMMPerMM);
  const bool drawnForPaper = std::abs(paper.width() - picture.width()) < kSamePaperMM &&
                             std::abs(paper.height() - picture.height()) < kSamePaperMM;
  return drawnForPaper ? paper : picture;
}

// A page size is orientation-free: a wide sheet is a turned tall one.
QPageLayout LayoutOf(const QSizeF& paperMM) {
  const bool wide = paperMM.width() > paperMM.height();
  const QSizeF upright = wide ? paperMM.transposed() : paperMM;
  return QPageLayout(QPageSize(upright, QPageSize::Millimeter), wide ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF());
}

int32_t Dots(int32_t hundredthsMM) {
  return int32_t(std::lround(hundredthsMM / kHundredthsMMPerMM / kMMPerInch * kPdfDotsPerInch));
}

}  // namespace

void SavePagesAsPdf(const TRepJob& job, const QString& fileName) {
  const TPageStore& store = job.PageStore();
  if (store.PageCount() == 0) throw std::runtime_error("The report has no pages to save");
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfDotsPerInch);
    writer.setTitle(platform::AnsiToQString(job.Title));
    QPainter painter;
    for (int n = 1; n <= store.PageCount(); ++n) {
      const platform::TMetafile page = store.Page(n);
      writer.setPageLayout(LayoutOf(PaperMM(job, page)));  // for the page begun next
      if (n == 1 ? !painter.begin(&writer) : !writer.newPage())
        throw std::runtime_error("Cannot write the PDF document");
      platform::TQtCanvas canvas(painter);
      page.Play(canvas, platform::TRect{0, 0, Dots(page.MMWidth()), Dots(page.MMHeight())});
    }
    if (!painter.end()) throw std::runtime_error("Cannot write the PDF document");
  }
  platform::WriteExportFile(fileName, bytes);
}

}  // namespace reports
