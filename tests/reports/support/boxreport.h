// A report for the preview's tests: Letter paper, one empty detail band and one black
// box placed on the report itself, so every run gives one page with the box on it.
#pragma once

#include "reports/band.h"
#include "reports/labelreport.h"
#include "reports/printable.h"

namespace previewtest {

class TBoxElement : public reports::TRepPrintable {
 public:
  using TRepPrintable::TRepPrintable;
  void PrintElement(reports::TRepPage& page, double offsetX, double offsetY) override {
    page.Canvas().Brush.SetColor(platform::clBlack);
    page.Canvas().FillRect(PageRect(page, offsetX, offsetY));
  }
};

struct TBoxReport {
  explicit TBoxReport(const std::string& title = "") {
    report.SetPaperSize(reports::Letter);
    report.ReportTitle = title;
    band.Height = 100;
    box.SetSizeLeft(254);  // one inch from the left, half an inch from the top
    box.SetSizeTop(127);
    box.SetSizeWidth(508);
    box.SetSizeHeight(254);
  }
  reports::TLabelReport report;
  reports::TRepBand band{report, reports::rbDetail};
  TBoxElement box{report, nullptr};
};

}  // namespace previewtest
