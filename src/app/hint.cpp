#include "app/hint.h"

#include <QVariant>

namespace app {

namespace {

constexpr QChar kHintSeparator = u'|';
// The dynamic property that holds a hint given with SetHint.
constexpr const char* kHintProperty = "hint";

}  // namespace

QString ShortHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(kHintSeparator);
  return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString& hint) {
  const qsizetype bar = hint.indexOf(kHintSeparator);
  return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetHint(QWidget& control, const QString& hint) {
  control.setProperty(kHintProperty, hint);
  control.setToolTip(ShortHint(hint));
}

QString LongHintOf(const QWidget& control) {
  const QVariant hint = control.property(kHintProperty);
  if (hint.isValid()) return LongHint(hint.toString());
  return control.statusTip().isEmpty() ? control.toolTip() : control.statusTip();
}

}  // namespace app
