// The default error display: an error that leaves an event handler is shown with
// its message through the replaceable message display (platform::ShowMessage) and
// the program goes on, the window in the state it had reached. Qt must never see
// an exception leave a slot or an event handler, so every handler of the controls
// runs through Guarded, and TGuardedApplication catches what slips past anyway.
#pragma once

#include <QApplication>
#include <QObject>
#include <functional>
#include <string>
#include <utility>

#include "base/messages.h"

namespace controls {

using platform::Guarded;
using platform::kUnknownErrorText;

// Connects a signal to a handler that runs guarded; the handler receives the signal's arguments.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, QObject* context, Handler handler) {
  return QObject::connect(sender, signal, context, [handler = std::move(handler)](auto&&... arguments) {
    Guarded([&] { handler(std::forward<decltype(arguments)>(arguments)...); });
  });
}

// The last net: an exception thrown by any event handler of the program is shown, not fatal.
class TGuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace controls
