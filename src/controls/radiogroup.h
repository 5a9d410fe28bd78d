// The radio group: a framed group of exclusive choices laid out in columns, read and
// set by item index (-1 for none), with one signal when the operator clicks an item.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <string>
#include <vector>

namespace controls {

struct TRadioGroupSettings {
  std::string Name;
  std::string Caption;
  std::vector<std::string> Items;  // Windows-1252 texts
  int Columns = 1;
  int ItemIndex = -1;
};

class TRadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  explicit TRadioGroup(const TRadioGroupSettings& settings, QWidget* parent = nullptr);

  int ItemIndex() const { return FButtons.checkedId(); }
  void SetItemIndex(int index);
  QRadioButton* Item(int index) const;

 signals:
  // The operator clicked an item, the one already chosen included.
  void Click();

 private:
  QButtonGroup FButtons;
};

}  // namespace controls
