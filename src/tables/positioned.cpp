// Positioned reading: rows by their place in the cursor's order, read with
// LIMIT/OFFSET over the order's index and counted with the neighbour queries'
// stretches, so neither loads the table nor touches the cursor's row buffer.
#include <stdexcept>

#include "tables/tableimpl.h"
#include "tables/values.h"

namespace tables {

std::string StoredText(const TVariant& stored) { return detail::TextOf(stored); }

std::vector<TTable::TRowAt> TTable::ReadRowsAt(int first, int count) {
  auto& impl = Impl();
  if (first < 0 || count < 0) {
    throw ETableError("Rows of table " + FTableName + " are read from position 0 on, in counts of 0 or more");
  }
  std::vector<TRowAt> rows;
  if (count == 0) return rows;
  const auto query = impl.Order->Slice(first, count);
  for (auto& columns : impl.Connection->Query(query.Sql, query.Params)) {
    TRowAt row{std::get<std::int64_t>(columns.front()), {}};
    row.Values.reserve(columns.size() - 1);
    for (std::size_t c = 1; c < columns.size(); ++c) {
      row.Values.push_back(detail::FromSql(std::move(columns[c]), impl.FieldDefs[c - 1], impl.SqlTable));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

int TTable::CurrentPosition() {
  auto& impl = Impl();
  if (FState == TDataSetState::dsInsert) return RecordCount();
  if (!impl.Current) return -1;
  // Counted from the row as stored, so an edit in progress does not move it.
  return impl.CachedCount(impl.PositionCache, impl.Current->RowId, [&] { return CountRowsBefore(); });
}

int TTable::CountRowsBefore() {
  auto& impl = Impl();
  const auto queries = impl.Order->CountBefore(impl.Order->PositionOf(impl.Current->RowId, impl.Current->Values));
  std::int64_t before = 0;
  // One read transaction, so every stretch is counted in the same state of the file.
  impl.Connection->ReadTransaction([&] {
    for (const auto& query : queries) {
      before += std::get<std::int64_t>(impl.Connection->Query(query.Sql, query.Params).front().front());
    }
  });
  return static_cast<int>(before);
}

}  // namespace tables
