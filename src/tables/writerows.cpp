// Bulk writing for imports: the rows go in statements of many rows each, so a server
// sees a few hundred round trips for 100,000 rows rather than one a row, and an
// SQLite file is spared the statement per row as well. Batch sizes come from a short
// fixed list, so each store keeps only a few prepared statements of them.
#include <algorithm>
#include <functional>
#include <map>
#include <unordered_map>

#include "tables/sqltext.h"
#include "tables/tableimpl.h"
#include "tables/values.h"

namespace tables {

namespace {

// Largest first; the last is 1, so every count is made of them.
constexpr std::size_t kBatchRows[] = {512, 64, 8, 1};

using TRowWrite = TTable::TRowWrite;
using TParameters = std::vector<detail::TSqlValue>;

// Executes the rows in batches: sql gives the statement for a batch of n rows, add appends one row's parameters.
void WriteInBatches(detail::TConnection& connection, const std::vector<const TRowWrite*>& rows,
                    const std::function<std::string(std::size_t)>& sql,
                    const std::function<void(const TRowWrite&, TParameters&)>& add) {
  std::map<std::size_t, std::string> statements;
  TParameters parameters;
  for (std::size_t done = 0; done < rows.size();) {
    const std::size_t left = rows.size() - done;
    const std::size_t count = *std::ranges::find_if(kBatchRows, [left](std::size_t size) { return size <= left; });
    std::string& statement = statements[count];
    if (statement.empty()) statement = sql(count);
    parameters.clear();
    for (std::size_t i = done; i < done + count; ++i) add(*rows[i], parameters);
    connection.Execute(statement, parameters);
    done += count;
  }
}

}  // namespace

void TTable::WriteRows(const std::vector<TRowWrite>& rows) {
  auto& impl = Impl();
  EndPending();
  const auto& fields = impl.FieldDefs;
  // Checks a row's values as SetValue does and appends them in their stored form.
  const auto addValues = [&](const TRowWrite& row, TParameters& parameters) {
    if (row.Values.size() != fields.size()) {
      throw ETableError("A row for table " + FTableName + " has " + std::to_string(row.Values.size()) +
                        " values, not " + std::to_string(fields.size()));
    }
    for (std::size_t i = 0; i < row.Values.size(); ++i) {
      parameters.push_back(detail::ToSql(detail::StoredValue(fields[i], row.Values[i])));
    }
  };
  // Of several writes of one row the last stays, as when they are written one after another.
  std::unordered_map<TBookmark, const TRowWrite*> lastWrite;
  for (const TRowWrite& row : rows) {
    if (row.Bookmark != 0) lastWrite[row.Bookmark] = &row;
  }
  std::vector<const TRowWrite*> inserts;
  std::vector<const TRowWrite*> updates;
  for (const TRowWrite& row : rows) {
    if (row.Bookmark == 0) {
      inserts.push_back(&row);
    } else if (lastWrite[row.Bookmark] == &row) {
      updates.push_back(&row);
    } else {
      TParameters refusedOrNot;
      addValues(row, refusedOrNot);  // a write that is replaced still has its values checked
    }
  }
  impl.Connection->WriteTransaction([&] {
    WriteInBatches(
        *impl.Connection, inserts,
        [&](std::size_t count) { return detail::InsertRowsSql(impl.SqlTable, fields, count); }, addValues);
    WriteInBatches(
        *impl.Connection, updates,
        [&](std::size_t count) {
          return detail::UpdateRowsSql(impl.SqlTable, fields, count, impl.Connection->Dialect());
        },
        [&](const TRowWrite& row, TParameters& parameters) {
          parameters.emplace_back(std::in_place_type<std::int64_t>, row.Bookmark);
          addValues(row, parameters);
        });
  });
  Resync();
  NotifyDataChange(nullptr);
}

}  // namespace tables
