// The application quitting while a preview is open ends the report's Preview; the window
// and the job stay until the report goes. A program of its own: once the application has
// been told to quit, no nested loop runs again in that process.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <memory>

#include "reports/support/boxreport.h"
#include "reports/support/previewwindows.h"

namespace reports {
namespace {

TEST(PreviewQuit, QuittingEndsPreviewAndTheReportStillClosesItsWindow) {
  auto page = std::make_unique<previewtest::TBoxReport>("quitting");
  QPointer<TStandardPreview> window;
  previewtest::WhenShown("quitting", [&](TStandardPreview& shown) {
    window = &shown;
    QCoreApplication::exit(0);
  });
  page->report.Preview();
  ASSERT_FALSE(window.isNull());
  EXPECT_TRUE(window->isVisible()) << "Preview returned without its window closing";
  page.reset();
  previewtest::DeleteClosedWindows();
  EXPECT_TRUE(window.isNull());
}

}  // namespace
}  // namespace reports
