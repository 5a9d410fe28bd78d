// A control's hint: a short part before the bar character, shown as its tooltip,
// and a long part after it, shown in the main window's status bar while the mouse
// is on the control. A hint without a bar serves as both.
#pragma once

#include <QString>
#include <QWidget>

namespace app {

QString ShortHint(const QString& hint);
QString LongHint(const QString& hint);

// Gives the control its hint: the tooltip becomes the short part, and the whole hint
// is kept on the control for the status bar.
void SetHint(QWidget& control, const QString& hint);

// What the status bar shows for a control: the long part of a hint given with SetHint;
// for a control of Qt's kind, its status tip, or else its tooltip (a hint without a bar).
QString LongHintOf(const QWidget& control);

}  // namespace app
