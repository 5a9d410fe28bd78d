#include "controls/guarded.h"

#include <exception>

#include "base/messages.h"

namespace controls {

bool Guarded(const std::function<void()>& handler) {
  std::string message;
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    message = error.what();
  } catch (...) {
    message = kUnknownErrorText;
  }
  // Shown outside the handler, so a display that runs a modal loop holds no exception.
  platform::ShowMessage(message);
  return false;
}

bool TGuardedApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  Guarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace controls
