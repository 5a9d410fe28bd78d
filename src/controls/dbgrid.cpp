#include "controls/dbgrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <algorithm>

#include "controls/fieldtext.h"
#include "controls/guarded.h"

namespace controls {

namespace {

// Cell editors limited to the field's size; the text goes back through the grid, guarded.
class TGridDelegate : public QStyledItemDelegate {
 public:
  explicit TGridDelegate(TDBGrid& grid) : QStyledItemDelegate(&grid), FGrid(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* line = qobject_cast<QLineEdit*>(editor);
    const tables::TField* field = FGrid.Model().ColumnField(index.column());
    if (line && field && field->DataType() == tables::TFieldType::ftString) line->setMaxLength(field->Size());
    return editor;
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line || line->text() == index.data(Qt::EditRole).toString()) return;
    const QString text = line->text();
    Guarded([&] { FGrid.WriteCell(index.row(), index.column(), text); });
  }

 private:
  TDBGrid& FGrid;
};

}  // namespace

TDBGrid::TDBGrid(const TGridSettings& settings, QWidget* parent)
    : QTableView(parent), FModel(new TGridModel(settings.Columns, this)) {
  setObjectName(QString::fromStdString(settings.Name));
  setModel(FModel);
  setItemDelegate(new TGridDelegate(*this));
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  setSelectionMode(QAbstractItemView::SingleSelection);
  ApplyColumnWidths();
  ConnectGuarded(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                 [this](const QModelIndex& current, const QModelIndex&) {
                   if (!FFollowing && current.isValid()) MoveCursorTo(current.row());
                 });
  FLink.OnDataChange = [this](tables::TField* field) {
    if (field) {
      FModel->CurrentRowChanged();
    } else {
      FModel->Reload();
      FollowCursor();
    }
  };
  FLink.OnStateChange = [this] {
    FModel->Reload();
    FollowCursor();
  };
}

void TDBGrid::SetDataSource(tables::TDataSource* source) {
  FLink.SetDataSource(source);
  FModel->SetTable(FLink.Table());
  ApplyColumnWidths();
  FollowCursor();
}

void TDBGrid::ApplyColumnWidths() {
  const auto& columns = FModel->Columns();
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    setColumnWidth(c, columns[c].Width > 0 ? columns[c].Width : horizontalHeader()->defaultSectionSize());
  }
}

void TDBGrid::FollowCursor() {
  const int row = FModel->CurrentRow();
  const QModelIndex current = currentIndex();
  if (row < 0 || current.row() == row) return;
  FFollowing = true;
  const int column = current.isValid() ? current.column() : 0;
  setCurrentIndex(FModel->index(row, column));
  FFollowing = false;
}

void TDBGrid::MoveCursorTo(int row) {
  if (!FLink.Active() || row == FModel->CurrentRow()) return;
  try {
    // A pending new row has no bookmark; choosing it again only shows it.
    if (!FModel->IsPendingNewRow(row)) FLink.Table()->GotoBookmark(FModel->BookmarkAt(row));
  } catch (...) {
    // The cursor stayed (its post failed, or the row is gone): so does the grid.
    FModel->Reload();
    FFollowing = true;
    setCurrentIndex(FModel->index(FModel->CurrentRow(), std::max(currentIndex().column(), 0)));
    FFollowing = false;
    throw;
  }
}

void TDBGrid::SetMultiSelect(bool on) {
  setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

std::vector<tables::TTable::TBookmark> TDBGrid::SelectedBookmarks() const {
  // Read from the selection's ranges, not its cells: Ctrl+A on a long table is one range.
  std::vector<int> rows;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
  }
  std::ranges::sort(rows);
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  // One read per run of adjacent rows; a pending new row lies past the stored ones, where none is read.
  std::vector<tables::TTable::TBookmark> bookmarks;
  if (!FLink.Active()) return bookmarks;
  for (size_t start = 0; start < rows.size();) {
    size_t end = start + 1;
    while (end < rows.size() && rows[end] == rows[end - 1] + 1) ++end;
    for (const auto& row : FLink.Table()->ReadRowsAt(rows[start], int(end - start))) bookmarks.push_back(row.Bookmark);
    start = end;
  }
  return bookmarks;
}

void TDBGrid::WriteCell(int row, int column, const QString& text) {
  tables::TField* field = FModel->ColumnField(column);
  if (!field) return;
  const std::string value = CheckedFieldText(*field, text);
  MoveCursorTo(row);
  if (!FLink.Editing()) FLink.Table()->Edit();
  field->SetAsString(value);
}

}  // namespace controls
