#include "app/hintrouter.h"

#include <QApplication>
#include <QEvent>
#include <QStatusTipEvent>
#include <QWidget>

#include "app/hint.h"

namespace app {

TApplicationHint::TApplicationHint(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

TApplicationHint::~TApplicationHint() { qApp->removeEventFilter(this); }

bool TApplicationHint::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Enter:
      if (auto* control = qobject_cast<QWidget*>(watched)) SetHint(LongHintOf(*control));
      return false;
    case QEvent::Leave:
      SetHint(QString());
      return false;
    case QEvent::StatusTip:
      // Menu highlights and Qt's own status tips: taken here, so that no window shows
      // them on its own and the hint is the same whichever window it came from.
      SetHint(static_cast<QStatusTipEvent*>(event)->tip());
      return true;
    default:
      return false;
  }
}

void TApplicationHint::SetHint(const QString& hint) {
  if (hint == FHint) return;
  FHint = hint;
  emit HintChanged();
}

}  // namespace app
