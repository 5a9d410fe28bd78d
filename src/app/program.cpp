#include "app/program.h"

#include <QApplication>
#include <exception>
#include <memory>

#include "app/mainform.h"
#include "app/messagebox.h"
#include "base/messages.h"
#include "graphics/qt/qtcanvas.h"
#include "items/globvar.h"

void SetUpApplication() {
  QApplication::setApplicationName("Barcode Printing Software");
  platform::InstallQtScreenResolution();
  InstallMessageBox();
}

int RunProgram(const std::string& dataDirectory) {
  auto mainForm = std::make_unique<TMainForm>();
  MainForm = mainForm.get();
  try {
    LoadSettings(dataDirectory);
  } catch (const std::exception& e) {
    // Without its settings the program cannot print: report and end before the window shows.
    platform::ShowMessage(e.what());
    MainForm = nullptr;
    return 1;
  }
  MainForm->showMaximized();
  int exitCode = QApplication::exec();
  MainForm = nullptr;
  return exitCode;
}
