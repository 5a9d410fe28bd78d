#include "items/windows/formlayout.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace items {

namespace {

const QColor kAqua(0, 255, 255);

}  // namespace

TFieldPanel::TFieldPanel(QWidget& panel, TFieldPanelStyle style) : FPanel(panel), FStyle(style) {}

void SetAquaBackground(QWidget& field) {
  QPalette palette = field.palette();
  palette.setColor(QPalette::Base, kAqua);
  field.setPalette(palette);
}

QLabel* MakeBuddyLabel(QWidget& parent, const char* text, QRect rect, QWidget& field) {
  auto* label = new QLabel(text, &parent);
  label->setGeometry(rect);
  label->setBuddy(&field);
  return label;
}

QLabel* TFieldPanel::AddRow(const char* label, QWidget& field, QWidget* buddy) {
  const int top = FStyle.Top + FRows++ * FStyle.RowHeight;
  QLabel* caption = MakeBuddyLabel(FPanel, label, QRect(FStyle.Left, top, FStyle.LabelWidth, FStyle.FieldHeight),
                                   buddy ? *buddy : field);
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
