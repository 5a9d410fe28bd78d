// What the shop's window tests share: a data directory of their own that the windows
// open, the message display captured, and the windows closed after each test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <string>
#include <vector>

#include "base/datadir.h"
#include "base/messages.h"
#include "items/globvar.h"
#include "support/tempdir.h"
#include "tables/support.h"

namespace items::test {

class TWindowTest : public ::testing::Test {
 protected:
  TWindowTest()
      : FPreviousDirectory(platform::SetDataDirectory(Dir.Path())),
        FPreviousMessages(platform::SetMessageHandler([this](const std::string& text) { Messages.push_back(text); })) {}
  ~TWindowTest() override {
    // The program's windows delete themselves on close: those still open go now.
    // Deleting a window deletes the windows it owns, so each is looked at again first;
    // hidden helpers owned by an object of their own (a report's barcode) stay theirs.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isVisible() || window->testAttribute(Qt::WA_DeleteOnClose)) windows.emplace_back(window);
    }
    for (const QPointer<QWidget>& window : windows) delete window.data();
    platform::SetMessageHandler(FPreviousMessages);
    platform::SetDataDirectory(FPreviousDirectory);
    gComname.clear();
    gPrtport.clear();
    gPrtname.clear();
    gLabelCalibration = {};
  }

  std::vector<std::string> TakeMessages() { return std::exchange(Messages, {}); }
  // The first column of a query on a table file of the data directory, as another program reads it.
  std::vector<std::string> Query(const std::string& table, const std::string& sql) {
    return tables::test::TRawConnection(Dir.File(table)).Column(sql);
  }
  static void Activate(QWidget& window) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  testsupport::TTempDir Dir;
  std::vector<std::string> Messages;

 private:
  std::string FPreviousDirectory;
  platform::TMessageHandler FPreviousMessages;
};

}  // namespace items::test
