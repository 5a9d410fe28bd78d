// Where a report's pages go: the printer or the job's page store. The generation asks
// for a page canvas, draws through the position conversion, and ends the page.
#pragma once

#include <string>

#include "graphics/canvas.h"
#include "reports/papers.h"
#include "reports/position.h"

namespace reports {

class TRepJob;

// The page being produced: its canvas and the conversion of 0.1 mm to its pixels.
class TRepPage {
 public:
  TRepPage(platform::TCanvas& canvas, const TDeviceMapping& mapping, int pageNumber)
      : FCanvas(canvas), FMapping(mapping), FPageNumber(pageNumber) {}
  platform::TCanvas& Canvas() { return FCanvas; }
  const TDeviceMapping& Mapping() const { return FMapping; }
  int PX(double x) const { return FMapping.PX(x); }
  int PY(double y) const { return FMapping.PY(y); }
  int PageNumber() const { return FPageNumber; }

 private:
  platform::TCanvas& FCanvas;
  TDeviceMapping FMapping;
  int FPageNumber;
};

class TRepOutput {
 public:
  virtual ~TRepOutput() = default;
  // Starts the document with the job's settings; returns the paper it got.
  virtual TRepPaper BeginDoc(TRepJob& job) = 0;
  virtual platform::TCanvas& StartPage() = 0;
  virtual void EndPage() = 0;
  virtual void EndDoc() = 0;
  // Drops a document that failed half-way, so nothing half-made reaches the spooler.
  virtual void Abort() noexcept = 0;
  virtual TDeviceMapping Mapping() const = 0;
};

}  // namespace reports
