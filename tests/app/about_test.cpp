// The about box as designed: a fixed box on top, centred, with its picture, its
// maroon title, the memo that tells what the program stands on, and the picker.
#include "app/about.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "support/qtimages.h"

namespace {

TEST(AboutBox, IsAFixedDialogOnTopWithOnlyASystemMenuButton) {
  TfrmAbout box(nullptr);
  EXPECT_EQ(box.windowTitle(), "About");
  EXPECT_EQ(box.size(), QSize(510, 283));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  const Qt::WindowFlags flags = box.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);
  EXPECT_EQ(box.frameGeometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
}

TEST(AboutBox, ShowsTitlePictureAndWhatTheProgramStandsOn) {
  TfrmAbout box(nullptr);
  EXPECT_EQ(box.Title->text(), "Barcode Printing Software");
  EXPECT_TRUE(box.Title->font().bold());
  EXPECT_EQ(box.Title->palette().color(QPalette::WindowText), QColor(128, 0, 0));
  EXPECT_TRUE(box.Memo1->isReadOnly());
  const QString text = box.Memo1->toPlainText();
  for (const char* part : {"Barcode Printing Software", "version", "Qt 6", "LGPLv3", "SQLite", "public domain",
                           "libjpeg-turbo", "IJG", "BSD", "libcups", "Apache License 2.0"})
    EXPECT_TRUE(text.contains(part)) << part;
  // The picture is a symbol: dark bars on white.
  const QImage picture = box.Image1->pixmap().toImage();
  ASSERT_FALSE(picture.isNull());
  EXPECT_LE(picture.width(), box.Image1->width());
  EXPECT_LE(picture.height(), box.Image1->height());
  EXPECT_FALSE(platform::testing::InkBounds(picture).isEmpty());
  EXPECT_FALSE(platform::testing::Dark(picture, 0, 0));
  EXPECT_TRUE(box.OKButton->isDefault());
  for (QWidget* control : {static_cast<QWidget*>(box.Image1), static_cast<QWidget*>(box.Title),
                           static_cast<QWidget*>(box.Memo1), static_cast<QWidget*>(box.ColorPicker1),
                           static_cast<QWidget*>(box.OKButton)})
    EXPECT_TRUE(box.rect().contains(control->geometry())) << control->objectName().toStdString();
}

TEST(AboutBox, EachShowingStartsTheMemoAndPickerAtAqua) {
  TfrmAbout box(nullptr);
  const QColor aqua(0, 255, 255);
  box.ColorPicker1->SetColor(Qt::green);
  EXPECT_EQ(box.Memo1->palette().color(QPalette::Base), QColor(Qt::green));
  QTimer::singleShot(0, [&] {
    EXPECT_EQ(box.ColorPicker1->Color(), aqua);
    EXPECT_EQ(box.Memo1->palette().color(QPalette::Base), aqua);
    box.OKButton->click();
  });
  EXPECT_EQ(box.exec(), QDialog::Accepted);
}

// Run from the box's own modal loop: the key goes where the focus starts, then the box is
// ended with an odd result if it is still open.
int ResultAfterPressing(TfrmAbout& box, Qt::Key key) {
  constexpr int kStillOpen = 42;
  QTimer::singleShot(0, [&] {
    box.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&box));
    if (QWidget* start = QApplication::focusWidget(); start && start->window() == &box) {
      QTest::keyClick(start, key);
    } else {
      ADD_FAILURE() << "the focus is not in the box";
    }
    QTimer::singleShot(0, [&] {
      if (box.isVisible()) box.done(kStillOpen);
    });
  });
  return box.exec();
}

// The box has OK and no Cancel: Enter presses OK from the first focus, Esc does nothing.
TEST(AboutBox, EnterPressesOKAndEscDoesNothing) {
  TfrmAbout first(nullptr);
  EXPECT_EQ(ResultAfterPressing(first, Qt::Key_Return), QDialog::Accepted);
  TfrmAbout second(nullptr);
  EXPECT_EQ(ResultAfterPressing(second, Qt::Key_Escape), 42);
}

TEST(AboutBox, ShowAboutKeepsThePointerOnlyWhileShown) {
  QWidget owner;
  TfrmAbout* during = nullptr;
  QTimer::singleShot(0, [&] {
    during = frmAbout;
    ASSERT_NE(frmAbout, nullptr);
    frmAbout->close();
  });
  ShowAbout(&owner);
  EXPECT_NE(during, nullptr);
  EXPECT_EQ(frmAbout, nullptr);
  EXPECT_EQ(during->parentWidget(), &owner);
}

}  // namespace
