// The open state of a cursor: its connection, its fields, the one row it stands
// on as last read from the file, and the buffer its fields show.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "tables/connection.h"
#include "tables/positions.h"
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
  // An insert whose commit was cut off with the server's connection: its transaction
  // and row id, until a later post learns whether it was stored.
  struct TUnsettledInsert {
    std::int64_t Transaction = 0;
    std::int64_t RowId = 0;
  };
  std::optional<TUnsettledInsert> UnsettledInsert;
  // What the fields read in set-key state.
  std::vector<TVariant> KeyBuffer;

  // Counting rows in SQLite walks an index, so the grid and the navigator asking after
  // every move would count the whole table each time: the last answers are kept until
  // the file changes.
  template <typename Key>
  struct TCached {
    detail::TConnection::TChangeStamp Stamp;
    Key For;
    int Value = 0;
  };
  std::optional<TCached<std::monostate>> CountCache;
  detail::TKnownPositions Positions;  // in this order
  // The store's count of outside changes at the last look.
  std::int64_t SeenDataVersion = -1;
  // The value that count() gives in stamp's state of the file, from the cache when it holds it.
  template <typename Key, typename Count>
  int CachedCount(std::optional<TCached<Key>>& cache, const Key& key, Count count);

  // The row's position in the order, counted from the nearest known one.
  int PositionOf(const detail::TRowPosition& row);
  // This cursor's own write between the two stamps took the row from removed to added
  // (either missing for an insert or a delete): what is known of the file moves along.
  void RowMoved(const detail::TChangeStamp& before, const detail::TChangeStamp& after,
                const std::optional<detail::TRowPosition>& removed, const std::optional<detail::TRowPosition>& added);

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

 private:
  int FindPosition(const detail::TRowPosition& row);
  std::vector<detail::TKnownPosition> Survey();
  // The row that lies rows rows after the position (or from the start when there is none).
  std::optional<detail::TRowPosition> Advance(const detail::TRowPosition* from, int rows);
  std::int64_t Sum(const std::vector<detail::TBoundQuery>& counts);
};

template <typename Key, typename Count>
int TTable::TImpl::CachedCount(std::optional<TCached<Key>>& cache, const Key& key, Count count) {
  int value = 0;
  // One read transaction, so the stamp and the count describe the same state of the file.
  Connection->ReadTransaction([&] {
    const auto stamp = Connection->ChangeStamp();
    if (cache && cache->Stamp == stamp && cache->For == key) {
      value = cache->Value;
      return;
    }
    value = count();
    cache = TCached<Key>{stamp, key, value};
  });
  return value;
}

// Positions of the fields named in "A;B" (case ignored); refuses unknown names.
std::vector<int> IndexFieldPositions(const std::vector<TFieldDef>& fields, const std::string& names,
                                     const std::string& tableName);

}  // namespace tables
