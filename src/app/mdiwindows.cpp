#include "app/mdiwindows.h"

#include <QAction>
#include <QPointer>
#include <algorithm>

#include "controls/guarded.h"

namespace app {

namespace {

// Marks the menu items that FillWindowList owns, so that a refill finds them.
constexpr const char* kWindowListProperty = "windowList";
// Only the first nine children get a numbered item, as in the system's window menus.
constexpr int kListedChildren = 9;

void RemoveWindowList(QMenu& menu) {
  for (QAction* action : menu.actions()) {
    if (action->property(kWindowListProperty).toBool()) {
      menu.removeAction(action);
      delete action;
    }
  }
}

QAction* AddListed(QMenu& menu, QAction* action) {
  action->setProperty(kWindowListProperty, true);
  menu.addAction(action);
  return action;
}

}  // namespace

std::vector<QMdiSubWindow*> MDIChildren(const QMdiArea& area) {
  const QList<QMdiSubWindow*> bottomFirst = area.subWindowList(QMdiArea::StackingOrder);
  return {bottomFirst.rbegin(), bottomFirst.rend()};
}

void MinimizeAll(const QMdiArea& area) {
  const std::vector<QMdiSubWindow*> children = MDIChildren(area);
  std::for_each(children.rbegin(), children.rend(), [](QMdiSubWindow* child) { child->showMinimized(); });
}

std::vector<QPoint> IconPositions(QSize area, QSize icon, int count) {
  const int perRow = std::max(1, area.width() / std::max(1, icon.width()));
  std::vector<QPoint> positions;
  for (int i = 0; i < count; ++i) {
    const int row = i / perRow;
    const int column = i % perRow;
    positions.emplace_back(column * icon.width(), area.height() - (row + 1) * icon.height());
  }
  return positions;
}

void ArrangeIcons(QMdiArea& area) {
  std::vector<QMdiSubWindow*> icons;
  for (QMdiSubWindow* child : area.subWindowList(QMdiArea::CreationOrder))
    if (child->isMinimized()) icons.push_back(child);
  if (icons.empty()) return;
  const QSize iconSize = icons.front()->size();
  const std::vector<QPoint> positions =
      IconPositions(area.viewport()->size(), iconSize, static_cast<int>(icons.size()));
  for (size_t i = 0; i < icons.size(); ++i) icons[i]->move(positions[i]);
}

void FillWindowList(QMenu& menu, QMdiArea& area) {
  RemoveWindowList(menu);
  const QList<QMdiSubWindow*> children = area.subWindowList(QMdiArea::CreationOrder);
  if (children.isEmpty()) return;
  AddListed(menu, new QAction(&menu))->setSeparator(true);
  for (int i = 0; i < std::min<int>(kListedChildren, children.size()); ++i) {
    QMdiSubWindow* child = children[i];
    QAction* item = AddListed(menu, new QAction(QString("&%1 %2").arg(i + 1).arg(child->windowTitle()), &menu));
    item->setCheckable(true);
    item->setChecked(child == area.activeSubWindow());
    controls::ConnectGuarded(item, &QAction::triggered, &area, [&area, child = QPointer<QMdiSubWindow>(child)](bool) {
      if (child) area.setActiveSubWindow(child);
    });
  }
}

}  // namespace app
