// The MDI child window: an empty document window inside the main window's workspace,
// destroyed when it is closed.
#pragma once

#include <QMdiSubWindow>

class TMDIChild : public QMdiSubWindow {
  Q_OBJECT

 public:
  explicit TMDIChild(QWidget* parent = nullptr);
};
