// Every control of the frame, its MDI children and the about box has an accessible
// name, so that screen readers and accessibility-driven tools find it; a speed
// button is named by the short part of its hint.
#include <QAccessible>
#include <QHeaderView>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>

#include "app/about.h"
#include "items/windows/frminput.h"
#include "items/windows/frmparam.h"
#include "normalprint/frminput1.h"
#include "mainformfixture.h"

namespace app::test {
namespace {

QString AccessibleName(QAccessibleInterface* accessible) {
  return accessible ? accessible->text(QAccessible::Name) : QString();
}

QString AccessibleName(QObject* object) { return AccessibleName(QAccessible::queryAccessibleInterface(object)); }

// The parts Qt builds into its own scrolling controls and tables: the control names the whole.
bool ScrollingPart(const QWidget& widget) {
  return qobject_cast<const QScrollBar*>(&widget) || qobject_cast<const QHeaderView*>(&widget) ||
         widget.objectName().startsWith("qt_scrollarea_") || widget.inherits("QTableCornerButton");
}

// Every control that the window shows.
void ExpectEveryControlNamed(QWidget& window) {
  EXPECT_FALSE(AccessibleName(&window).isEmpty());
  int controls = 0;
  for (QWidget* control : window.findChildren<QWidget*>()) {
    if (control->isWindow() || !control->isVisibleTo(&window) || ScrollingPart(*control)) continue;
    ++controls;
    EXPECT_FALSE(AccessibleName(control).isEmpty())
        << control->metaObject()->className() << " " << control->objectName().toStdString();
  }
  EXPECT_GT(controls, 0);
}

// The items of a menu or menu bar as its accessible children; separators carry no name.
void ExpectItemsNamed(QWidget& menu, int expectedItems) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&menu);
  ASSERT_NE(accessible, nullptr);
  int named = 0;
  for (int i = 0; i < accessible->childCount(); ++i) {
    QAccessibleInterface* item = accessible->child(i);
    if (item->role() == QAccessible::Separator || item->state().invisible) continue;
    EXPECT_FALSE(AccessibleName(item).isEmpty()) << i;
    ++named;
  }
  EXPECT_EQ(named, expectedItems);
}

using Accessibility = TMainFormTest;

TEST_F(Accessibility, EveryControlOfTheFrameAndOfAChildHasAName) {
  Shown();
  Frame->CreateMDIChild("NONAME1");
  ExpectEveryControlNamed(*Frame);
}

TEST_F(Accessibility, SpeedButtonsAreNamedByTheShortPartOfTheirHint) {
  const std::pair<QToolButton*, const char*> buttons[] = {
      {Frame->itemmaster, "Item Master"}, {Frame->SaveBtn, "Save"}, {Frame->ExitBtn, "Exit"},
      {Frame->OpenBtn, "Open"},           {Frame->CutBtn, "Cut"},   {Frame->CopyBtn, "Copy"},
      {Frame->PasteBtn, "Paste"}};
  for (const auto& [button, name] : buttons) EXPECT_EQ(AccessibleName(button), name);
}

TEST_F(Accessibility, MenusAndTheirItemsHaveNames) {
  Shown();
  ExpectItemsNamed(*Frame->menuBar(), 4);  // the Edit menu is hidden
  // Shown for a moment, as the operator would open them.
  const std::pair<QMenu*, int> menus[] = {{Frame->File1, 4}, {Frame->Input1, 2}, {Frame->Window1, 4}, {Frame->Help1, 1}};
  for (const auto& [menu, items] : menus) {
    menu->popup(Frame->mapToGlobal(QPoint(0, 0)));
    ExpectItemsNamed(*menu, items);
    menu->hide();
  }
}

TEST_F(Accessibility, EveryControlOfTheAboutBoxHasAName) {
  QTimer::singleShot(0, [] {
    ASSERT_NE(frmAbout, nullptr);
    ExpectEveryControlNamed(*frmAbout);
    frmAbout->OKButton->click();
  });
  Frame->HelpAboutItemClick();
}

TEST_F(Accessibility, EveryControlOfTheWorkingWindowsHasAName) {
  Shown();
  Frame->itemmaster->click();
  Frame->NormalPrinter1->trigger();
  Frame->Parameter1->trigger();
  for (QWidget* window : std::initializer_list<QWidget*>{items::frminput, frminput1, items::frmparam}) {
    ASSERT_NE(window, nullptr);
    SCOPED_TRACE(window->objectName().toStdString());
    ExpectEveryControlNamed(*window);
  }
}

}  // namespace
}  // namespace app::test
