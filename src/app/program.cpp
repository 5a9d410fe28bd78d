#include "app/program.h"

#include <QApplication>
#include <exception>
#include <memory>

#include "app/mainform.h"
#include "base/messages.h"
#include "items/globvar.h"

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
