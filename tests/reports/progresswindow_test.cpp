// The "Printing progress" window: its frame, size and controls, and Cancel setting the
// job's cancel flag.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "reports/job.h"
#include "reports/progresswindow.h"

namespace reports {
namespace {

QDialog* ShownProgressWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->windowTitle() == "Printing progress" && widget->isVisible()) return qobject_cast<QDialog*>(widget);
  return nullptr;
}

TEST(ProgressWindow, ShowsAStatusLineABarAndCancel) {
  TRepJob job(qrdPrinter);
  std::unique_ptr<TRepProgress> progress = CreateProgressWindow(job);
  ASSERT_NE(progress, nullptr);
  QDialog* window = ShownProgressWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->size(), QSize(149, 97));
  EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(window->parent(), nullptr) << "owned by the application";

  auto* status = window->findChild<QLabel*>("Status");
  auto* bar = window->findChild<QProgressBar*>("ProgressBar");
  auto* cancel = window->findChild<QPushButton*>("CancelButton");
  ASSERT_TRUE(status && bar && cancel);
  EXPECT_EQ(status->text(), "");
  EXPECT_TRUE(status->alignment() & Qt::AlignHCenter);
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 100);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(cancel->text(), "Cancel");

  progress->SetPosition(40);
  progress->SetStatus("Page 1");
  EXPECT_EQ(bar->value(), 40);
  EXPECT_EQ(status->text(), "Page 1");
  EXPECT_FALSE(job.Cancelled());
  cancel->click();
  EXPECT_TRUE(job.Cancelled());

  progress.reset();
  EXPECT_EQ(ShownProgressWindow(), nullptr) << "freed with the run";
}

// Cancel is the only button: Esc and Enter, where the focus starts, both press it, and
// the window stays until the run ends.
TEST(ProgressWindow, EscAndEnterPressCancelAndKeepTheWindow) {
  for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
    TRepJob job(qrdPrinter);
    std::unique_ptr<TRepProgress> progress = CreateProgressWindow(job);
    QDialog* window = ShownProgressWindow();
    ASSERT_NE(window, nullptr);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_TRUE(job.Cancelled()) << key;
    EXPECT_EQ(ShownProgressWindow(), window) << key;
  }
}

}  // namespace
}  // namespace reports
