// A report of several pages printed on a private PostScript queue: one sheet per page,
// the paper the report asks for where the queue lists it, and the page range; the
// preview laid out on that same paper; the printer used when none is marked default.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "reports/band.h"
#include "reports/labelreport.h"
#include "reports/printable.h"
#include "reports/printeroutput.h"
#include "reports/storeoutput.h"
#include "support/postscriptqueue.h"

namespace reports {
namespace {

using testsupport::TPostScriptQueue;

constexpr int kDpi = 100;

// A black square 10 mm from the paper's corner on every page, and one band per page.
class TSquare : public TRepPrintable {
 public:
  using TRepPrintable::TRepPrintable;
  void PrintElement(TRepPage& page, double offsetX, double offsetY) override {
    page.Canvas().Brush.SetColor(platform::clBlack);
    page.Canvas().FillRect(PageRect(page, offsetX, offsetY));
  }
};

class ReportPrint : public testing::Test {
 protected:
  void SetUp() override {
    cupsd = std::make_unique<testsupport::TPrivateCupsd>();
    const std::string missing =
        cupsd->Failure().empty() ? TPostScriptQueue::MissingTools() : cupsd->Failure();
    SKIP_OR_FAIL_WITHOUT_PRINTING(missing);
    queue = std::make_unique<testsupport::TPostScriptQueue>(*cupsd, dir, "Pages", testsupport::TPrinterMargins{});
    ASSERT_TRUE(queue->Created());
    report.ShowProgress = false;
    report.Printer.Resolution = 600;
    square.SetSizeLeft(100);
    square.SetSizeTop(100);
    square.SetSizeWidth(100);
    square.SetSizeHeight(100);
    for (TRepBand* band : {&first, &second, &third}) {
      band->Height = 100;
      band->ForceNewPage = true;
    }
  }

  std::vector<QImage> Printed() {
    report.Print();
    EXPECT_TRUE(queue->WaitForJobs()) << cupsd->Log();
    return queue->RenderedPages(kDpi);
  }

  testsupport::TTempDir dir;
  std::unique_ptr<testsupport::TPrivateCupsd> cupsd;
  std::unique_ptr<testsupport::TPostScriptQueue> queue;
  TLabelReport report;
  TRepBand first{report, rbDetail}, second{report, rbDetail}, third{report, rbDetail};
  TSquare square{report, nullptr};
};

TEST_F(ReportPrint, EveryPageIsASheetOfTheAskedPaper) {
  report.SetPaperSize(Letter);
  std::vector<QImage> pages = Printed();
  ASSERT_EQ(pages.size(), 3u);
  for (const QImage& page : pages) {
    EXPECT_EQ(page.size(), QSize(850, 1100));  // 8.5 x 11 inches
    EXPECT_LT(qGray(page.pixel(45, 45)), 64) << "the square of every page";
    EXPECT_GT(qGray(page.pixel(30, 30)), 192);
  }
}

TEST_F(ReportPrint, APaperTheQueueDoesNotListLeavesTheQueuesOwn) {
  report.SetPaperSize(A5);  // the queue offers A4 (its default) and Letter only
  std::vector<QImage> pages = Printed();
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].size(), QSize(826, 1169));  // A4 as the queue states it, 595 x 842 pt
}

TEST_F(ReportPrint, ThePageRangePrintsOnlyThosePages) {
  report.Printer.FirstPage = 2;
  report.Printer.LastPage = 3;
  EXPECT_EQ(Printed().size(), 2u);
}

TEST_F(ReportPrint, ThePreviewLaysOutThePaperThePrintGets) {
  const std::pair<TRepPaperSize, QSize> cases[] = {{Letter, {816, 1056}}, {A5, {794, 1123}}};  // A5: A4, the queue's own
  for (auto [paper, pixels] : cases) {
    SCOPED_TRACE(PaperRow(paper).Name);
    report.SetPaperSize(paper);
    TRepJob job(qrdPreview);
    TStoreOutput output;
    report.Generate(job, output);
    const platform::TMetafile page = job.PageStore().Page(1);
    EXPECT_EQ(QSize(page.Width(), page.Height()), pixels);
  }
}

TEST_F(ReportPrint, WithoutADefaultPrinterTheOnlyOneServesAndOfSeveralNone) {
  // A queue made last becomes the default; removing it leaves none marked default.
  const auto dropDefault = [this] {
    TPostScriptQueue extra(*cupsd, dir, "Extra", testsupport::TPrinterMargins{});
    ASSERT_TRUE(extra.Created() && cupsd->Run({"lpadmin", "-x", "Extra"}));
  };
  dropDefault();
  EXPECT_EQ(Printed().size(), 3u) << "the only printer";
  TPostScriptQueue other(*cupsd, dir, "Other", testsupport::TPrinterMargins{});
  dropDefault();
  try {
    report.Print();
    ADD_FAILURE() << "printed without a printer to choose";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), kNoDefaultPrinterText);
  }
  EXPECT_EQ(other.JobCount(), 0);
}

}  // namespace
}  // namespace reports
