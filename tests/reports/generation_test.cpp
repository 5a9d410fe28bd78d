// Generation: the detail band once without a data source (when the report prints when
// empty) or once per record, pages and columns as the bands fill them, the elements on
// the report at each page end from the paper's corner, the run's unit and busy state,
// the cancel flag, and a failing element that drops the document.
#include <gtest/gtest.h>

#include <cups/cups.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/tracecanvas.h"
#include "reports/band.h"
#include "reports/labelreport.h"
#include "reports/printable.h"
#include "reports/reportfile.h"
#include "reports/storeoutput.h"
#include "support/tempdir.h"
#include "tables/support.h"
#include "tables/tables.h"

namespace reports {
namespace {

using platform::TTraceOp;

constexpr int kDpi = 600;

// Pages as lists of what was drawn, at 600 dpi with the origin at the paper's corner.
class TRecordingOutput : public TRepOutput {
 public:
  TRepPaper BeginDoc(TRepJob& job) override {
    Begun = true;
    const TPaperRow& row = PaperRow(job.Printer.PaperSize);
    return TRepPaper{row.WidthMM * 10, row.LengthMM * 10};
  }
  platform::TCanvas& StartPage() override {
    FCanvas = std::make_unique<platform::TTraceCanvas>(kDpi, kDpi);
    return *FCanvas;
  }
  void EndPage() override { Pages.push_back(FCanvas->Ops()); }
  void EndDoc() override { Ended = true; }
  void Abort() noexcept override { Aborted = true; }
  TDeviceMapping Mapping() const override { return TDeviceMapping{kDpi, kDpi, 0, 0}; }

  std::vector<std::vector<TTraceOp>> Pages;
  bool Begun = false, Ended = false, Aborted = false;

 private:
  std::unique_ptr<platform::TTraceCanvas> FCanvas;
};

// An element that notes where it was printed (device pixels of its corner).
class TMarker : public TRepPrintable {
 public:
  using TRepPrintable::TRepPrintable;
  void PrintElement(TRepPage& page, double offsetX, double offsetY) override {
    if (Fail) throw std::runtime_error("marker failed");
    const platform::TRect box = PageRect(page, offsetX, offsetY);
    Corners.push_back({box.Left, box.Top});
    Pages.push_back(page.PageNumber());
    UnitsSeen = ParentReport().Units();
    BusySeen = ParentReport().Busy();
  }
  std::vector<platform::TPoint> Corners;
  std::vector<int> Pages;
  TRepUnits UnitsSeen = MM;
  bool BusySeen = false;
  bool Fail = false;
};

std::vector<platform::TRect> Fills(const std::vector<TTraceOp>& ops) {
  std::vector<platform::TRect> fills;
  for (const TTraceOp& op : ops)
    if (op.Kind == TTraceOp::FillRect) fills.push_back(op.Rect);
  return fills;
}

std::vector<std::string> Texts(const std::vector<std::vector<TTraceOp>>& pages) {
  std::vector<std::string> texts;
  for (const auto& ops : pages)
    for (const TTraceOp& op : ops)
      if (op.Kind == TTraceOp::TextOut) texts.emplace_back(op.Text.begin(), op.Text.end());
  return texts;
}

// A Letter report with 10 mm margins and a detail band 2.38 mm high.
class Generation : public testing::Test {
 protected:
  Generation() : band(report, rbDetail) {
    report.SetUnits(MM);
    report.SetPaperSize(Letter);
    for (auto set : {&TLabelReport::SetTopMargin, &TLabelReport::SetBottomMargin, &TLabelReport::SetLeftMargin,
                     &TLabelReport::SetRightMargin})
      (report.*set)(10);
    band.Height = 23.8125;
    band.Width = 1957.917;
  }

  void Generate() {
    TRepJob job(qrdPreview);
    report.Generate(job, output);
    pagesStarted = job.PagesStarted;
  }

  TLabelReport report;
  TRepBand band;
  TRecordingOutput output;
  int pagesStarted = 0;
};

TEST_F(Generation, WithoutADataSourceTheDetailBandPrintsOnceOnOnePage) {
  TMarker onPage(report, nullptr);
  onPage.SetSizeLeft(261.9375);
  onPage.SetSizeTop(171.979);
  Generate();
  ASSERT_EQ(output.Pages.size(), 1u);
  EXPECT_EQ(pagesStarted, 1);
  EXPECT_TRUE(output.Ended);
  EXPECT_FALSE(output.Aborted);
  // The band's rectangle at the margins: 100 tenths = 236.22 px; 1957.917 + 100 = 4861.4 px.
  EXPECT_EQ(Fills(output.Pages[0]), (std::vector<platform::TRect>{{236, 236, 4861, 292}}));
  // The element on the report itself, from the paper's corner, at the page end.
  EXPECT_EQ(onPage.Corners, (std::vector<platform::TPoint>{{619, 406}}));
}

TEST_F(Generation, ABandAlignedToTheBottomSitsOnTheBottomMargin) {
  band.AlignToBottom = true;
  TMarker inBand(report, &band);
  Generate();
  // (2794 - 100 - 23.8125) tenths from the top: 6307.53 px.
  EXPECT_EQ(inBand.Corners, (std::vector<platform::TPoint>{{236, 6308}}));
}

TEST_F(Generation, WithoutADataSourceAndNotPrintingWhenEmptyThereIsNoPage) {
  report.PrintIfEmpty = false;
  Generate();
  EXPECT_TRUE(output.Begun);
  EXPECT_TRUE(output.Ended);
  EXPECT_TRUE(output.Pages.empty());
}

TEST_F(Generation, TheRunIsBusyInTheInternalUnitAndGivesBothBack) {
  TMarker onPage(report, nullptr);
  Generate();
  EXPECT_EQ(onPage.UnitsSeen, Native);
  EXPECT_TRUE(onPage.BusySeen);
  EXPECT_EQ(report.Units(), MM);
  EXPECT_FALSE(report.Busy());
  EXPECT_DOUBLE_EQ(report.TopMargin(), 10);
}

TEST_F(Generation, MarginsWiderThanThePaperAreDroppedInPairs) {
  report.SetLeftMargin(150);
  report.SetRightMargin(100);  // 250 mm on 215.9 mm paper
  Generate();
  EXPECT_DOUBLE_EQ(report.LeftMargin(), 0);
  EXPECT_DOUBLE_EQ(report.RightMargin(), 0);
  EXPECT_DOUBLE_EQ(report.TopMargin(), 10);
  ASSERT_EQ(output.Pages.size(), 1u);
  EXPECT_EQ(Fills(output.Pages[0])[0].Left, 0);
}

TEST_F(Generation, AFailingElementDropsTheDocumentAndFreesTheReport) {
  TMarker onPage(report, nullptr);
  onPage.Fail = true;
  EXPECT_THROW(Generate(), std::runtime_error);
  EXPECT_TRUE(output.Aborted);
  EXPECT_FALSE(output.Ended);
  EXPECT_FALSE(report.Busy());
  EXPECT_EQ(report.Units(), MM);
}

// An element that asks its own report to generate again while the report is busy.
class TReentrant : public TMarker {
 public:
  using TMarker::TMarker;
  void PrintElement(TRepPage& page, double offsetX, double offsetY) override {
    TRepJob job(qrdPreview);
    ParentReport().Generate(job, Inner);
    TMarker::PrintElement(page, offsetX, offsetY);
  }
  TRecordingOutput Inner;
};

TEST_F(Generation, ABusyReportDoesNotGenerateAgain) {
  TReentrant reentrant(report, nullptr);
  Generate();
  EXPECT_FALSE(reentrant.Inner.Begun);
  EXPECT_TRUE(reentrant.Inner.Pages.empty());
  EXPECT_EQ(output.Pages.size(), 1u);
}

// Print on a busy report does nothing; on a system without printers it makes no job,
// shows no progress and keeps the job the report had.
class TPrintingMarker : public TMarker {
 public:
  using TMarker::TMarker;
  void PrintElement(TRepPage& page, double offsetX, double offsetY) override {
    ParentReport().Print();
    TMarker::PrintElement(page, offsetX, offsetY);
  }
};

TEST_F(Generation, PrintOnABusyReportDoesNothing) {
  int asked = 0;
  report.PrinterInstalled = [&] {
    ++asked;
    return false;
  };
  TPrintingMarker marker(report, nullptr);
  Generate();
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(marker.Corners.size(), 1u);
}

TEST_F(Generation, PrintWithoutPrintersKeepsThePreviousJobAndShowsNothing) {
  auto previous = std::make_unique<TRepJob>(qrdPreview);
  TRepJob* kept = previous.get();
  report.SetJob(std::move(previous));
  int progressWindows = 0;
  report.ProgressFactory = [&](TRepJob&) -> std::unique_ptr<TRepProgress> {
    ++progressWindows;
    return nullptr;
  };
  report.PrinterInstalled = [] { return false; };
  report.Print();
  EXPECT_EQ(report.Job(), kept);
  EXPECT_EQ(progressWindows, 0);
  EXPECT_FALSE(report.Busy());
}

// A data source of records: the detail band once per record, a new page when the next
// band would pass the bottom margin, the report's own elements on every page.
class RecordsGeneration : public Generation {
 protected:
  void SetUp() override {
    std::vector<tables::test::TItem> items;
    for (int i = 0; i < kRecords; ++i) items.push_back({std::to_string(1000 + i), "Item " + std::to_string(i), "1"});
    tables::test::MakeBarmas(dir.Path(), items);
    table = tables::test::OpenTable(dir.Path());
    source.SetDataSet(table.get());
    report.DataSource = &source;
  }
  void TearDown() override { table->Close(); }

  static constexpr int kRecords = 25;
  testsupport::TTempDir dir;
  std::unique_ptr<tables::TTable> table;
  tables::TDataSource source;
};

TEST_F(RecordsGeneration, OneBandPerRecordAndANewPageWhenTheBandsFillIt) {
  band.Height = 250;  // 25 mm: (2794 - 200) / 250 = 10 bands a page
  TRepDBText field(report, &band);
  field.SetDataSet(table.get());
  field.SetDataField("FBarcode");
  field.SetSizeLeft(10);
  TMarker onPage(report, nullptr);
  Generate();
  ASSERT_EQ(output.Pages.size(), 3u);
  EXPECT_EQ(onPage.Pages, (std::vector<int>{1, 2, 3}));
  std::vector<std::string> expected;
  for (int i = 0; i < kRecords; ++i) expected.push_back(std::to_string(1000 + i));
  EXPECT_EQ(Texts(output.Pages), expected);
  // The eleventh band starts page 2 at the top margin.
  std::vector<TTraceOp> page2 = output.Pages[1];
  for (const TTraceOp& op : page2)
    if (op.Kind == TTraceOp::TextOut) {
      EXPECT_EQ(op.Points[0].Y, 236);
      break;
    }
}

TEST_F(RecordsGeneration, ColumnsFillBeforeANewPageStarts) {
  band.Height = 1000;  // two bands a column
  band.Width = 900;
  report.Columns = 2;
  report.SetColumnSpace(5.9);  // column width (2159 - 200 - 59) / 2 = 950
  TMarker inBand(report, &band);
  Generate();
  // 25 records, 4 a page: 7 pages.
  EXPECT_EQ(output.Pages.size(), 7u);
  ASSERT_GE(inBand.Corners.size(), 4u);
  // Column 1 at the left margin (100 tenths), column 2 at 100 + 950 + 59 = 1109 tenths.
  EXPECT_EQ(inBand.Corners[0].X, 236);
  EXPECT_EQ(inBand.Corners[1].X, 236);
  EXPECT_EQ(inBand.Corners[2].X, 2620);
  EXPECT_EQ(inBand.Corners[3].X, 2620);
  EXPECT_EQ(inBand.Corners[2].Y, 236);
  EXPECT_EQ(inBand.Corners[4].X, 236) << "the fifth record starts the next page";
}

TEST_F(RecordsGeneration, ForceNewPageStartsEveryBandOnItsOwnPage) {
  band.ForceNewPage = true;
  Generate();
  EXPECT_EQ(output.Pages.size(), size_t(kRecords));
}

TEST_F(RecordsGeneration, CancelStopsReadingRecordsButFinishesThePage) {
  band.Height = 250;
  TMarker inBand(report, &band);
  TRepJob job(qrdPreview);
  std::vector<int> progress;
  job.OnProgress = [&](int percent) {
    progress.push_back(percent);
    if (percent >= 40) job.Cancel();
  };
  report.Generate(job, output);
  EXPECT_EQ(inBand.Corners.size(), 10u);  // 10 of 25 records is 40 %
  EXPECT_EQ(progress.front(), 4);
  EXPECT_EQ(progress.back(), 40);
  EXPECT_EQ(output.Pages.size(), 1u);
  EXPECT_TRUE(output.Ended);
}

TEST_F(RecordsGeneration, AChildBandFollowsItsParent) {
  band.Height = 100;
  TRepBand child(report, rbChild);
  child.Height = 50;
  band.ChildBand = &child;
  TMarker inChild(report, &child);
  Generate();
  ASSERT_EQ(inChild.Corners.size(), size_t(kRecords));
  EXPECT_EQ(inChild.Corners[0].Y, 472);  // (100 + 100) tenths
  EXPECT_EQ(inChild.Corners[1].Y, 827);  // (100 + 150 + 100) tenths = 826.77
}

// Into a page store: pages recorded at the screen's resolution, the paper's size in
// pixels; with no printer to ask the paper is A4, whatever the report asks for.
TEST(StoreGeneration, PagesArePicturesOfThePaperAtTheScreensResolution) {
  cupsSetServer("/nonexistent/cups.sock");
  TLabelReport report;
  report.SetPaperSize(Letter);
  TRepBand band(report, rbDetail);
  band.Height = 23.8125;
  TRepCustomLabel label(report, nullptr);
  label.SetCaption("on every page");
  TRepJob job(qrdPreview);
  TStoreOutput output;
  report.Generate(job, output);
  ASSERT_EQ(job.PageStore().PageCount(), 1);
  EXPECT_TRUE(job.Complete);
  const platform::TMetafile page = job.PageStore().Page(1);
  cupsSetServer(nullptr);
  EXPECT_EQ(page.Width(), 794);  // 210 x 297 mm at 96 dpi
  EXPECT_EQ(page.Height(), 1123);
  EXPECT_EQ(ReadI32(job.PageStore().ReadBytes(8, 4).data()), 1);
}

}  // namespace
}  // namespace reports
