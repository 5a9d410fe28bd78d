// The spin edit: a number stepped with the arrows (buttons, arrow keys, wheel)
// between a minimum and a maximum; its text cannot be typed into.
#pragma once

#include <QSpinBox>
#include <string>

namespace controls {

struct TSpinSettings {
  std::string Name;
  int Minimum = 0;
  int Maximum = 100;
  int Step = 1;
  int Value = 0;
};

class TSpinEdit : public QSpinBox {
  Q_OBJECT

 public:
  explicit TSpinEdit(const TSpinSettings& settings, QWidget* parent = nullptr);
};

}  // namespace controls
