#include "controls/gridmodel.h"

#include "controls/qtext.h"

namespace controls {

using tables::TDataSetState;

TGridModel::TGridModel(std::vector<TGridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), FColumns(std::move(columns)), FPositions(FColumns.size(), -1) {}

void TGridModel::SetTable(tables::TTable* table) {
  FTable = table;
  Reload();
}

std::vector<int> TGridModel::ColumnPositions() const {
  std::vector<int> positions;
  for (const auto& column : FColumns) {
    const tables::TField* field = FTable->FindField(column.FieldName);
    int position = -1;
    for (int i = 0; field && i < FTable->FieldCount(); ++i) {
      if (&FTable->Fields(i) == field) position = i;
    }
    positions.push_back(position);
  }
  return positions;
}

tables::TField* TGridModel::ColumnField(int column) const {
  if (!FTable || !FTable->Active() || column < 0 || column >= static_cast<int>(FColumns.size())) return nullptr;
  return FTable->FindField(FColumns[column].FieldName);
}

void TGridModel::Reload() {
  FPages.clear();
  const bool active = FTable && FTable->Active();
  const int rows = active ? FTable->RecordCount() + (FTable->State() == TDataSetState::dsInsert ? 1 : 0) : 0;
  auto positions = active ? ColumnPositions() : std::vector<int>(FColumns.size(), -1);
  FCurrentRow = active ? FTable->CurrentPosition() : -1;
  if (rows != FRowCount || positions != FPositions) {
    beginResetModel();
    FRowCount = rows;
    FPositions = std::move(positions);
    endResetModel();
  } else if (rows > 0) {
    emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
    // The row marker moved.
    emit headerDataChanged(Qt::Vertical, 0, rows - 1);
  }
}

void TGridModel::CurrentRowChanged() {
  if (FCurrentRow >= 0) emit dataChanged(index(FCurrentRow, 0), index(FCurrentRow, columnCount() - 1));
}

bool TGridModel::IsPendingNewRow(int row) const {
  return FTable && FTable->State() == TDataSetState::dsInsert && row == FCurrentRow;
}

tables::TTable::TBookmark TGridModel::BookmarkAt(int row) const {
  const auto* found = IsPendingNewRow(row) ? nullptr : RowAt(row);
  if (!found) throw tables::ETableError("Row " + std::to_string(row + 1) + " of the grid is no longer in the table");
  return found->Bookmark;
}

const tables::TTable::TRowAt* TGridModel::RowAt(int row) const {
  const int page = row / kPageRows;
  auto found = FPages.find(page);
  if (found == FPages.end()) {
    if (FPages.size() >= kCachedPages) FPages.clear();
    found = FPages.emplace(page, FTable->ReadRowsAt(page * kPageRows, kPageRows)).first;
  }
  const auto& rows = found->second;
  const int offset = row - page * kPageRows;
  return offset < static_cast<int>(rows.size()) ? &rows[offset] : nullptr;
}

int TGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FRowCount; }

int TGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(FColumns.size());
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
  if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid() || !FTable || !FTable->Active()) return {};
  const int position = FPositions[index.column()];
  if (position < 0) return {};
  // The cursor's row shows what its fields read, a pending change included.
  if (index.row() == FCurrentRow) return ToQString(FTable->Fields(position).AsString());
  const auto* row = RowAt(index.row());
  return row ? ToQString(tables::StoredText(row->Values[position])) : QVariant{};
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section == FCurrentRow ? QString(QChar(0x25B6)) : QString();
  return ToQString(FColumns[section].Title);
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
  auto flags = QAbstractTableModel::flags(index);
  if (index.isValid() && FPositions[index.column()] >= 0) flags |= Qt::ItemIsEditable;
  return flags;
}

}  // namespace controls
