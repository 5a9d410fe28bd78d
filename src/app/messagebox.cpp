#include "app/messagebox.h"

#include <QApplication>
#include <QMessageBox>

#include "base/messages.h"
#include "graphics/qt/qtcanvas.h"

void InstallMessageBox() {
  platform::SetMessageHandler([](const std::string& text) {
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                             platform::AnsiToQString(text), QMessageBox::Ok);
  });
}
