#include "controls/radiogroup.h"

#include <QGridLayout>
#include <algorithm>

#include "controls/qtext.h"

namespace controls {

TRadioGroup::TRadioGroup(const TRadioGroupSettings& settings, QWidget* parent)
    : QGroupBox(ToQString(settings.Caption), parent) {
  setObjectName(QString::fromStdString(settings.Name));
  auto* grid = new QGridLayout(this);
  const int columns = std::max(1, settings.Columns);
  const int rows = (static_cast<int>(settings.Items.size()) + columns - 1) / columns;
  for (int i = 0; i < static_cast<int>(settings.Items.size()); ++i) {
    auto* button = new QRadioButton(ToQString(settings.Items[i]), this);
    button->setObjectName(objectName() + QString::number(i));
    FButtons.addButton(button, i);
    // Items run down the first column, then down the next.
    grid->addWidget(button, i % rows, i / rows);
  }
  SetItemIndex(settings.ItemIndex);
  connect(&FButtons, &QButtonGroup::idClicked, this, [this](int) { emit Click(); });
}

void TRadioGroup::SetItemIndex(int index) {
  if (QRadioButton* button = Item(index)) {
    button->setChecked(true);
    return;
  }
  // No item chosen: exclusivity would keep the old one checked.
  FButtons.setExclusive(false);
  for (QAbstractButton* button : FButtons.buttons()) button->setChecked(false);
  FButtons.setExclusive(true);
}

QRadioButton* TRadioGroup::Item(int index) const { return qobject_cast<QRadioButton*>(FButtons.button(index)); }

}  // namespace controls
