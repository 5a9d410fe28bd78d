#include "controls/qtext.h"

#include <QFocusEvent>

#include "base/ansi.h"

namespace controls {

QString ToQString(const std::string& ansi) {
  const std::u16string wide = platform::AnsiToUtf16(ansi);
  return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string FromQString(const QString& text) {
  return platform::Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                   static_cast<std::size_t>(text.size())));
}

bool IsStorableText(const QString& text) {
  for (const QChar character : text) {
    if (character.category() == QChar::Other_Control) return false;
    // A character maps to Windows-1252 when it comes back from the round trip unchanged.
    const QString single(character);
    if (ToQString(FromQString(single)) != single) return false;
  }
  return true;
}

bool IsExit(const QEvent& event) {
  if (event.type() != QEvent::FocusOut) return false;
  const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace controls
