// Positioned reading: rows by their place in the cursor's order, read with
// LIMIT/OFFSET over the order's index, and a row's place counted from the nearest
// row whose place is known, so neither loads the table nor touches the cursor's row buffer.
#include <stdexcept>

#include "tables/tableimpl.h"
#include "tables/values.h"

namespace tables {

using detail::TKnownPositions;
using detail::TRowPosition;

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
  return impl.PositionOf(impl.Order->PositionOf(impl.Current->RowId, impl.Current->Values));
}

int TTable::TImpl::PositionOf(const TRowPosition& row) {
  int position = 0;
  // One read transaction, so the stamp and every count describe the same state of the file.
  Connection->ReadTransaction([&] {
    Positions.Check(Connection->ChangeStamp());
    position = FindPosition(row);
    Positions.Remember({row, position});
  });
  return position;
}

int TTable::TImpl::FindPosition(const TRowPosition& row) {
  if (!Positions.Surveyed()) {
    // Near the first row a short count is enough; farther on, the marks pay for themselves.
    const auto near = Sum(Order->CountBetween(nullptr, &row, TKnownPositions::kSpacing));
    if (near < TKnownPositions::kSpacing) return static_cast<int>(near);
    Positions.SetMarks(Survey());
  }
  const auto* known = Positions.AtOrBefore(*Order, row);
  if (!known) return static_cast<int>(Sum(Order->CountBetween(nullptr, &row)));
  if (Order->Compare(known->Row, row) == 0) return known->Position;
  return known->Position + 1 + static_cast<int>(Sum(Order->CountBetween(&known->Row, &row)));
}

std::vector<detail::TKnownPosition> TTable::TImpl::Survey() {
  std::vector<detail::TKnownPosition> marks;
  std::optional<TRowPosition> from;
  while (auto next = Advance(from ? &*from : nullptr, TKnownPositions::kSpacing)) {
    marks.push_back({*next, (marks.empty() ? -1 : marks.back().Position) + TKnownPositions::kSpacing});
    from = std::move(next);
  }
  return marks;
}

std::optional<TRowPosition> TTable::TImpl::Advance(const TRowPosition* from, int rows) {
  int skip = rows - 1;
  const auto counts = Order->CountBetween(from, nullptr, rows);
  for (std::size_t stretch = 0; stretch < counts.size(); ++stretch) {
    if (auto found = FirstOf({Order->NthAfter(from, skip)[stretch]})) {
      return Order->PositionOf(found->RowId, found->Values);
    }
    // The stretch holds fewer rows than were to be skipped.
    skip -= static_cast<int>(Sum({counts[stretch]}));
  }
  return std::nullopt;
}

std::int64_t TTable::TImpl::Sum(const std::vector<detail::TBoundQuery>& counts) {
  std::int64_t sum = 0;
  for (const auto& query : counts) {
    sum += std::get<std::int64_t>(Connection->Query(query.Sql, query.Params).front().front());
  }
  return sum;
}

void TTable::TImpl::RowMoved(const detail::TChangeStamp& before, const detail::TChangeStamp& after,
                             const std::optional<TRowPosition>& removed, const std::optional<TRowPosition>& added) {
  Positions.Moved(*Order, before, after, removed, added);
  if (CountCache && CountCache->Stamp == before) {
    CountCache->Stamp = after;
    CountCache->Value += (added ? 1 : 0) - (removed ? 1 : 0);
  } else {
    CountCache.reset();
  }
}

}  // namespace tables
