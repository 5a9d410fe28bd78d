#include "controls/lookupcombo.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "controls/guarded.h"
#include "controls/qtext.h"

namespace controls {

namespace {

// Room for the cell's margins beside the characters.
constexpr int kColumnMarginPixels = 8;

TGridSettings LookupGridSettings(const TLookupSettings& settings, const QFontMetrics& metrics) {
  TGridSettings grid{settings.Name + "Grid", {}};
  for (const auto& column : settings.Columns) {
    grid.Columns.push_back(
        {column.Title, column.FieldName, column.Characters * metrics.averageCharWidth() + kColumnMarginPixels});
  }
  return grid;
}

}  // namespace

TLookupDialog::TLookupDialog(const TLookupSettings& settings, tables::TDataSource* source, QWidget* parent)
    : QDialog(parent),
      FSettings(settings),
      FTable(source ? source->DataSet() : nullptr),
      FSearch(new QLineEdit(this)),
      FSearchField(new QComboBox(this)),
      FGrid(new TDBGrid(LookupGridSettings(settings, fontMetrics()), this)) {
  setObjectName(QString::fromStdString(settings.Name + "Dialog"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(FSearchField);
  searchRow->addWidget(FSearch, 1);
  layout->addLayout(searchRow);
  layout->addWidget(FGrid);
  FSearchField->setObjectName(QString::fromStdString(settings.Name + "SearchField"));
  FSearchField->setAccessibleName(QStringLiteral("Search by"));
  for (const auto& column : settings.Columns) {
    FSearchField->addItem(ToQString(column.Title), ToQString(column.FieldName));
    if (column.FieldName == settings.LookupField) FSearchField->setCurrentIndex(FSearchField->count() - 1);
  }
  FSearch->setObjectName(QString::fromStdString(settings.Name + "Search"));
  FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
  FGrid->verticalHeader()->hide();
  if (settings.MaxDropHeight > 0) setMaximumHeight(settings.MaxDropHeight);
  if (FTable && FTable->Active()) FTable->SetIndexFieldNames(settings.LookupField);
  FGrid->SetDataSource(source);
  int width = 0;
  for (int c = 0; c < FGrid->model()->columnCount(); ++c) width += FGrid->columnWidth(c);
  resize(width + 2 * layout->contentsMargins().left() + 4, settings.MaxDropHeight > 0 ? settings.MaxDropHeight : 300);
  ConnectGuarded(FSearch, &QLineEdit::textEdited, this, [this](const QString&) { Search(); });
  ConnectGuarded(FSearchField, &QComboBox::currentIndexChanged, this, [this](int) {
    if (FTable && FTable->Active()) FTable->SetIndexFieldNames(FromQString(FSearchField->currentData().toString()));
    Search();
  });
  ConnectGuarded(FSearch, &QLineEdit::returnPressed, this, [this] { Pick(); });
  ConnectGuarded(FGrid, &QAbstractItemView::activated, this, [this](const QModelIndex&) { Pick(); });
  ConnectGuarded(FGrid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex&) { Pick(); });
  FSearch->setFocus();
}

QString TLookupDialog::PickedText() const {
  if (!FTable || !FTable->Active() || FTable->IsEmpty()) return {};
  return ToQString(FTable->FieldByName(FSettings.DisplayField).AsString());
}

void TLookupDialog::Search() {
  if (FTable && FTable->Active()) FTable->FindNearest(FromQString(FSearch->text()));
}

void TLookupDialog::Pick() {
  if (result() == QDialog::Accepted || !isVisible()) return;
  if (!FTable || !FTable->Active() || FTable->IsEmpty()) return;
  accept();
}

TLookupCombo::TLookupCombo(TLookupSettings settings, QWidget* parent)
    : QWidget(parent), FSettings(std::move(settings)), FEdit(new QLineEdit(this)), FButton(new QToolButton(this)) {
  setObjectName(QString::fromStdString(FSettings.Name));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FEdit);
  layout->addWidget(FButton);
  if (FSettings.MaxLength > 0) FEdit->setMaxLength(FSettings.MaxLength);
  FButton->setArrowType(Qt::DownArrow);
  FButton->setFocusPolicy(Qt::NoFocus);
  FButton->setAccessibleName(QStringLiteral("Open the list"));
  setFocusProxy(FEdit);
  FEdit->installEventFilter(this);
  ConnectGuarded(FButton, &QToolButton::clicked, this, [this](bool) { DropDown(); });
}

void TLookupCombo::DropDown() {
  if (FDialog) return;
  auto* dialog = new TLookupDialog(FSettings, FSource, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->move(mapToGlobal(QPoint(0, height())));
  ConnectGuarded(dialog, &QDialog::accepted, this, [this, dialog] {
    FEdit->setText(dialog->PickedText());
    FEdit->setFocus();
    emit Picked();
  });
  FDialog = dialog;
  dialog->open();
}

bool TLookupCombo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FEdit) {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) {
        Guarded([this] { DropDown(); });
        return true;
      }
    } else if (IsExit(*event) && !FDialog) {
      emit Exited();
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace controls
