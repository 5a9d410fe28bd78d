#include "controls/confirm.h"

#include <QApplication>
#include <QMessageBox>

#include "controls/qtext.h"

namespace controls {

namespace {

bool AskWithMessageBox(const std::string& question) {
  return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                               ToQString(question), QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Cancel) == QMessageBox::Ok;
}

TConfirmHandler& Handler() {
  static TConfirmHandler handler = AskWithMessageBox;
  return handler;
}

}  // namespace

bool Confirm(const std::string& question) { return Handler()(question); }

TConfirmHandler SetConfirmHandler(TConfirmHandler handler) {
  return std::exchange(Handler(), handler ? std::move(handler) : TConfirmHandler(AskWithMessageBox));
}

}  // namespace controls
