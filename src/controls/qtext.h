// The program's strings are Windows-1252 bytes; Qt's are UTF-16. These are the
// conversions at the edge between them, never through the locale.
#pragma once

#include <QEvent>
#include <QString>
#include <string>

namespace controls {

QString ToQString(const std::string& ansi);
// Characters outside Windows-1252 become '?'; callers that must refuse them check first.
std::string FromQString(const QString& text);
// True when every character has a Windows-1252 byte and none is a control character.
bool IsStorableText(const QString& text);

// Focus leaving a box for another control of its window: what its exit handler runs on.
// Another window becoming active or a popup menu opening is no exit.
bool IsExit(const QEvent& event);

}  // namespace controls
