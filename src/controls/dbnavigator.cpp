#include "controls/dbnavigator.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>

#include "controls/confirm.h"
#include "controls/guarded.h"
#include "controls/qtext.h"

namespace controls {

using tables::TDataSetState;
using tables::TTable;

namespace {

constexpr int kGlyphSize = 16;

using TPoints = std::initializer_list<QPointF>;

QPainterPath Polygons(std::initializer_list<TPoints> polygons) {
  QPainterPath path;
  for (const auto& points : polygons) path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

// A ring open at the top right with an arrowhead at its end.
QPainterPath RefreshGlyph() {
  QPainterPath path;
  path.arcMoveTo(2, 2, 12, 12, 60);
  path.arcTo(2, 2, 12, 12, 60, 270);
  path.arcTo(5, 5, 6, 6, 330, -270);
  path.closeSubpath();
  path.addPolygon(QPolygonF({QPointF(8, 0.5), QPointF(12.5, 3.5), QPointF(8, 6.5)}));
  return path;
}

struct TButtonKind {
  TNavigateButton Button;
  const char* Name;
  const char* Hint;
  std::function<QPainterPath()> Glyph;
};

// The glyphs on a 16 by 16 grid.
const TButtonKind kButtons[kNavigateButtonCount] = {
    {TNavigateButton::nbFirst, "nbFirst", "First record",
     [] { return Polygons({{{3, 3}, {5, 3}, {5, 13}, {3, 13}}, {{13, 3}, {6, 8}, {13, 13}}}); }},
    {TNavigateButton::nbPrior, "nbPrior", "Prior record", [] { return Polygons({{{11, 3}, {5, 8}, {11, 13}}}); }},
    {TNavigateButton::nbNext, "nbNext", "Next record", [] { return Polygons({{{5, 3}, {11, 8}, {5, 13}}}); }},
    {TNavigateButton::nbLast, "nbLast", "Last record",
     [] { return Polygons({{{3, 3}, {10, 8}, {3, 13}}, {{11, 3}, {13, 3}, {13, 13}, {11, 13}}}); }},
    {TNavigateButton::nbInsert, "nbInsert", "Insert record",
     [] { return Polygons({{{7, 3}, {9, 3}, {9, 13}, {7, 13}}, {{3, 7}, {13, 7}, {13, 9}, {3, 9}}}); }},
    {TNavigateButton::nbDelete, "nbDelete", "Delete record",
     [] { return Polygons({{{3, 7}, {13, 7}, {13, 9}, {3, 9}}}); }},
    {TNavigateButton::nbEdit, "nbEdit", "Edit record", [] { return Polygons({{{3, 11}, {8, 4}, {13, 11}}}); }},
    {TNavigateButton::nbPost, "nbPost", "Post edit",
     [] { return Polygons({{{2, 8}, {4, 6}, {7, 9}, {12, 3}, {14, 5}, {7, 12}}}); }},
    {TNavigateButton::nbCancel, "nbCancel", "Cancel edit",
     [] {
       return Polygons({{{3, 5}, {5, 3}, {13, 11}, {11, 13}}, {{11, 3}, {13, 5}, {5, 13}, {3, 11}}});
     }},
    {TNavigateButton::nbRefresh, "nbRefresh", "Refresh data", RefreshGlyph},
};

QIcon GlyphIcon(const QPainterPath& glyph) {
  QPixmap pixmap(kGlyphSize, kGlyphSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(glyph, Qt::black);
  return QIcon(pixmap);  // Qt greys it for a disabled button
}

// The cursor's work of each button; false when the operator declined.
bool DoButtonWork(TNavigateButton button, TTable& table) {
  switch (button) {
    case TNavigateButton::nbFirst: table.First(); break;
    case TNavigateButton::nbPrior: table.Prior(); break;
    case TNavigateButton::nbNext: table.Next(); break;
    case TNavigateButton::nbLast: table.Last(); break;
    case TNavigateButton::nbInsert: table.Insert(); break;
    case TNavigateButton::nbDelete:
      if (!Confirm(kDeleteQuestion)) return false;
      table.Delete();
      break;
    case TNavigateButton::nbEdit: table.Edit(); break;
    case TNavigateButton::nbPost: table.Post(); break;
    case TNavigateButton::nbCancel: table.Cancel(); break;
    case TNavigateButton::nbRefresh: table.Refresh(); break;
  }
  return true;
}

}  // namespace

TDBNavigator::TDBNavigator(const TNavigatorSettings& settings, QWidget* parent) : QWidget(parent) {
  setObjectName(QString::fromStdString(settings.Name));
  setAccessibleName("Record navigator");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const auto& kind : kButtons) {
    auto* button = new QToolButton(this);
    button->setObjectName(kind.Name);
    button->setIcon(GlyphIcon(kind.Glyph()));
    button->setIconSize(QSize(kGlyphSize, kGlyphSize));
    button->setToolTip(ToQString(kind.Hint));
    button->setAccessibleName(ToQString(kind.Hint));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(false);
    layout->addWidget(button);
    FButtons[static_cast<int>(kind.Button)] = button;
    const TNavigateButton which = kind.Button;
    ConnectGuarded(button, &QToolButton::clicked, this, [this, which](bool) { Press(which); });
  }
  FLink.OnDataChange = [this](tables::TField* field) {
    if (!field) UpdateButtons();
  };
  FLink.OnStateChange = [this] { UpdateButtons(); };
  UpdateButtons();
}

void TDBNavigator::SetDataSource(tables::TDataSource* source) {
  FLink.SetDataSource(source);
  UpdateButtons();
}

void TDBNavigator::Press(TNavigateButton button) {
  if (FLink.Active()) DoButtonWork(button, *FLink.Table());
  emit Click(button);
}

void TDBNavigator::UpdateButtons() {
  const bool active = FLink.Active();
  const bool editing = active && FLink.State() != TDataSetState::dsBrowse;
  bool atFirst = true;
  bool atLast = true;
  bool empty = true;
  if (active) {
    TTable& table = *FLink.Table();
    const int rows = table.RecordCount();
    const int position = table.CurrentPosition();
    empty = rows == 0;
    atFirst = position <= 0;
    atLast = position < 0 || position >= rows - 1;
  }
  auto enable = [this](TNavigateButton button, bool on) { Button(button)->setEnabled(on); };
  enable(TNavigateButton::nbFirst, active && !atFirst);
  enable(TNavigateButton::nbPrior, active && !atFirst);
  enable(TNavigateButton::nbNext, active && !atLast);
  enable(TNavigateButton::nbLast, active && !atLast);
  enable(TNavigateButton::nbInsert, active && !editing);
  enable(TNavigateButton::nbDelete, active && !editing && !empty);
  enable(TNavigateButton::nbEdit, active && !editing);
  enable(TNavigateButton::nbPost, editing);
  enable(TNavigateButton::nbCancel, editing);
  enable(TNavigateButton::nbRefresh, active && !editing);
}

}  // namespace controls
