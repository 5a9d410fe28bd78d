// The normal-printer window closed at each moment a Print or Preview of its page lets
// events through: the close waits for that run, then the window, its pages and their
// preview go, and the program prints on. Run on the sanitizer build, a page destroyed
// under its running report is reported there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <functional>
#include <memory>

#include "items/windows/windowfixture.h"
#include "normalprint/frminput1.h"
#include "normalprint/frmprtbar.h"
#include "reports/support/previewwindows.h"
#include "support/postscriptqueue.h"

namespace {

using previewtest::Later;
using previewtest::OpenPreviews;
using previewtest::WhenShown;

// Starts a run from the window; closeNow is to be called at the first moment the run
// lets events through.
using TStart = std::function<void(Tfrminput1& window, const std::function<void()>& closeNow)>;

struct TCloseMoment {
  const char* What;
  TStart Start;
  int Documents;  // that reach the queue
};

const TCloseMoment kMoments[] = {
    {"Print, closed while the progress window lets events through",
     [](Tfrminput1& window, const std::function<void()>& closeNow) {
       Later(closeNow);
       window.BitBtn3->click();
     },
     1},
    {"Preview, closed at the preview's first zoom",
     [](Tfrminput1& window, const std::function<void()>& closeNow) {
       Later(closeNow);
       window.BitBtn6->click();
     },
     0},
    {"Print from the preview, closed while its progress window lets events through",
     [](Tfrminput1& window, const std::function<void()>& closeNow) {
       WhenShown("Print Preview", [closeNow](reports::TStandardPreview& preview) {
         preview.Run(reports::pcPrint);  // the report prints once this click is over
         Later(closeNow);
       });
       window.BitBtn6->click();
     },
     1},
};

class NormalPrinterClose : public items::test::TWindowTest {
 protected:
  void SetUp() override {
    cupsd = std::make_unique<testsupport::TPrivateCupsd>();
    SKIP_OR_FAIL_WITHOUT_PRINTING(cupsd->Failure().empty() ? testsupport::TPostScriptQueue::MissingTools()
                                                           : cupsd->Failure());
    queue = std::make_unique<testsupport::TPostScriptQueue>(*cupsd, Dir, "Plain", testsupport::TPrinterMargins{});
    ASSERT_TRUE(queue->Created());
  }

  static void Settle() {
    QApplication::processEvents();
    previewtest::DeleteClosedWindows();
  }

  std::unique_ptr<testsupport::TPrivateCupsd> cupsd;
  std::unique_ptr<testsupport::TPostScriptQueue> queue;
};

TEST_F(NormalPrinterClose, ACloseDuringARunWaitsForItThenTheWindowGoes) {
  int documents = 0;
  for (const TCloseMoment& moment : kMoments) {
    SCOPED_TRACE(moment.What);
    QPointer<Tfrminput1> window = OpenNormalPrinter(nullptr);
    window->Edit1->setText("4711");
    bool runningAtClose = false, openAfterClose = false;
    moment.Start(*window, [&] {
      runningAtClose = frmprtbar && frmprtbar->rep.Running();
      window->BitBtn4->click();
      openAfterClose = !window.isNull() && window->isVisible();
    });
    Settle();
    EXPECT_TRUE(runningAtClose) << "the close came while the page ran";
    EXPECT_TRUE(openAfterClose) << "held back";
    EXPECT_TRUE(window.isNull()) << "closed once the run ended";
    EXPECT_TRUE(OpenPreviews().empty());
    documents += moment.Documents;
    ASSERT_TRUE(queue->WaitForJobs()) << cupsd->Log();
    EXPECT_EQ(queue->JobCount(), documents) << queue->JobStates();
  }
  // The program goes on: a new window prints, and closes at once when nothing runs.
  QPointer<Tfrminput1> again = OpenNormalPrinter(nullptr);
  again->BitBtn3->click();
  ASSERT_TRUE(queue->WaitForJobs());
  EXPECT_EQ(queue->JobCount(), documents + 1);
  again->BitBtn4->click();
  Settle();
  EXPECT_TRUE(again.isNull());
  EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
