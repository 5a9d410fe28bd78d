// Program entry.
#include <QApplication>

#include "app/messagebox.h"
#include "app/program.h"
#include "base/brokenpipe.h"
#include "base/datadir.h"
#include "controls/guarded.h"
#include "graphics/qt/qtcanvas.h"

int main(int argc, char** argv) {
  platform::IgnoreBrokenPipeSignal();  // a printer pipe or socket that closes is an error text, not the end
  controls::TGuardedApplication application(argc, argv);
  // The title of message boxes. Not set as display name: Qt would add that to every caption.
  QApplication::setApplicationName("Barcode Printing Software");
  platform::InstallQtScreenResolution();
  InstallMessageBox();
  return RunProgram(platform::DataDirectory());
}
