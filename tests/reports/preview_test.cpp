// The report's Preview: its window opens without a printer (on A4), the call returns only once
// its own window has closed, several previews unwind last in first out, and a report
// that goes away takes its preview with it.
#include <gtest/gtest.h>

#include <cups/cups.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "reports/pageimage.h"
#include "reports/reppreview.h"
#include "reports/standardpreview.h"
#include "reports/support/boxreport.h"
#include "reports/support/previewwindows.h"

namespace reports {
namespace {

using previewtest::DeleteClosedWindows;
using previewtest::Later;
using previewtest::OpenPreviews;
using previewtest::PreviewTitled;
using previewtest::TBoxReport;
using previewtest::When;
using previewtest::WhenShown;

class ReportPreview : public testing::Test {
 protected:
  void TearDown() override {
    for (TStandardPreview* preview : OpenPreviews()) preview->close();
    DeleteClosedWindows();
  }
};

TEST_F(ReportPreview, WorksWithoutAnyPrinterAndReturnsOnceItsWindowCloses) {
  cupsSetServer("/nonexistent/cups.sock");  // no scheduler, so no printer at all
  TBoxReport page;
  bool checked = false, returned = false;
  WhenShown("Print Preview", [&](TStandardPreview& window) {
    EXPECT_EQ(OpenPreviews().size(), 1u);
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.windowTitle(), "Print Preview");
    EXPECT_TRUE(window.isMaximized());
    EXPECT_EQ(window.PageCounterText(), "Page 1 of 1");
    EXPECT_EQ(window.ProgressText(), "0%");
    const platform::TMetafile* picture = window.RepPreview().PageImage().Page();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 794) << "A4: the paper without a printer";
    EXPECT_EQ(picture->Height(), 1123);
    EXPECT_FALSE(page.report.Busy());
    EXPECT_FALSE(returned);
    checked = true;
    window.close();
  });
  page.report.Preview();
  returned = true;
  EXPECT_TRUE(checked);
  DeleteClosedWindows();
  EXPECT_TRUE(OpenPreviews().empty());
  cupsSetServer(nullptr);
}

TEST_F(ReportPreview, TwoPreviewsUnwindLastInFirstOut) {
  TBoxReport first("first"), second("second");
  std::vector<std::string> order;
  WhenShown("first", [&](TStandardPreview&) {
    WhenShown("second", [&](TStandardPreview& window) {
      EXPECT_EQ(OpenPreviews().size(), 2u) << "the first preview leaves the program usable";
      PreviewTitled("first")->close();
      order.push_back("first closed");
      Later([&, target = &window] {
        target->close();
        order.push_back("second closed");
      });
    });
    second.report.Preview();
    order.push_back("second returned");
  });
  first.report.Preview();
  order.push_back("first returned");
  const std::vector<std::string> expected{"first closed", "second closed", "second returned", "first returned"};
  EXPECT_EQ(order, expected);
}

TEST_F(ReportPreview, OneReportPreviewedTwiceHasAJobForEachWindow) {
  TBoxReport page("labels");
  std::vector<std::string> order;
  int depth = 0;
  WhenShown("labels", [&](TStandardPreview&) {
    When([] { return OpenPreviews().size() == 2; }, [&] {
      std::vector<TStandardPreview*> open = OpenPreviews();
      EXPECT_NE(open[0]->Job(), open[1]->Job());
      for (TStandardPreview* preview : open) preview->close();
      order.push_back("both closed");
    });
    ++depth;
    page.report.Preview();
    order.push_back("inner returned");
  });
  page.report.Preview();
  order.push_back("outer returned");
  EXPECT_EQ(depth, 1);
  EXPECT_EQ(order, (std::vector<std::string>{"both closed", "inner returned", "outer returned"}));
}

TEST_F(ReportPreview, AReportThatGoesAwayClosesItsPreview) {
  auto page = std::make_unique<TBoxReport>("going");
  QPointer<TStandardPreview> window;
  WhenShown("going", [&](TStandardPreview& shown) {
    window = &shown;
    page.reset();  // its owner window closed
  });
  TLabelReport& report = page->report;
  report.Preview();
  DeleteClosedWindows();
  EXPECT_TRUE(window.isNull());
  EXPECT_TRUE(OpenPreviews().empty());
}

TEST_F(ReportPreview, PrintFromThePreviewRunsTheReportsPrintAnew) {
  TBoxReport page("printing");
  int printRuns = 0;
  // Print asks for printers first; saying none keeps the run from reaching a queue.
  page.report.PrinterInstalled = [&] {
    ++printRuns;
    return false;
  };
  WhenShown("printing", [&](TStandardPreview& shown) {
    TStandardPreview* window = &shown;
    window->Run(pcPrint);
    Later([&, window] {
      EXPECT_EQ(printRuns, 1);
      EXPECT_EQ(window->PageCounterText(), "Page 1 of 1") << "the preview stays as it is";
      window->close();
    });
  });
  page.report.Preview();
  EXPECT_EQ(printRuns, 1);
}

TEST_F(ReportPreview, BusyReportDoesNotPreview) {
  // A report whose generation is running: an element that asks for a preview of its own report.
  TBoxReport page("busy");
  struct TAskingElement : previewtest::TBoxElement {
    using TBoxElement::TBoxElement;
    void PrintElement(TRepPage& target, double x, double y) override {
      ParentReport().Preview();  // busy: returns at once
      ++Asked;
      TBoxElement::PrintElement(target, x, y);
    }
    int Asked = 0;
  } asking(page.report, nullptr);
  WhenShown("busy", [&](TStandardPreview& window) {
    EXPECT_EQ(OpenPreviews().size(), 1u);
    window.close();
  });
  page.report.Preview();
  EXPECT_EQ(asking.Asked, 1);
}

TEST_F(ReportPreview, ClosingWhileGeneratingCancelsAndPreviewReturnsAtOnce) {
  TBoxReport page("cancelled");
  struct TClosingElement : previewtest::TBoxElement {
    using TBoxElement::TBoxElement;
    void PrintElement(TRepPage& target, double x, double y) override {
      if (TStandardPreview* window = PreviewTitled("cancelled")) {
        Busy = ParentReport().Busy();
        window->close();  // the operator closes the window while the page is made
      }
      TBoxElement::PrintElement(target, x, y);
    }
    bool Busy = false;
  } closing(page.report, nullptr);
  // Freeing the job in the middle of its generation would crash; keeping it after the
  // cancel would leave Preview waiting for a window that is gone.
  page.report.Preview();
  EXPECT_TRUE(closing.Busy);
  DeleteClosedWindows();
  EXPECT_TRUE(OpenPreviews().empty());
}

}  // namespace
}  // namespace reports
