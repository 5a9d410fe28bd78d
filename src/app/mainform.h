// The program's frame window. For now a plain frame with the program's caption;
// menus, tool strip and status bar come with the main window proper.
#pragma once

#include <QMainWindow>

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(QWidget* parent = nullptr);
};

extern TMainForm* MainForm;
