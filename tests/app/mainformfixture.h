// What the main window's tests share: a frame of their own over a data directory
// that holds the program's tables, shown and active, with the message display
// captured and every window closed after each test.
#pragma once

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QString>
#include <QTest>
#include <vector>

#include "app/mainform.h"
#include "items/shoptables.h"
#include "items/windows/windowfixture.h"

namespace app::test {

// Qt reports a hidden item as disabled and keeps its own state for when it shows:
// shown for a moment, the item tells it.
inline bool EnabledState(QAction& item) {
  if (item.isVisible()) return item.isEnabled();
  item.setVisible(true);
  const bool enabled = item.isEnabled();
  item.setVisible(false);
  return enabled;
}

class TMainFormTest : public items::test::TWindowTest {
 protected:
  TMainFormTest() {
    items::CreateMissingTables(Dir.Path());
    Frame = new TMainForm;
    MainForm = Frame;
  }
  ~TMainFormTest() override { MainForm = nullptr; }

  TMainForm& Shown() {
    Frame->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Frame));
    Activate(*Frame);
    return *Frame;
  }
  // Lets deferred deletions (a closed MDI child) happen.
  static void Settle() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
  std::vector<QString> ChildTitles(QMdiArea::WindowOrder order = QMdiArea::CreationOrder) const {
    std::vector<QString> titles;
    for (QMdiSubWindow* child : Frame->MDIArea->subWindowList(order)) titles.push_back(child->windowTitle());
    return titles;
  }
  // Saves a picture of the widget under the build folder, for a look at it.
  static void KeepScreenshot(QWidget& widget, const QString& name) {
    QDir().mkpath("screenshots");
    widget.grab().save("screenshots/" + name + ".png");
  }

  TMainForm* Frame;
};

}  // namespace app::test
