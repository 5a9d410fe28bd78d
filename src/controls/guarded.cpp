#include "controls/guarded.h"

#include <exception>

#include "base/messages.h"

namespace controls {

bool TGuardedApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  Guarded([&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace controls
