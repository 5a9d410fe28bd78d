// Cursor movement: ends, neighbours, find-key, set-key, bookmarks and refresh.
// Every move asks the file, so rows posted by other cursors and processes are seen.
#include "tables/sqltext.h"
#include "tables/tableimpl.h"
#include "tables/values.h"

namespace tables {

void TTable::EndPending() {
  switch (FState) {
    case TDataSetState::dsEdit:
    case TDataSetState::dsInsert:
      if (Modified()) {
        Post();
      } else {
        Cancel();
      }
      break;
    case TDataSetState::dsSetKey:
      Cancel();
      break;
    default:
      break;
  }
}

void TTable::MoveTo(TRow row) {
  Impl().StandOn(std::move(row));
  FEof = FBof = false;
  NotifyDataChange(nullptr);
}

void TTable::First() {
  auto& impl = Impl();
  EndPending();
  impl.StandOn(impl.EndRow(false));
  FBof = true;
  FEof = !impl.Current;
  NotifyDataChange(nullptr);
}

void TTable::Last() {
  auto& impl = Impl();
  EndPending();
  impl.StandOn(impl.EndRow(true));
  FEof = true;
  FBof = !impl.Current;
  NotifyDataChange(nullptr);
}

bool TTable::Step(bool forward) {
  auto& impl = Impl();
  if (!impl.Current) {
    FEof = FBof = true;
    return false;
  }
  auto row = impl.Neighbour(forward);
  if (!row) {
    (forward ? FEof : FBof) = true;
    return false;
  }
  impl.StandOn(std::move(row));
  FEof = FBof = false;
  return true;
}

void TTable::Next() {
  Impl();
  EndPending();
  if (Step(true)) NotifyDataChange(nullptr);
}

void TTable::Prior() {
  Impl();
  EndPending();
  if (Step(false)) NotifyDataChange(nullptr);
}

int TTable::MoveBy(int distance) {
  Impl();
  EndPending();
  int moved = 0;
  while (moved != distance && Step(distance > 0)) moved += distance > 0 ? 1 : -1;
  if (moved != 0) NotifyDataChange(nullptr);
  return moved;
}

bool TTable::IsEmpty() {
  auto& impl = Impl();
  return impl.Connection->Query(detail::AnyRowSql(impl.SqlTable)).empty();
}

int TTable::RecordCount() {
  auto& impl = Impl();
  return impl.CachedCount(impl.CountCache, std::monostate{}, [&] {
    const auto rows = impl.Connection->Query(detail::CountRowsSql(impl.SqlTable));
    return static_cast<int>(std::get<std::int64_t>(rows.front().front()));
  });
}

void TTable::SetIndexFieldNames(const std::string& names) {
  if (!Active()) {
    FIndexFieldNames = names;
    return;
  }
  auto& impl = Impl();
  auto keys = IndexFieldPositions(impl.FieldDefs, names, FTableName);
  EndPending();
  FIndexFieldNames = names;
  // The same order again (perhaps spelt otherwise) moves no row: nothing to tell.
  if (keys == impl.Order->KeyFields()) return;
  impl.Order = std::make_unique<detail::TRowOrder>(impl.SqlTable, impl.FieldDefs, std::move(keys));
  impl.Positions.Forget();
  NotifyDataChange(nullptr);
}

bool TTable::FindKey(const std::vector<TVariant>& values) {
  auto& impl = Impl();
  EndPending();
  const auto& keys = impl.Order->KeyFields();
  if (keys.empty()) throw ETableError("Table " + FTableName + " has no index fields to find a key in");
  if (values.empty() || values.size() > keys.size()) {
    throw ETableError("A key of table " + FTableName + " has 1 to " + std::to_string(keys.size()) + " values");
  }
  std::vector<TVariant> stored;
  for (std::size_t k = 0; k < values.size(); ++k) stored.push_back(detail::KeyValue(impl.FieldDefs[keys[k]], values[k]));
  auto row = impl.FirstOf({impl.Order->Find(stored)});
  if (!row) return false;
  MoveTo(std::move(*row));
  return true;
}

void TTable::SetKey() {
  auto& impl = Impl();
  EndPending();
  impl.KeyBuffer.assign(impl.FieldDefs.size(), TVariant{});
  SetState(TDataSetState::dsSetKey);
  NotifyDataChange(nullptr);
}

bool TTable::GotoKey() {
  auto& impl = Impl();
  if (FState != TDataSetState::dsSetKey) throw ETableError("Table " + FTableName + " is not in set-key state");
  std::vector<TVariant> key;
  for (int field : impl.Order->KeyFields()) key.push_back(impl.KeyBuffer[field]);
  SetState(TDataSetState::dsBrowse);
  if (key.empty()) {
    NotifyDataChange(nullptr);
    throw ETableError("Table " + FTableName + " has no index fields to find a key in");
  }
  const bool found = FindKey(key);
  if (!found) NotifyDataChange(nullptr);  // the fields show the current row again
  return found;
}

TTable::TBookmark TTable::GetBookmark() const {
  const auto& impl = Impl();
  if (!impl.Current) throw ETableError("Table " + FTableName + " has no current row");
  return impl.Current->RowId;
}

void TTable::GotoBookmark(TBookmark bookmark) {
  auto& impl = Impl();
  EndPending();
  auto row = impl.ReadRow(bookmark);
  if (!row) throw ETableError("The bookmarked row of table " + FTableName + " no longer exists");
  MoveTo(std::move(*row));
}

void TTable::Resync() {
  auto& impl = Impl();
  if (!impl.Current) {  // rows may have been posted meanwhile
    impl.StandOn(impl.EndRow(false));
    FBof = true;
    FEof = !impl.Current;
    return;
  }
  auto row = impl.ReadRow(impl.Current->RowId);
  if (!row) row = impl.Neighbour(true);
  if (!row) row = impl.Neighbour(false);
  impl.StandOn(std::move(row));
  FEof = FBof = !impl.Current;
}

void TTable::Refresh() {
  Impl();
  EndPending();
  Resync();
  NotifyDataChange(nullptr);
}

}  // namespace tables
