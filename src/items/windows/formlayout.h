// What the shop's windows share in laying out their controls: labelled rows of
// fields, a row of buttons, and the window centred on the screen.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QWidget>
#include <initializer_list>
#include <vector>

namespace items {

// The background of the shop's entry fields and of the about box's text.
inline const QColor kAqua{0, 255, 255};
// The colour a field's text is written on.
void SetBackground(QWidget& field, const QColor& colour);
void SetAquaBackground(QWidget& field);
// A label at rect whose buddy is field: its mnemonic and screen readers lead there
// (its text, less "&" and ":", names the field and the text boxes within it).
QLabel* MakeBuddyLabel(QWidget& parent, const char* text, QRect rect, QWidget& field);

// A bound edit of a window's field panel.
struct TEditRow {
  const char* Label;
  const char* Name;
  const char* DataField;
};

struct TFieldPanelStyle {
  int Left = 8;           // of the labels
  int LabelWidth = 100;
  int FieldWidth = 200;
  int Top = 6;
  int RowHeight = 26;
  int FieldHeight = 22;
  Qt::Alignment LabelAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  bool Aqua = false;      // fields on an aqua background
};

// Rows of a label to the left of its field, top to bottom, each label the buddy of its field.
class TFieldPanel {
 public:
  explicit TFieldPanel(QWidget& panel, TFieldPanelStyle style = {});
  // buddy: the widget that takes the focus and the colour (the field's line edit).
  QLabel* AddRow(const char* label, QWidget& field, QWidget* buddy);

 private:
  QWidget& FPanel;
  TFieldPanelStyle FStyle;
  int FRows = 0;
};

struct TButtonSpec {
  const char* Name;
  const char* Caption;
};

// Buttons left to right, the first at first, each spacing pixels right of the one before.
std::vector<QPushButton*> MakeButtonRow(QWidget& parent, std::initializer_list<TButtonSpec> buttons, QRect first,
                                        int spacing);

void CentreOnScreen(QWidget& window);

}  // namespace items
