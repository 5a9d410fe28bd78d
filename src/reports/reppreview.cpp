#include "reports/reppreview.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

#include "base/screen.h"
#include "reports/pageimage.h"

namespace reports {

TRepPreview::TRepPreview(QWidget* parent)
    : QAbstractScrollArea(parent), FImage(new TRepPageImage(viewport())), FDpi(platform::ScreenPixelsPerInch()) {
  setObjectName("RepPreview");
  horizontalScrollBar()->setTracking(true);
  verticalScrollBar()->setTracking(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setBackgroundRole(QPalette::Dark);
  viewport()->setAutoFillBackground(true);
}

TRepPreview::~TRepPreview() { Detach(); }

void TRepPreview::Attach(TRepJob& job) {
  Detach();
  FJob = &job;
  job.PageStore().OnPageAvailable = [this](int pages) { PageAvailable(pages); };
  job.OnProgress = [this](int percent) {
    if (OnProgressUpdate) OnProgressUpdate(percent);
  };
  if (job.PageStore().PageAvailable(FPageNumber)) LoadPage(FPageNumber);
}

void TRepPreview::Detach() {
  if (!FJob) return;
  FJob->PageStore().OnPageAvailable = nullptr;
  FJob->OnProgress = nullptr;
  FJob = nullptr;
}

TPaperTenths TRepPreview::Paper() const {
  if (!FJob) return {};
  return {FJob->PaperWidth, FJob->PaperLength};
}

TPixelSize TRepPreview::OuterSize() const { return {width(), height()}; }

void TRepPreview::PageAvailable(int pagesFinished) {
  if (FJob && pagesFinished == FPageNumber && !FImage->HasPage() && FJob->PageStore().PageAvailable(FPageNumber)) {
    ZoomToWidth();
    LoadPage(FPageNumber);
  }
  if (OnPageAvailable) OnPageAvailable(pagesFinished);
}

void TRepPreview::LoadPage(int n) {
  if (FJob && FJob->PageStore().PageAvailable(n))
    FImage->SetPage(FJob->PageStore().Page(n));
  else
    FImage->SetPage(std::nullopt);
}

void TRepPreview::SetZoom(int zoom) {
  if (!ZoomAllowed(zoom)) return;
  FZoom = zoom;
  FMode = zmFixed;
  Layout();
}

void TRepPreview::ZoomToFit() {
  SetZoom(FitZoom(OuterSize(), Paper(), FDpi));
  FMode = zmFit;
}

void TRepPreview::ZoomToWidth() {
  SetZoom(WidthZoom(OuterSize(), Paper(), FDpi));
  Layout();
  FMode = zmWidth;
}

void TRepPreview::GoToPage(int n) {
  if (n <= 0 || !FJob || n > FJob->PagesStarted) return;
  if (n == FPageNumber && FImage->HasPage()) return;
  LoadPage(n);
  FPageNumber = n;
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
}

void TRepPreview::ReloadPage() { LoadPage(FPageNumber); }

void TRepPreview::Layout() {
  FPlace = LayoutPageImage(OuterSize(), Paper(), FZoom, FDpi);
  const QSize view = viewport()->size();
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setPageStep(view.height());
  horizontalScrollBar()->setRange(0, std::max(0, FPlace.Left + FPlace.Width - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, FPlace.Top + FPlace.Height - view.height()));
  horizontalScrollBar()->setValue(0);
  verticalScrollBar()->setValue(0);
  PlaceImage();
}

void TRepPreview::PlaceImage() {
  FImage->setGeometry(FPlace.Left - horizontalScrollBar()->value(), FPlace.Top - verticalScrollBar()->value(),
                      FPlace.Width, FPlace.Height);
}

void TRepPreview::scrollContentsBy(int, int) { PlaceImage(); }

void TRepPreview::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  if (FMode == zmFit) ZoomToFit();
  if (FMode == zmWidth) ZoomToWidth();
  Layout();
}

}  // namespace reports
