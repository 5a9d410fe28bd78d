// The scrolling page area of the preview window: one page image at a zoom, centred while
// it is smaller than the control, scroll bars that follow the thumb while it is dragged.
// Attached to a job, it receives the job's page-available and progress messages.
#pragma once

#include <QAbstractScrollArea>
#include <functional>

#include "reports/job.h"
#include "reports/previewlayout.h"

namespace reports {

class TRepPageImage;

class TRepPreview : public QAbstractScrollArea {
 public:
  explicit TRepPreview(QWidget* parent);
  ~TRepPreview() override;

  // Takes over the job's page and progress messages and loads page 1 when it is ready.
  void Attach(TRepJob& job);
  void Detach();
  TRepJob* Job() const { return FJob; }

  int PageNumber() const { return FPageNumber; }
  int Zoom() const { return FZoom; }
  TZoomMode ZoomMode() const { return FMode; }
  // Outside 2..2000 ignored; otherwise the mode becomes fixed and the image is laid out.
  void SetZoom(int zoom);
  void ZoomToFit();
  void ZoomToWidth();
  // Ignored for n <= 0, without a job, beyond the pages started, or for the page shown.
  void GoToPage(int n);
  // Shows the current page again (after the job's pages were replaced).
  void ReloadPage();
  void Layout();

  TRepPageImage& PageImage() const { return *FImage; }
  TPaperTenths Paper() const;

  // After the control handled a page-available message (k pages finished).
  std::function<void(int pagesFinished)> OnPageAvailable;
  std::function<void(int percent)> OnProgressUpdate;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void PageAvailable(int pagesFinished);
  void LoadPage(int n);
  void PlaceImage();
  TPixelSize OuterSize() const;

  TRepJob* FJob = nullptr;
  TRepPageImage* FImage;
  TImagePlace FPlace;
  int FPageNumber = 1;
  int FZoom = 100;
  TZoomMode FMode = zmFixed;
  int FDpi;
};

}  // namespace reports
