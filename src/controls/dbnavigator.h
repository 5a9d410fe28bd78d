// The navigator: ten buttons that move and change the cursor of a data source,
// enabled as the cursor's row and state allow. Buttons take no keyboard focus,
// so a bound edit keeps it (and its text) while the row is posted.
#pragma once

#include <QToolButton>
#include <QWidget>
#include <array>
#include <string>

#include "controls/datalink.h"

namespace controls {

enum class TNavigateButton { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh };
inline constexpr int kNavigateButtonCount = 10;

inline constexpr const char* kDeleteQuestion = "Delete record?";

struct TNavigatorSettings {
  std::string Name;
};

class TDBNavigator : public QWidget {
  Q_OBJECT

 public:
  explicit TDBNavigator(const TNavigatorSettings& settings, QWidget* parent = nullptr);

  void SetDataSource(tables::TDataSource* source);
  QToolButton* Button(TNavigateButton button) const { return FButtons[static_cast<int>(button)]; }

 signals:
  // After the button's work; not when the work failed.
  void Click(controls::TNavigateButton button);

 private:
  void Press(TNavigateButton button);
  void UpdateButtons();

  std::array<QToolButton*, kNavigateButtonCount> FButtons{};
  TDataLink FLink;
};

}  // namespace controls
