#include "items/windows/formlayout.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace items {

namespace {

const QColor kAqua(0, 255, 255);

}  // namespace

TFieldPanel::TFieldPanel(QWidget& panel, TFieldPanelStyle style) : FPanel(panel), FStyle(style) {}

QLabel* TFieldPanel::AddRow(const char* label, QWidget& field, QWidget* buddy) {
  const int top = FStyle.Top + FRows++ * FStyle.RowHeight;
  auto* caption = new QLabel(label, &FPanel);
  caption->setGeometry(FStyle.Left, top, FStyle.LabelWidth, FStyle.FieldHeight);
  caption->setAlignment(FStyle.LabelAlignment);
  caption->setBuddy(buddy);
  field.setGeometry(FStyle.Left + FStyle.LabelWidth + 6, top, FStyle.FieldWidth, FStyle.FieldHeight);
  if (FStyle.Aqua && buddy) {
    QPalette palette = buddy->palette();
    palette.setColor(QPalette::Base, kAqua);
    buddy->setPalette(palette);
  }
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
