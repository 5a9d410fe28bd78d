#include "reports/generation.h"

#include "reports/band.h"
#include "reports/printable.h"
#include "tables/tables.h"

namespace reports {

TRepGeneration::TRepGeneration(TLabelReport& report, TRepJob& job, TRepOutput& output)
    : FReport(report), FJob(job), FOutput(output) {}

void TRepGeneration::Run() {
  FPaper = FOutput.BeginDoc(FJob);
  FJob.PaperWidth = FPaper.Width;
  FJob.PaperLength = FPaper.Length;
  try {
    PrintRecords();
    if (FPage) EndPage();
    FOutput.EndDoc();
  } catch (...) {
    FPage.reset();
    FOutput.Abort();
    throw;
  }
  FJob.Complete = true;
}

void TRepGeneration::PrintRecords() {
  tables::TTable* table = FReport.DataSource ? FReport.DataSource->DataSet() : nullptr;
  if (!table) {
    if (FReport.PrintIfEmpty) PrintDetailBands();
    return;
  }
  const int records = table->RecordCount();
  int done = 0;
  table->First();
  while (!table->Eof() && !FJob.Cancelled()) {
    PrintDetailBands();
    table->Next();
    ++done;
    if (FJob.OnProgress && records > 0) FJob.OnProgress(done * 100 / records);
  }
  // An empty data source still gives a page when the report prints when empty.
  if (done == 0 && FReport.PrintIfEmpty) StartPage();
}

void TRepGeneration::PrintDetailBands() {
  for (TRepBand* band : FReport.Bands())
    if (band->BandType() == rbDetail) PrintBand(*band);
}

void TRepGeneration::PrintBand(TRepBand& band) {
  if (!FPage) StartPage();
  if (FBandsOnPage > 0 && band.ForceNewPage) {
    EndPage();
    StartPage();
  } else if (FBandsInColumn > 0 && band.ForceNewColumn) {
    NextColumn();
  }
  if (FBandsInColumn > 0 && FY + band.Height > Bottom()) NextColumn();
  double y = band.AlignToBottom ? Bottom() - band.Height : FY;
  band.Print(*FPage, ColumnX(), y);
  FY = y + band.Height;
  ++FBandsOnPage;
  ++FBandsInColumn;
  if (band.ChildBand) PrintBand(*band.ChildBand);
}

void TRepGeneration::StartPage() {
  platform::TCanvas& canvas = FOutput.StartPage();
  FPage.emplace(canvas, FOutput.Mapping(), ++FJob.PagesStarted);
  FY = FReport.FTopMargin;
  FColumn = 0;
  FBandsOnPage = 0;
  FBandsInColumn = 0;
}

// Elements on the report itself are placed from the paper's corner, on every page.
void TRepGeneration::EndPage() {
  for (TRepPrintable* element : FReport.Elements())
    if (element->Enabled) element->PrintElement(*FPage, 0, 0);
  const platform::TRect inside{FPage->PX(FReport.FLeftMargin), FPage->PY(FReport.FTopMargin),
                               FPage->PX(FPaper.Width - FReport.FRightMargin),
                               FPage->PY(FPaper.Length - FReport.FBottomMargin)};
  FReport.Frame.Draw(FPage->Canvas(), inside);
  FPage.reset();
  FOutput.EndPage();
}

void TRepGeneration::NextColumn() {
  if (FColumn + 1 < FReport.Columns) {
    ++FColumn;
    FY = FReport.FTopMargin;
    FBandsInColumn = 0;
    return;
  }
  EndPage();
  StartPage();
}

double TRepGeneration::ColumnWidth() const {
  const int columns = FReport.Columns < 1 ? 1 : FReport.Columns;
  return (FPaper.Width - FReport.FLeftMargin - FReport.FRightMargin - (columns - 1) * FReport.FColumnSpace) / columns;
}

double TRepGeneration::ColumnX() const {
  return FReport.FLeftMargin + FColumn * (ColumnWidth() + FReport.FColumnSpace);
}

double TRepGeneration::Bottom() const { return FPaper.Length - FReport.FBottomMargin; }

}  // namespace reports
