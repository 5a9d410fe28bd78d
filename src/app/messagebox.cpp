#include "app/messagebox.h"

#include <QApplication>
#include <QMessageBox>

#include "base/messages.h"

void InstallMessageBox() {
  platform::SetMessageHandler([](const std::string& text) {
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                             QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok);
  });
}
