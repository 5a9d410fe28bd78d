// The commands that open the program's working windows from the main window.
#pragma once

#include <QWidget>

namespace app {

// Opens the normal-printer window owned by owner, or does nothing while it is open.
void OpenNormalPrinter(QWidget* owner);

}  // namespace app
