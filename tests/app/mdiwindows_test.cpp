// The MDI children of the frame: new, open, close, the commands that need a child
// enabled only while there is one, cascade, tile, arrange icons, minimise all and
// the window list of the Window menu.
#include "app/mdiwindows.h"

#include <QFileDialog>
#include <QTimer>
#include <fstream>
#include <map>

#include "app/childwin.h"
#include "mainformfixture.h"

namespace app::test {
namespace {

using MDIChildren = TMainFormTest;

// Every command that needs a child, as the design of the frame names them.
const char* const kChildCommands[] = {
    "FileCloseItem", "FileSaveItem",      "FileSaveAsItem", "CutItem",           "CopyItem",
    "PasteItem",     "WindowCascadeItem", "WindowTileItem", "WindowArrangeItem", "WindowMinimizeItem",
    "SaveBtn",       "CutBtn",            "CopyBtn",        "PasteBtn",
};

struct TState {
  bool Enabled;
  bool Visible;
  bool operator==(const TState&) const = default;
};

// Enabled and visible state of every menu item and speed button, by name.
std::map<QString, TState> States(TMainForm& frame) {
  std::map<QString, TState> states;
  for (QAction* action : frame.findChildren<QAction*>())
    if (!action->objectName().isEmpty()) states[action->objectName()] = {EnabledState(*action), action->isVisible()};
  for (QToolButton* button : frame.SpeedPanel->findChildren<QToolButton*>())
    states[button->objectName()] = {button->isEnabled(), !button->isHidden()};
  return states;
}

TEST_F(MDIChildren, ChildCommandsAreEnabledExactlyWhileAChildExists) {
  const std::map<QString, TState> atStart = States(*Frame);
  ASSERT_GT(atStart.size(), std::size(kChildCommands));
  for (int children : {0, 1, 2, 0}) {
    SCOPED_TRACE(children);
    while (Frame->MDIChildCount() < children) Frame->FileNewItemClick();
    while (Frame->MDIChildCount() > children) {
      Frame->MDIArea->subWindowList().constLast()->close();
      Settle();
    }
    Frame->UpdateMenuItems();
    std::map<QString, TState> expected = atStart;
    for (const char* name : kChildCommands) expected.at(name).Enabled = children > 0;
    EXPECT_EQ(States(*Frame), expected);
  }
}

TEST_F(MDIChildren, ActivationsKeepTheChildCommandsUpToDate) {
  Shown();
  EXPECT_FALSE(Frame->SaveBtn->isEnabled());  // the first activation, no child
  EXPECT_FALSE(Frame->WindowCascadeItem->isEnabled());
  TMDIChild* child = Frame->CreateMDIChild("one");
  EXPECT_TRUE(Frame->SaveBtn->isEnabled());
  EXPECT_TRUE(Frame->WindowTileItem->isEnabled());
  child->close();
  Settle();
  EXPECT_FALSE(Frame->SaveBtn->isEnabled());
  EXPECT_FALSE(Frame->WindowMinimizeItem->isEnabled());
}

TEST_F(MDIChildren, FrameDestroyedStopsReactingToActivations) {
  Shown();
  Frame->FormDestroy();
  Frame->CreateMDIChild("one");
  EXPECT_FALSE(Frame->SaveBtn->isEnabled());
}

TEST_F(MDIChildren, NewChildIsAnEmptyMdiChildTitledByTheCount) {
  Shown();
  Frame->FileNewItem->setVisible(true);
  Frame->FileNewItem->trigger();
  Frame->FileNewItemClick();
  EXPECT_EQ(ChildTitles(), (std::vector<QString>{"NONAME1", "NONAME2"}));
  auto* child = qobject_cast<TMDIChild*>(Frame->MDIArea->subWindowList().constFirst());
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->size(), QSize(429, 215));
  EXPECT_EQ(child->font().family(), "System");
  EXPECT_EQ(child->widget(), nullptr);
  EXPECT_TRUE(child->isVisible());
  EXPECT_TRUE(child->testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_FALSE(child->isWindow());
  child->close();
  Settle();
  Frame->FileNewItemClick();  // one child left: the count plus one
  EXPECT_EQ(ChildTitles(), (std::vector<QString>{"NONAME2", "NONAME2"}));
}

TEST_F(MDIChildren, ANewChildStartsWithItsOwnCaption) {
  TMDIChild child;
  EXPECT_EQ(child.windowTitle(), "MDI Child");
}

TEST_F(MDIChildren, OpenAsksForAnyFileAndTitlesTheChildWithItsFullName) {
  Shown();
  const std::string path = Dir.File("README");  // no extension: the filter takes it too
  std::ofstream(path) << "text";
  QStringList filters;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    filters = dialog->nameFilters();
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    dialog->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(dialog)->accept();
  });
  Frame->FileOpenItemClick();
  EXPECT_EQ(filters, QStringList{"All files (*)"});
  EXPECT_EQ(ChildTitles(), std::vector<QString>{QString::fromStdString(path)});
}

TEST_F(MDIChildren, OpenCancelledMakesNoChild) {
  Shown();
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    dialog->close();
  });
  Frame->OpenBtn->click();
  EXPECT_EQ(Frame->MDIChildCount(), 0);
}

TEST_F(MDIChildren, CloseClosesTheActiveChildOnly) {
  Shown();
  Frame->FileCloseItemClick();  // no child: nothing
  TMDIChild* first = Frame->CreateMDIChild("first");
  Frame->CreateMDIChild("second");
  Frame->MDIArea->setActiveSubWindow(first);
  Frame->FileCloseItem->setVisible(true);
  Frame->FileCloseItem->trigger();
  Settle();
  EXPECT_EQ(ChildTitles(), std::vector<QString>{"second"});
}

TEST_F(MDIChildren, MinimizeAllGoesFromTheLastOfTheChildListToTheFirst) {
  Shown();
  std::vector<TMDIChild*> children;
  for (const char* title : {"a", "b", "c"}) children.push_back(Frame->CreateMDIChild(title));
  // Stacking from the bottom: c, a, b; the child list starts with the topmost, b.
  for (TMDIChild* child : {children[2], children[0], children[1]}) Frame->MDIArea->setActiveSubWindow(child);
  ASSERT_EQ(app::MDIChildren(*Frame->MDIArea).front(), children[1]);
  std::vector<QString> minimised;
  for (TMDIChild* child : children)
    QObject::connect(child, &QMdiSubWindow::windowStateChanged, [&, child](Qt::WindowStates before, Qt::WindowStates now) {
      if ((now & Qt::WindowMinimized) && !(before & Qt::WindowMinimized)) minimised.push_back(child->windowTitle());
    });
  Frame->WindowMinimizeItem->trigger();
  EXPECT_EQ(minimised, (std::vector<QString>{"c", "a", "b"}));
  for (TMDIChild* child : children) EXPECT_TRUE(child->isMinimized());
}

TEST_F(MDIChildren, TileLeavesNoOverlapAndCascadeOverlaps) {
  Shown();
  const TMDIChild* first = Frame->CreateMDIChild("first");
  const TMDIChild* second = Frame->CreateMDIChild("second");
  Frame->WindowTileItem->trigger();
  EXPECT_FALSE(first->geometry().intersects(second->geometry()));
  Frame->WindowCascadeItem->trigger();
  EXPECT_TRUE(first->geometry().intersects(second->geometry()));
  EXPECT_NE(first->pos(), second->pos());
}

struct TIconCase {
  const char* Name;
  QSize Area;
  QSize Icon;
  int Count;
  std::vector<QPoint> Expected;
};

class IconPlaces : public ::testing::TestWithParam<TIconCase> {};

TEST_P(IconPlaces, FillTheBottomRowLeftToRightThenTheRowAbove) {
  EXPECT_EQ(IconPositions(GetParam().Area, GetParam().Icon, GetParam().Count), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, IconPlaces,
    ::testing::Values(TIconCase{"None", {500, 300}, {160, 30}, 0, {}},
                      TIconCase{"OneRow", {500, 300}, {160, 30}, 3, {{0, 270}, {160, 270}, {320, 270}}},
                      TIconCase{"Wrapped", {500, 300}, {160, 30}, 4, {{0, 270}, {160, 270}, {320, 270}, {0, 240}}},
                      TIconCase{"NarrowerThanAnIcon", {100, 300}, {160, 30}, 2, {{0, 270}, {0, 240}}}),
    [](const auto& info) { return info.param.Name; });

TEST_F(MDIChildren, ArrangeIconsLinesTheMinimisedChildrenUpAtTheBottom) {
  Shown();
  std::vector<TMDIChild*> children;
  for (const char* title : {"a", "b", "c"}) children.push_back(Frame->CreateMDIChild(title));
  children[0]->showMinimized();
  children[2]->showMinimized();
  children[0]->move(40, 10);
  children[2]->move(90, 60);
  const QPoint normalPlace = children[1]->pos();
  Frame->WindowArrangeItem->trigger();
  const int bottom = Frame->MDIArea->viewport()->height();
  EXPECT_EQ(children[0]->pos(), QPoint(0, bottom - children[0]->height()));
  EXPECT_EQ(children[2]->pos(), QPoint(children[0]->width(), bottom - children[2]->height()));
  EXPECT_EQ(children[1]->pos(), normalPlace);
}

// The items after the separator that the window list adds: text and checked.
std::vector<std::pair<QString, bool>> WindowList(QMenu& menu) {
  emit menu.aboutToShow();
  std::vector<std::pair<QString, bool>> items;
  bool listed = false;
  for (QAction* action : menu.actions()) {
    if (action->isSeparator() && action->property("windowList").toBool()) listed = true;
    else if (listed) items.emplace_back(action->text(), action->isChecked());
  }
  return items;
}

TEST_F(MDIChildren, WindowMenuListsTheChildrenAndActivatesTheChosenOne) {
  Shown();
  const int designedItems = static_cast<int>(Frame->Window1->actions().size());
  EXPECT_TRUE(WindowList(*Frame->Window1).empty());
  EXPECT_EQ(Frame->Window1->actions().size(), designedItems);
  TMDIChild* first = Frame->CreateMDIChild("NONAME1");
  Frame->CreateMDIChild("NONAME2");
  using TList = std::vector<std::pair<QString, bool>>;
  EXPECT_EQ(WindowList(*Frame->Window1), (TList{{"&1 NONAME1", false}, {"&2 NONAME2", true}}));
  EXPECT_EQ(WindowList(*Frame->Window1), (TList{{"&1 NONAME1", false}, {"&2 NONAME2", true}}));  // refilled, not added
  Frame->Window1->actions()[designedItems + 1]->trigger();
  EXPECT_EQ(Frame->MDIArea->activeSubWindow(), first);
  first->close();
  Settle();
  EXPECT_EQ(WindowList(*Frame->Window1), (TList{{"&1 NONAME2", true}}));
}

}  // namespace
}  // namespace app::test
