#include "items/windows/formlayout.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>

namespace items {

TFieldPanel::TFieldPanel(QWidget& panel, TFieldPanelStyle style) : FPanel(panel), FStyle(style) {}

void SetBackground(QWidget& field, const QColor& colour) {
  QPalette palette = field.palette();
  palette.setColor(QPalette::Base, colour);
  field.setPalette(palette);
}

void SetAquaBackground(QWidget& field) { SetBackground(field, kAqua); }

QLabel* MakeBuddyLabel(QWidget& parent, const char* text, QRect rect, QWidget& field) {
  auto* label = new QLabel(text, &parent);
  label->setGeometry(rect);
  label->setBuddy(&field);
  // The label names the field for screen readers, its text boxes inside included.
  const QString name = QString(text).remove('&').remove(':');
  field.setAccessibleName(name);
  for (QLineEdit* box : field.findChildren<QLineEdit*>()) box->setAccessibleName(name);
  return label;
}

QLabel* TFieldPanel::AddRow(const char* label, QWidget& field, QWidget* buddy) {
  const int top = FStyle.Top + FRows++ * FStyle.RowHeight;
  QLabel* caption = MakeBuddyLabel(FPanel, label, QRect(FStyle.Left, top, FStyle.LabelWidth, FStyle.FieldHeight),
                                   field);
  if (buddy) caption->setBuddy(buddy);  // the focus goes to the box within the field
  caption->setAlignment(FStyle.LabelAlignment);
  field.setGeometry(FStyle.Left + FStyle.LabelWidth + 6, top, FStyle.FieldWidth, FStyle.FieldHeight);
  if (FStyle.Aqua && buddy) SetAquaBackground(*buddy);
  return caption;
}

std::vector<QPushButton*> MakeButtonRow(QWidget& parent, std::initializer_list<TButtonSpec> buttons, QRect first,
                                        int spacing) {
  std::vector<QPushButton*> made;
  for (const TButtonSpec& spec : buttons) {
    auto* button = new QPushButton(spec.Caption, &parent);
    button->setObjectName(spec.Name);
    button->setGeometry(first.translated(spacing * static_cast<int>(made.size()), 0));
    made.push_back(button);
  }
  return made;
}

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame(QPoint(), window.size());
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

}  // namespace items
