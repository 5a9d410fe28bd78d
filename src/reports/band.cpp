#include "reports/band.h"

#include <algorithm>

#include "reports/labelreport.h"
#include "reports/printable.h"

namespace reports {

TRepBand::TRepBand(TLabelReport& report, TRepBandType type) : FReport(report), FType(type) {
  FReport.AddBand(*this);
}

TRepBand::~TRepBand() { FReport.RemoveBand(*this); }

void TRepBand::AddElement(TRepPrintable& element) { FElements.push_back(&element); }

void TRepBand::RemoveElement(TRepPrintable& element) { std::erase(FElements, &element); }

void TRepBand::Print(TRepPage& page, double x, double y) {
  const platform::TRect rect{page.PX(x), page.PY(y), page.PX(x + Width), page.PY(y + Height)};
  platform::TCanvas& canvas = page.Canvas();
  canvas.Brush.SetColor(Color);
  canvas.FillRect(rect);
  for (TRepPrintable* element : FElements)
    if (element->Enabled) element->PrintElement(page, x, y);
  Frame.Draw(canvas, rect);
}

}  // namespace reports
