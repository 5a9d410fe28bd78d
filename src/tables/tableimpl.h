// The open state of a cursor: its connection, its fields, the one row it stands
// on as last read from the file, and the buffer its fields show.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tables/connection.h"
#include "tables/roworder.h"
#include "tables/tables.h"

namespace tables {

struct TTable::TRow {
  std::int64_t RowId = 0;
  std::vector<TVariant> Values;  // stored values, in field order
};

struct TTable::TImpl {
  std::unique_ptr<detail::TConnection> Connection;
  std::string SqlTable;
  std::vector<TFieldDef> FieldDefs;
  std::unique_ptr<detail::TRowOrder> Order;
  // The row the cursor stands on; none when the table was empty.
  std::optional<TRow> Current;
  // What the fields read: the current row, or the pending edit or new row.
  std::vector<TVariant> Buffer;
  std::vector<bool> Modified;
  // What the fields read in set-key state.
  std::vector<TVariant> KeyBuffer;

  std::optional<TRow> FirstOf(const std::vector<detail::TBoundQuery>& queries);
  std::optional<TRow> EndRow(bool last);
  std::optional<TRow> ReadRow(std::int64_t rowId);
  // The neighbour of the current row, found from its key values and row id,
  // so it works even when that row was deleted meanwhile.
  std::optional<TRow> Neighbour(bool forward);
  // Stands on the row (or on none) with the buffer showing it unmodified.
  void StandOn(std::optional<TRow> row);
  bool AnyModified() const;
  std::vector<int> ModifiedFields() const;
};

// Positions of the fields named in "A;B" (case ignored); refuses unknown names.
std::vector<int> IndexFieldPositions(const std::vector<TFieldDef>& fields, const std::string& names,
                                     const std::string& tableName);

}  // namespace tables
