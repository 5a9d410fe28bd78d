// Printer setup from the preview: the page range the dialog offers, the report's
// settings it opens with, what OK keeps and that Cancel keeps nothing; the dialog itself
// run against a private scheduler with two queues, and only a warning with no printer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <cstdlib>
#include <cups/cups.h>

#include "base/messages.h"

#include "reports/labelreport.h"
#include "reports/printersetup.h"
#include "reports/support/previewpages.h"
#include "reports/support/previewwindows.h"
#include "support/postscriptqueue.h"

namespace reports {
namespace {

TEST(PrinterSetup, RangeIsThePagesOnceCompleteElseOpen) {
  auto job = previewtest::FinishedJob(3);
  EXPECT_EQ(PrintDialogRange(*job), (TPrintDialogRange{1, 3, 1, 3}));
  job->Complete = false;
  EXPECT_EQ(PrintDialogRange(*job), (TPrintDialogRange{0, 9999, 0, 0}));
}

struct TRangeCase {
  const char* What;
  QPrinter::PrintRange Range;
  int From, To;
  int First, Last;
};

TEST(PrinterSetup, OkKeepsCopiesOrientationAndRange) {
  const TRangeCase cases[] = {
      {"all pages", QPrinter::AllPages, 0, 0, 0, 0},
      {"selection", QPrinter::Selection, 0, 0, 0, 0},
      {"a range", QPrinter::PageRange, 2, 3, 2, 3},
  };
  for (const TRangeCase& c : cases) {
    SCOPED_TRACE(c.What);
    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(4);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPrintRange(c.Range);
    if (c.Range == QPrinter::PageRange) printer.setFromTo(c.From, c.To);
    TRepPrinterSettings settings;
    settings.FirstPage = 7;  // what an earlier setup left
    settings.LastPage = 9;
    KeepDialogChoice(printer, settings);
    EXPECT_EQ(settings.Copies, 4);
    EXPECT_EQ(settings.Orientation, poLandscape);
    EXPECT_EQ(settings.FirstPage, c.First);
    EXPECT_EQ(settings.LastPage, c.Last);
  }
}

TEST(PrinterSetup, WithNoPrinterOnlyWarns) {
  cupsSetServer("/nonexistent/cups.sock");  // no scheduler, so no printer at all
  std::vector<std::string> messages;
  const platform::TMessageHandler previous =
      platform::SetMessageHandler([&](const std::string& text) { messages.push_back(text); });
  bool dialogShown = false;
  QObject untilTheEnd;  // a dialog's loop runs this; without a dialog it never runs
  QTimer::singleShot(0, &untilTheEnd, [&] {
    dialogShown = QApplication::activeModalWidget() != nullptr;
    if (dialogShown) QApplication::activeModalWidget()->close();
  });
  TLabelReport report;
  RunPrinterSetup(report, *previewtest::FinishedJob(1), nullptr);
  platform::SetMessageHandler(previous);
  cupsSetServer(nullptr);
  EXPECT_EQ(messages, std::vector<std::string>{"No printer is installed"});
  EXPECT_FALSE(dialogShown);
}

class PrinterSetupDialog : public testing::Test {
 protected:
  void SetUp() override {
    cupsd = std::make_unique<testsupport::TPrivateCupsd>();
    SKIP_OR_FAIL_WITHOUT_PRINTING(cupsd->Failure());
    first = std::make_unique<testsupport::TPostScriptQueue>(*cupsd, dir, "First", testsupport::TPrinterMargins{});
    second = std::make_unique<testsupport::TPostScriptQueue>(*cupsd, dir, "Second", testsupport::TPrinterMargins{});
    ASSERT_TRUE(first->Created() && second->Created());
    report.Printer.PrinterIndex = IndexOf("Second");
    report.Printer.Copies = 3;
    report.Printer.FirstPage = 5;
    report.Printer.LastPage = 6;
    report.SetOrientation(poLandscape);
  }

  static int IndexOf(const QString& name) {
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    for (int i = 0; i < printers.size(); ++i)
      if (printers[i].printerName() == name) return i;
    return -1;
  }

  // Runs the setup; the dialog is inspected and answered as soon as it is up.
  void RunAnswering(bool accept) {
    previewtest::When([] { return qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()) != nullptr; },
                      [this, accept] {
                        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                        shownPrinter = dialog->printer()->printerName();
                        shownCopies = dialog->printer()->copyCount();
                        shownLandscape = dialog->printer()->pageLayout().orientation() == QPageLayout::Landscape;
                        shownMin = dialog->minPage();
                        shownMax = dialog->maxPage();
                        pageRangeOffered = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
                        selectionOffered = dialog->testOption(QAbstractPrintDialog::PrintSelection);
                        fileOffered = dialog->testOption(QAbstractPrintDialog::PrintToFile);
                        accept ? dialog->accept() : dialog->reject();
                      });
    RunPrinterSetup(report, *job, nullptr);
  }

  testsupport::TTempDir dir;
  std::unique_ptr<testsupport::TPrivateCupsd> cupsd;
  std::unique_ptr<testsupport::TPostScriptQueue> first, second;
  TLabelReport report;
  std::unique_ptr<TRepJob> job = previewtest::FinishedJob(2);
  QString shownPrinter;
  int shownCopies = 0, shownMin = -1, shownMax = -1;
  bool shownLandscape = false, pageRangeOffered = false, selectionOffered = true, fileOffered = true;
};

TEST_F(PrinterSetupDialog, OpensWithTheReportsSettingsAndOkKeepsThem) {
  ASSERT_GE(report.Printer.PrinterIndex, 0);
  RunAnswering(true);
  EXPECT_EQ(shownPrinter, "Second");
  EXPECT_EQ(shownCopies, 3);
  EXPECT_TRUE(shownLandscape);
  EXPECT_EQ(shownMin, 1);
  EXPECT_EQ(shownMax, 2);
  EXPECT_TRUE(pageRangeOffered);
  EXPECT_FALSE(selectionOffered);
  EXPECT_FALSE(fileOffered);
  EXPECT_EQ(report.Printer.PrinterIndex, IndexOf("Second"));
  EXPECT_EQ(report.Printer.Copies, 3);
  EXPECT_EQ(report.Orientation(), poLandscape);
  // The dialog offered pages 1 to 2, all of them chosen: the range becomes all pages.
  EXPECT_EQ(report.Printer.FirstPage, 0);
  EXPECT_EQ(report.Printer.LastPage, 0);
}

TEST_F(PrinterSetupDialog, CancelChangesNothing) {
  RunAnswering(false);
  EXPECT_EQ(shownPrinter, "Second");
  EXPECT_EQ(report.Printer.Copies, 3);
  EXPECT_EQ(report.Printer.FirstPage, 5);
  EXPECT_EQ(report.Printer.LastPage, 6);
}

TEST_F(PrinterSetupDialog, AJobStillGeneratingOffersPagesUpTo9999) {
  job->Complete = false;
  RunAnswering(false);
  EXPECT_EQ(shownMin, 0);
  EXPECT_EQ(shownMax, 9999);
}

}  // namespace
}  // namespace reports
