// Hints: their short and long parts, and the long part of whatever the mouse or
// the menu highlight is on, from any of the program's windows, in the frame's
// status bar; leaving clears it.
#include "app/hintrouter.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>

#include "app/hint.h"
#include "items/windows/frminput.h"
#include "mainformfixture.h"

namespace app::test {
namespace {

struct THintCase {
  const char* Hint;
  const char* Short;
  const char* Long;
};

class HintParts : public ::testing::TestWithParam<THintCase> {};

TEST_P(HintParts, SplitAtTheFirstBar) {
  EXPECT_EQ(ShortHint(GetParam().Hint), GetParam().Short);
  EXPECT_EQ(LongHint(GetParam().Hint), GetParam().Long);
}

INSTANTIATE_TEST_SUITE_P(Hints, HintParts,
                         ::testing::Values(THintCase{"Item Master", "Item Master", "Item Master"},
                                           THintCase{"Save|", "Save", ""},
                                           THintCase{"Exit|Leave the program", "Exit", "Leave the program"},
                                           THintCase{"|Only long", "", "Only long"},
                                           THintCase{"a|b|c", "a", "b|c"}, THintCase{"", "", ""}));

TEST(HintOfAControl, GivenHintShowsItsShortPartAsTooltipAndItsLongPartInTheBar) {
  QWidget control;
  SetHint(control, "Save|");
  EXPECT_EQ(control.toolTip(), "Save");
  EXPECT_EQ(LongHintOf(control), "");  // the tooltip is not the long part
  SetHint(control, "Print|Print the label");
  EXPECT_EQ(control.toolTip(), "Print");
  EXPECT_EQ(LongHintOf(control), "Print the label");
}

TEST(HintOfAControl, ControlsOfQtsKindGiveTheirStatusTipElseTheirTooltip) {
  QWidget both;
  both.setToolTip("short");
  both.setStatusTip("long");
  EXPECT_EQ(LongHintOf(both), "long");
  QWidget tooltipOnly;
  tooltipOnly.setToolTip("First record");
  EXPECT_EQ(LongHintOf(tooltipOnly), "First record");
  EXPECT_EQ(LongHintOf(QWidget()), "");
}

TEST(ApplicationHint, SignalsOnlyAChangeAndStopsWatchingWhenGone) {
  QWidget window;
  auto* control = new QWidget(&window);
  SetHint(*control, "Go|Go there");
  auto hint = std::make_unique<TApplicationHint>();
  QSignalSpy changes(hint.get(), &TApplicationHint::HintChanged);
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(control, &enter);
  QApplication::sendEvent(control, &enter);
  EXPECT_EQ(hint->Hint(), "Go there");
  EXPECT_EQ(changes.count(), 1);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(control, &leave);
  EXPECT_EQ(hint->Hint(), "");
  EXPECT_EQ(changes.count(), 2);
  hint.reset();
  QApplication::sendEvent(control, &enter);  // nobody watches: nothing to reach
}

using HintRouting = TMainFormTest;

QString Bar(const TMainForm& frame) { return frame.StatusBar->currentMessage(); }

// The offscreen screen stacks every window at its top left corner and gives the mouse
// to the topmost: the frame steps aside for the window that the mouse is to be on.
void StepAside(TMainForm& frame) { frame.move(2000, 2000); }

TEST_F(HintRouting, SpeedButtonsShowTheirLongHintWhileTheMouseIsOnThem) {
  Shown();
  QTest::mouseMove(Frame->itemmaster);
  EXPECT_EQ(Bar(*Frame), "Item Master");
  QTest::mouseMove(Frame->ExitBtn);
  EXPECT_EQ(Bar(*Frame), "");
  QTest::mouseMove(Frame->itemmaster);
  EXPECT_EQ(Bar(*Frame), "Item Master");
  QTest::mouseMove(Frame->MDIArea->viewport());
  EXPECT_EQ(Bar(*Frame), "");
}

TEST_F(HintRouting, ControlsOfAnotherWindowReachTheFramesStatusBar) {
  StepAside(Shown());
  QWidget other;
  other.resize(300, 100);
  auto* print = new QPushButton("Print", &other);
  print->setGeometry(10, 10, 80, 30);
  SetHint(*print, "Print|Print the label");
  auto* edit = new QLineEdit(&other);
  edit->setGeometry(110, 10, 80, 30);
  edit->setStatusTip("Type the barcode");
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  QTest::mouseMove(print);
  EXPECT_EQ(Bar(*Frame), "Print the label");
  QTest::mouseMove(edit);
  EXPECT_EQ(Bar(*Frame), "Type the barcode");
  QTest::mouseMove(&other, QPoint(250, 80));
  EXPECT_EQ(Bar(*Frame), "");
}

TEST_F(HintRouting, TheItemMastersNavigatorHintsReachTheFrame) {
  StepAside(Shown());
  Frame->itemmaster->click();
  ASSERT_NE(items::frminput, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(items::frminput));
  auto* last = items::frminput->DBNavigator1->findChild<QToolButton*>("nbRefresh");
  ASSERT_NE(last, nullptr);
  QTest::mouseMove(last);
  EXPECT_EQ(Bar(*Frame), last->toolTip());
  EXPECT_FALSE(Bar(*Frame).isEmpty());
  QTest::mouseMove(items::frminput->DBGrid1);
  EXPECT_EQ(Bar(*Frame), "");
}

TEST_F(HintRouting, TheHighlightedMenuItemShowsItsHint) {
  Shown();
  Frame->File1->popup(Frame->mapToGlobal(QPoint(0, 0)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame->File1));
  Frame->File1->setActiveAction(Frame->FileExitItem);
  EXPECT_EQ(Bar(*Frame), "Exit the application");
  Frame->File1->setActiveAction(Frame->Parameter1);
  EXPECT_EQ(Bar(*Frame), "");
  Frame->File1->setActiveAction(Frame->FileExitItem);
  Frame->File1->hide();
  EXPECT_EQ(Bar(*Frame), "");
}

TEST_F(HintRouting, TheHighlightedMenuHeadingShowsItsHint) {
  Shown();
  // The offscreen screen cannot hold the menu open, so the heading's hint may be
  // cleared again at once: what matters is that it reached the bar.
  QSignalSpy shown(Frame->StatusBar, &QStatusBar::messageChanged);
  Frame->menuBar()->setActiveAction(Frame->Window1->menuAction());
  ASSERT_GE(shown.count(), 1);
  EXPECT_EQ(shown.front().front().toString(), "Window related commands such as Tile and Cascade");
  Frame->Window1->hide();
}

}  // namespace
}  // namespace app::test
