// The message box: the program's Windows-1252 messages shown as their characters.
#include "app/messagebox.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "base/messages.h"

namespace {

TEST(MessageBox, ShowsWindows1252TextAsItsCharacters) {
  InstallMessageBox();
  QString shown;
  QTimer poll;
  // The box is modal: read and close it from the event loop it runs.
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->accept();
    }
  });
  poll.start(10);
  platform::ShowMessage("Error Cr\xE8me br\xFBl\xE9\x65 5\x80");
  poll.stop();
  platform::SetMessageHandler(nullptr);
  EXPECT_EQ(shown, QString::fromUtf16(u"Error Cr\u00E8me br\u00FBl\u00E9e 5\u20AC"));
}

// OK is the box's only button: Enter answers it from where the focus starts, and so
// does Esc, which leaves nothing undone in a box that only tells.
TEST(MessageBox, EnterAndEscPressOKWhereTheFocusStarts) {
  InstallMessageBox();
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
    int pressed = 0;
    bool stayed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !QApplication::focusWidget()) return;
      if (pressed++ == 0) {
        QTest::keyClick(QApplication::focusWidget(), key);
      } else {
        stayed = true;
        box->accept();
      }
    });
    poll.start(10);
    platform::ShowMessage("Saved");
    poll.stop();
    EXPECT_FALSE(stayed) << key;
  }
  platform::SetMessageHandler(nullptr);
}

}  // namespace
