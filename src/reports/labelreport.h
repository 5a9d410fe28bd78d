// A banded page report: paper, margins and columns, its bands and elements, an optional
// data source, and the printer settings of its runs. Print generates the pages onto the
// printer; Generate serves any destination (the preview's page store).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graphics/canvas.h"
#include "reports/frame.h"
#include "reports/job.h"
#include "reports/output.h"
#include "reports/papers.h"

namespace tables {
class TDataSource;
}

namespace reports {

class TRepBand;
class TRepPrintable;

// The unit the report's lengths are read and written in; inside they are 0.1 mm.
enum TRepUnits : uint8_t { MM, Inches, Pixels, Native };

enum TRepOption : uint8_t { FirstPageHeader = 1, LastPageFooter = 2, Compression = 4 };

struct TRepFont {
  std::string Name = "Arial";
  int Height = 13;  // pixels at the screen's resolution (10 point)
};

// Shows a run's progress; the report owns one while it prints.
class TRepProgress {
 public:
  virtual ~TRepProgress() = default;
  virtual void SetStatus(const std::string& text) = 0;
  virtual void SetPosition(int percent) = 0;
};

class TLabelReport {
 public:
  TLabelReport();
  ~TLabelReport();
  TLabelReport(const TLabelReport&) = delete;
  TLabelReport& operator=(const TLabelReport&) = delete;

  TRepUnits Units() const { return FUnits; }
  void SetUnits(TRepUnits units) { FUnits = units; }

  // Lengths in Units.
  double PaperWidth() const { return FromTenths(FPaperWidth); }
  void SetPaperWidth(double value);
  double PaperLength() const { return FromTenths(FPaperLength); }
  void SetPaperLength(double value);
  double TopMargin() const { return FromTenths(FTopMargin); }
  void SetTopMargin(double value) { FTopMargin = ToTenths(value); }
  double BottomMargin() const { return FromTenths(FBottomMargin); }
  void SetBottomMargin(double value) { FBottomMargin = ToTenths(value); }
  double LeftMargin() const { return FromTenths(FLeftMargin); }
  void SetLeftMargin(double value) { FLeftMargin = ToTenths(value); }
  double RightMargin() const { return FromTenths(FRightMargin); }
  void SetRightMargin(double value) { FRightMargin = ToTenths(value); }
  double ColumnSpace() const { return FromTenths(FColumnSpace); }
  void SetColumnSpace(double value) { FColumnSpace = ToTenths(value); }

  // A standard paper also sets the paper width and length.
  TRepPaperSize PaperSize() const { return Printer.PaperSize; }
  void SetPaperSize(TRepPaperSize size);
  TRepOrientation Orientation() const { return Printer.Orientation; }
  void SetOrientation(TRepOrientation orientation) { Printer.Orientation = orientation; }

  int Columns = 1;
  uint8_t Options = FirstPageHeader | LastPageFooter;
  bool PrintIfEmpty = true;
  tables::TDataSource* DataSource = nullptr;
  std::string ReportTitle;
  bool ShowProgress = true;
  TRepFrame Frame;
  TRepFont Font;
  std::map<std::string, std::string> Functions{{"PAGENUMBER", "0"}, {"COLUMNNUMBER", "0"}, {"REPORTTITLE", "''"}};
  TRepPrinterSettings Printer;
  bool SnapToGrid = true;

  int Zoom() const { return FZoom; }
  void SetZoom(int percent);
  bool Designing() const { return FDesigning; }
  void SetDesigning(bool on) { FDesigning = on; }
  bool Busy() const { return FBusy; }
  // True while Print runs and while Preview makes its window and pages (until it waits
  // for that window): events run meanwhile, and the report must outlive them.
  bool Running() const { return FRunning > 0; }
  // Told each time the report stops running, so that an owner which held back
  // destroying it may go on (later, not from inside this call).
  std::function<void()> OnRunEnded;

  // Generates the report onto the printer. Does nothing while busy, and nothing at all
  // (no job, no message) when the system has no printer. Errors of the elements reach
  // the caller after the document has been dropped and the previous job restored.
  void Print();
  // Generates the pages into a preview window of their own, without a printer, and
  // returns once that window has closed (or the application quits). Does nothing while
  // busy. Further previews may open meanwhile; each returns after its own window.
  void Preview();
  // Generates the pages into the output for the job; busy meanwhile.
  void Generate(TRepJob& job, TRepOutput& output);

  // The job of the last run that was kept (a preview's), or null.
  TRepJob* Job() const { return FJob.get(); }
  void SetJob(std::unique_ptr<TRepJob> job) { FJob = std::move(job); }
  std::unique_ptr<TRepJob> TakeJob() { return std::move(FJob); }

  // Makes the progress display of a run; by default the "Printing progress" window
  // when the program has windows.
  std::function<std::unique_ptr<TRepProgress>(TRepJob&)> ProgressFactory;
  // Tells whether any printer is installed; by default asks the printing system.
  std::function<bool()> PrinterInstalled;

  const std::vector<TRepBand*>& Bands() const { return FBands; }
  const std::vector<TRepPrintable*>& Elements() const { return FElements; }
  void AddBand(TRepBand& band);
  void RemoveBand(TRepBand& band);
  void AddElement(TRepPrintable& element);
  void RemoveElement(TRepPrintable& element);

 private:
  double ToTenths(double value) const;
  double FromTenths(double tenths) const;
  void CheckMargins();
  void UseCustomPaper();
  void ReleasePreviewJob(TRepJob& job);

  // Marks the report running from its construction until End or its destruction.
  class TRunScope {
   public:
    explicit TRunScope(TLabelReport& report) : FReport(&report) { ++report.FRunning; }
    ~TRunScope() { End(); }
    TRunScope(const TRunScope&) = delete;
    TRunScope& operator=(const TRunScope&) = delete;
    void End();

   private:
    TLabelReport* FReport;
  };

  TRepUnits FUnits = MM;
  double FPaperWidth = 2100;
  double FPaperLength = 2970;
  double FTopMargin = 0;
  double FBottomMargin = 0;
  double FLeftMargin = 0;
  double FRightMargin = 0;
  double FColumnSpace = 0;
  int FZoom = 100;
  bool FDesigning = false;
  bool FBusy = false;
  int FRunning = 0;
  std::unique_ptr<TRepJob> FJob;
  std::vector<std::unique_ptr<TRepJob>> FPreviewJobs;  // one for each open preview window
  std::vector<TRepBand*> FBands;
  std::vector<TRepPrintable*> FElements;

  friend class TRepGeneration;
};

}  // namespace reports
