#include "reports/labelreport.h"

#include <algorithm>
#include <utility>

#include "base/scopeexit.h"
#include "base/screen.h"
#include "reports/generation.h"
#include "reports/printeroutput.h"
#include "reports/position.h"
#include "reports/progresswindow.h"

namespace reports {
namespace {

using platform::TScopeExit;

constexpr int kMinZoom = 2;
constexpr int kMaxZoom = 2000;

}  // namespace

TLabelReport::TLabelReport() { SetPaperSize(A4); }

TLabelReport::~TLabelReport() = default;

double TLabelReport::ToTenths(double value) const {
  switch (FUnits) {
    case MM: return value * TenthsMMPerMM;
    case Inches: return value * TenthsMMPerInch;
    case Pixels: return value * TenthsMMPerInch / platform::ScreenPixelsPerInch();
    case Native: break;
  }
  return value;
}

double TLabelReport::FromTenths(double tenths) const {
  switch (FUnits) {
    case MM: return tenths / TenthsMMPerMM;
    case Inches: return tenths / TenthsMMPerInch;
    case Pixels: return tenths * platform::ScreenPixelsPerInch() / TenthsMMPerInch;
    case Native: break;
  }
  return tenths;
}

void TLabelReport::SetPaperWidth(double value) {
  FPaperWidth = ToTenths(value);
  UseCustomPaper();
}

void TLabelReport::SetPaperLength(double value) {
  FPaperLength = ToTenths(value);
  UseCustomPaper();
}

// A length set by hand makes the paper a custom one.
void TLabelReport::UseCustomPaper() {
  Printer.PaperSize = Custom;
  Printer.CustomWidth = FPaperWidth;
  Printer.CustomLength = FPaperLength;
}

void TLabelReport::SetPaperSize(TRepPaperSize size) {
  const TPaperRow& row = PaperRow(size);
  Printer.PaperSize = size;
  if (row.WidthMM > 0) {
    FPaperWidth = row.WidthMM * TenthsMMPerMM;
    FPaperLength = row.LengthMM * TenthsMMPerMM;
  }
}

void TLabelReport::SetZoom(int percent) {
  if (percent >= kMinZoom && percent <= kMaxZoom) FZoom = percent;
}

void TLabelReport::AddBand(TRepBand& band) { FBands.push_back(&band); }
void TLabelReport::RemoveBand(TRepBand& band) { std::erase(FBands, &band); }
void TLabelReport::AddElement(TRepPrintable& element) { FElements.push_back(&element); }
void TLabelReport::RemoveElement(TRepPrintable& element) { std::erase(FElements, &element); }

// Margins wider than the paper would leave no room at all: such a pair is dropped.
void TLabelReport::CheckMargins() {
  if (FPaperWidth - FLeftMargin - FRightMargin < 0) FLeftMargin = FRightMargin = 0;
  if (FPaperLength - FTopMargin - FBottomMargin < 0) FTopMargin = FBottomMargin = 0;
}

void TLabelReport::Generate(TRepJob& job, TRepOutput& output) {
  if (FBusy) return;
  CheckMargins();
  const TRepUnits units = FUnits;
  FBusy = true;
  FUnits = Native;
  TScopeExit available([&] {
    FUnits = units;
    FBusy = false;
  });
  job.Printer = Printer;
  if (Printer.PaperSize == Custom) {
    job.Printer.CustomWidth = FPaperWidth;
    job.Printer.CustomLength = FPaperLength;
  }
  job.Title = ReportTitle;
  TRepGeneration(*this, job, output).Run();
}

void TLabelReport::TRunScope::End() {
  if (!FReport) return;
  TLabelReport& report = *std::exchange(FReport, nullptr);
  if (--report.FRunning == 0 && report.OnRunEnded) report.OnRunEnded();
}

void TLabelReport::Print() {
  if (FBusy) return;
  TRunScope running(*this);
  std::unique_ptr<TRepJob> previous = std::move(FJob);
  TScopeExit restore([&] { FJob = std::move(previous); });
  const bool installed = PrinterInstalled ? PrinterInstalled() : AnyPrinterInstalled();
  if (!installed) return;

  FJob = std::make_unique<TRepJob>(qrdPrinter);
  TRepJob& job = *FJob;
  std::unique_ptr<TRepProgress> progress;
  if (ShowProgress) progress = ProgressFactory ? ProgressFactory(job) : CreateProgressWindow(job);
  if (progress) {
    progress->SetStatus("");
    progress->SetPosition(0);
    job.OnProgress = [&progress](int percent) { progress->SetPosition(percent); };
  }
  TPrinterOutput output;
  Generate(job, output);
}

}  // namespace reports
