#include "controls/spinedit.h"

#include <QLineEdit>

namespace controls {

TSpinEdit::TSpinEdit(const TSpinSettings& settings, QWidget* parent) : QSpinBox(parent) {
  setObjectName(QString::fromStdString(settings.Name));
  setRange(settings.Minimum, settings.Maximum);
  setSingleStep(settings.Step);
  setValue(settings.Value);
  // Only the text is read-only: the box's own read-only would stop the arrows too.
  lineEdit()->setReadOnly(true);
}

}  // namespace controls
