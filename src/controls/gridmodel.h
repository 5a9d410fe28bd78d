// The grid's rows as a Qt table model over a cursor: it reads only the rows a view
// asks for, by position, a page at a time into a small cache, and shows the
// cursor's own row (with its pending change) from the cursor's fields. A pending
// new row stands after the last row.
#pragma once

#include <QAbstractTableModel>
#include <map>
#include <string>
#include <vector>

#include "tables/tables.h"

namespace controls {

struct TGridColumn {
  std::string Title;
  std::string FieldName;
  int Width = 0;  // pixels; 0 keeps the view's default
};

class TGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  TGridModel(std::vector<TGridColumn> columns, QObject* parent = nullptr);

  void SetTable(tables::TTable* table);
  const std::vector<TGridColumn>& Columns() const { return FColumns; }
  tables::TField* ColumnField(int column) const;

  // Reads the row count and the cursor's position again after the row moved or changed.
  void Reload();
  // The cursor's row changed one field.
  void CurrentRowChanged();
  // The row of the cursor in the view; -1 when there is none.
  int CurrentRow() const { return FCurrentRow; }
  // The identity of a row other than a pending new one.
  tables::TTable::TBookmark BookmarkAt(int row) const;
  bool IsPendingNewRow(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  static constexpr int kPageRows = 64;
  // Pages kept before the cache starts afresh: a few screens of a large grid.
  static constexpr std::size_t kCachedPages = 8;

  const tables::TTable::TRowAt* RowAt(int row) const;
  std::vector<int> ColumnPositions() const;

  std::vector<TGridColumn> FColumns;
  tables::TTable* FTable = nullptr;
  std::vector<int> FPositions;  // field position of each column, -1 when the table has no such field
  int FRowCount = 0;
  int FCurrentRow = -1;
  mutable std::map<int, std::vector<tables::TTable::TRowAt>> FPages;
};

}  // namespace controls
