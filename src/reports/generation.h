// One generation of a report: lays its bands out page by page and column by column into
// an output, prints the elements that sit on the report at each page end, and drops the
// document when an element fails.
#pragma once

#include <memory>
#include <optional>

#include "reports/job.h"
#include "reports/labelreport.h"
#include "reports/output.h"

namespace reports {

class TRepGeneration {
 public:
  TRepGeneration(TLabelReport& report, TRepJob& job, TRepOutput& output);
  void Run();

 private:
  void PrintRecords();
  void PrintDetailBands();
  void PrintBand(TRepBand& band);
  void StartPage();
  void EndPage();
  void NextColumn();
  double ColumnX() const;
  double ColumnWidth() const;
  double Bottom() const;

  TLabelReport& FReport;
  TRepJob& FJob;
  TRepOutput& FOutput;
  TRepPaper FPaper;
  std::optional<TRepPage> FPage;
  double FY = 0;
  int FColumn = 0;
  int FBandsOnPage = 0;
  int FBandsInColumn = 0;
};

}  // namespace reports
