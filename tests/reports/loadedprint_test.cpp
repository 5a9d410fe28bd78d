// A report file loaded into the preview and printed on a private PostScript queue: one
// sheet per page, each page stretched over the queue's printable area, on the paper the
// queue lists for the recognised one; a second Print while the first is still printing
// aborts the first, so one document arrives; a close or a Load while the pages print.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "base/messages.h"
#include "reports/standardpreview.h"
#include "reports/support/previewpages.h"
#include "reports/support/previewwindows.h"
#include "support/postscriptqueue.h"

namespace reports {
namespace {

using testsupport::TPostScriptQueue;
using testsupport::TPrinterMargins;

constexpr int kDpi = 100;
constexpr double kPointsPerInch = 72;

// Page n carries a box whose left edge is at 100 x n pixels of the 816 x 1056 page.
platform::TRect BoxOfPage(int n) { return {100 * n, 200, 100 * n + 80, 300}; }

class LoadedFilePrint : public testing::Test {
 protected:
  void SetUp() override {
    cupsd = std::make_unique<testsupport::TPrivateCupsd>();
    SKIP_OR_FAIL_WITHOUT_PRINTING(cupsd->Failure().empty() ? TPostScriptQueue::MissingTools() : cupsd->Failure());
    TPageStore saved;
    for (int n = 1; n <= 3; ++n) saved.AddPage(previewtest::BoxPage({BoxOfPage(n)}));
    saved.Finish();
    file = dir.File("three.LRP");
    saved.SaveToFile(file);
    previousChooser = TStandardPreview::SetFileChooser([this](const TReportFileDialog&) {
      return QString::fromStdString(file);
    });
    previousMessages = platform::SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
  }
  void TearDown() override {
    if (window) window->close();
    previewtest::DeleteClosedWindows();
    TStandardPreview::SetFileChooser(previousChooser);
    platform::SetMessageHandler(previousMessages);
  }

  // A preview whose job then loads the file.
  TStandardPreview& Loaded() {
    job = previewtest::FinishedJob(1);
    job->Printer.Resolution = 600;
    window = TStandardPreview::Open(*job);
    window->Run(pcLoad);
    EXPECT_TRUE(messages.empty()) << messages.front();
    return *window;
  }

  std::vector<QImage> Printed(TPostScriptQueue& queue) {
    EXPECT_TRUE(queue.WaitForJobs()) << cupsd->Log();
    return queue.RenderedPages(kDpi);
  }

  testsupport::TTempDir dir;
  std::unique_ptr<testsupport::TPrivateCupsd> cupsd;
  std::string file;
  std::unique_ptr<TRepJob> job;
  QPointer<TStandardPreview> window;
  std::vector<std::string> messages;
  TReportFileChooser previousChooser;
  platform::TMessageHandler previousMessages;
};

// The first dark column of a row, or -1.
int FirstDark(const QImage& page, int y) {
  for (int x = 0; x < page.width(); ++x)
    if (qGray(page.pixel(x, y)) < 128) return x;
  return -1;
}

TEST_F(LoadedFilePrint, EachPageIsStretchedOverThePrintableArea) {
  const TPrinterMargins margins{18, 36, 36, 72};  // left, bottom, right, top in points
  TPostScriptQueue queue(*cupsd, dir, "Margins", margins);
  ASSERT_TRUE(queue.Created());
  TStandardPreview& w = Loaded();
  w.Run(pcPrint);
  std::vector<QImage> pages = Printed(queue);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(queue.JobCount(), 1);
  // Letter is listed; the Note the file was recognised as is printed on it.
  const double printableWidth = 612 - margins.Left - margins.Right, printableHeight = 792 - margins.Top - margins.Bottom;
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    const QImage& page = pages[size_t(n - 1)];
    EXPECT_EQ(page.size(), QSize(850, 1100));
    const platform::TRect box = BoxOfPage(n);
    const double pointsPerPixelX = printableWidth / 816, pointsPerPixelY = printableHeight / 1056;
    const double left = (margins.Left + box.Left * pointsPerPixelX) / kPointsPerInch * kDpi;
    const double top = (margins.Top + box.Top * pointsPerPixelY) / kPointsPerInch * kDpi;
    const double bottom = (margins.Top + box.Bottom * pointsPerPixelY) / kPointsPerInch * kDpi;
    const int middle = int((top + bottom) / 2);
    EXPECT_NEAR(FirstDark(page, middle), left, 1.5);
    EXPECT_EQ(FirstDark(page, int(top) - 2), -1) << "nothing above the box";
    EXPECT_NE(FirstDark(page, int(top) + 2), -1);
  }
}

TEST_F(LoadedFilePrint, ASecondPrintAbortsTheDocumentStillPrinting) {
  TPostScriptQueue queue(*cupsd, dir, "Plain", TPrinterMargins{});
  ASSERT_TRUE(queue.Created());
  TStandardPreview& w = Loaded();
  // Arrives while the first print lets pending messages through before its first page.
  previewtest::Later([&w] { w.Run(pcPrint); });
  w.Run(pcPrint);
  EXPECT_EQ(Printed(queue).size(), 3u);
  EXPECT_EQ(queue.JobCount(), 1);
  EXPECT_TRUE(messages.empty());
}

TEST_F(LoadedFilePrint, NothingWithoutPrintersOrBeforeTheJobIsComplete) {
  TPostScriptQueue queue(*cupsd, dir, "Plain", TPrinterMargins{});
  ASSERT_TRUE(queue.Created());
  TStandardPreview& w = Loaded();
  auto previous = TStandardPreview::SetPrinterCheck([] { return false; });
  w.Run(pcPrint);
  TStandardPreview::SetPrinterCheck(previous);
  job->Complete = false;
  w.Run(pcPrint);
  job->Complete = true;
  // A file of no pages at all: no blank sheet either.
  std::vector<uint8_t> header = previewtest::FileBytes(file);
  header.resize(124);
  const int32_t none = 0;
  std::memcpy(header.data() + 8, &none, 4);
  file = dir.File("empty.LRP");
  previewtest::WriteBytes(file, header);
  w.Run(pcLoad);
  ASSERT_TRUE(messages.empty()) << messages.front();
  EXPECT_EQ(w.PageCounterText(), "Page 1 of 0");
  w.Run(pcPrint);
  EXPECT_EQ(queue.JobCount(), 0);
  EXPECT_TRUE(messages.empty());
}

class LoadedFilePrintInterrupted : public LoadedFilePrint {
 public:
  void Close() {
    // As the report of a preview does: a closing window frees its job.
    job->OnPreviewClosing = [this] { job.reset(); };
    window->close();
  }
  void LoadAnother() {
    loadEnabled = window->Action(pcLoad)->isEnabled();
    TPageStore other;
    other.AddPage(previewtest::BoxPage({{10, 10, 20, 20}}));
    other.Finish();
    file = dir.File("other.LRP");
    other.SaveToFile(file);
    window->Run(pcLoad);
  }
  bool loadEnabled = true;
};

// What the operator does while the loop lets messages through before the first page.
struct TDuringPrint {
  const char* What;
  void (*Act)(LoadedFilePrintInterrupted& test);
  int Documents;
  bool Closed;
};

TEST_F(LoadedFilePrintInterrupted, TheLoopEndsFirstAndTheStoreStays) {
  const TDuringPrint cases[] = {
      {"closed: the print stops, then the window goes", [](LoadedFilePrintInterrupted& t) { t.Close(); }, 0, true},
      {"Load: disabled, the pages print on", [](LoadedFilePrintInterrupted& t) { t.LoadAnother(); }, 1, false},
  };
  TPostScriptQueue queue(*cupsd, dir, "Plain", TPrinterMargins{});
  ASSERT_TRUE(queue.Created());
  int documents = 0;
  for (const TDuringPrint& c : cases) {
    SCOPED_TRACE(c.What);
    file = dir.File("three.LRP");
    TStandardPreview& w = Loaded();
    bool openDuring = false;
    previewtest::Later([this, &c, &openDuring] {
      c.Act(*this);
      openDuring = !window.isNull() && window->isVisible();
    });
    w.Run(pcPrint);
    previewtest::DeleteClosedWindows();
    EXPECT_TRUE(openDuring) << "nothing goes while the loop runs";
    EXPECT_EQ(window.isNull(), c.Closed);
    documents += c.Documents;
    ASSERT_TRUE(queue.WaitForJobs());
    EXPECT_EQ(queue.JobCount(), documents);
    if (c.Closed) continue;
    EXPECT_FALSE(loadEnabled);
    EXPECT_TRUE(window->Action(pcLoad)->isEnabled()) << "again once printed";
    EXPECT_EQ(job->PageStore().PageCount(), 3);
    window->close();
  }
  queue.ClearOutput();
  file = dir.File("three.LRP");
  Loaded().Run(pcPrint);
  EXPECT_EQ(Printed(queue).size(), 3u) << "the program prints on";
  EXPECT_TRUE(messages.empty()) << messages.front();
}

}  // namespace
}  // namespace reports
