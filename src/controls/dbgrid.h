// The data grid: a table view over a cursor whose current row is always the
// cursor's row. Moving the cursor (navigator, find-key) moves the grid; choosing
// a grid row moves the cursor there, which posts a pending change first. Cells
// are edited in place: the first change puts the cursor into edit state, and the
// row is posted when the current row changes.
#pragma once

#include <QTableView>
#include <memory>
#include <string>
#include <vector>

#include "controls/datalink.h"
#include "controls/gridmodel.h"

namespace controls {

struct TGridSettings {
  std::string Name;
  std::vector<TGridColumn> Columns;
};

class TDBGrid : public QTableView {
  Q_OBJECT

 public:
  explicit TDBGrid(const TGridSettings& settings, QWidget* parent = nullptr);

  void SetDataSource(tables::TDataSource* source);
  TGridModel& Model() { return *FModel; }

  // A cell's text written as the operator typed it: moves the cursor to the cell's
  // row, starts an edit and writes the field. Refused text changes nothing.
  void WriteCell(int row, int column, const QString& text);

  // Lets the operator select several rows (Ctrl+click, Shift+click, Ctrl+A); a plain
  // click still selects one cell and moves the cursor there.
  void SetMultiSelect(bool on);
  // The stored rows with a selected cell, in the grid's order (a pending new row is none).
  std::vector<tables::TTable::TBookmark> SelectedBookmarks() const;

 private:
  void FollowCursor();
  void MoveCursorTo(int row);
  void ApplyColumnWidths();

  TGridModel* FModel;
  TDataLink FLink;
  // Set while the grid moves its own current index to the cursor's row.
  bool FFollowing = false;
};

}  // namespace controls
