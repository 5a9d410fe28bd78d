// What the main window does with the MDI children in its workspace beyond Qt's own
// cascade and tile: the child list, minimising them all, arranging the icons of the
// minimised ones, and listing them in the Window menu.
#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPoint>
#include <QSize>
#include <vector>

namespace app {

// The frame's child list: the topmost child first, the bottommost last.
std::vector<QMdiSubWindow*> MDIChildren(const QMdiArea& area);

// Minimises every child, from the last of the child list to the first.
void MinimizeAll(const QMdiArea& area);

// Places of count icons of the given size in an area: left to right along the bottom
// edge, a full row continuing in the row above.
std::vector<QPoint> IconPositions(QSize area, QSize icon, int count);

// Lines the minimised children up along the bottom of the workspace, in creation order.
void ArrangeIcons(QMdiArea& area);

// Replaces the window list at the end of menu with one item per child in creation
// order ("&1 NONAME1"), the active one checked; choosing an item activates its child.
void FillWindowList(QMenu& menu, QMdiArea& area);

}  // namespace app
