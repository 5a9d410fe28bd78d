// Changing rows: append, edit, post, cancel and delete. Each write is one
// BEGIN IMMEDIATE transaction, so a lock held by another user is met (and
// retried) before anything is written.
#include "tables/sqltext.h"
#include "tables/tableimpl.h"
#include "tables/values.h"

namespace tables {

void TTable::Append() {
  auto& impl = Impl();
  EndPending();
  impl.Buffer.assign(impl.FieldDefs.size(), TVariant{});
  impl.Modified.assign(impl.FieldDefs.size(), false);
  FEof = FBof = false;
  SetState(TDataSetState::dsInsert);
  NotifyDataChange(nullptr);
}

void TTable::Insert() { Append(); }

void TTable::Edit() {
  auto& impl = Impl();
  EndPending();
  if (!impl.Current) {
    Append();
    return;
  }
  // Edit what the file holds now, not what was read when the cursor came here.
  auto row = impl.ReadRow(impl.Current->RowId);
  if (!row) throw ETableError("Cannot edit table " + FTableName + ": the row was deleted by another user");
  impl.StandOn(std::move(row));
  SetState(TDataSetState::dsEdit);
  NotifyDataChange(nullptr);
}

void TTable::Post() {
  Impl();
  if (FState == TDataSetState::dsInsert) {
    PostInsert();
  } else if (FState == TDataSetState::dsEdit) {
    PostEdit();
  } else {
    throw ETableError("Table " + FTableName + " is not in edit or insert state");
  }
  try {
    ReturnToBrowse();
  } catch (const ETableError&) {
    // Stored already: reading the row back waits for the next action, which reports a
    // lost connection and connects again. Staying in edit state would have the row
    // posted, and stored, a second time.
    auto& impl = Impl();
    impl.UnsettledInsert.reset();
    impl.Modified.assign(impl.Modified.size(), false);
    SetState(TDataSetState::dsBrowse);
    NotifyDataChange(nullptr);
  }
}

void TTable::PostInsert() {
  auto& impl = Impl();
  if (impl.UnsettledInsert && PostToUnsettledInsert()) return;
  std::vector<detail::TSqlValue> values;
  for (const auto& value : impl.Buffer) values.push_back(detail::ToSql(value));
  std::int64_t rowId = 0;
  detail::TChangeStamp before;
  detail::TChangeStamp after;
  try {
    impl.Connection->WriteTransaction([&] {
      before = impl.Connection->ChangeStamp();
      impl.Connection->Execute(detail::InsertRowSql(impl.SqlTable, impl.FieldDefs), values);
      rowId = impl.Connection->LastInsertRowId();
      after = impl.Connection->ChangeStamp();
    });
  } catch (const detail::ECommitUnknown& unknown) {
    impl.UnsettledInsert = TImpl::TUnsettledInsert{unknown.Transaction, rowId};
    throw detail::ECommitUnknown(unknown.what() + std::string("; posting again then stores the row once"),
                                 unknown.Transaction);
  }
  impl.Current = TRow{rowId, impl.Buffer};
  impl.RowMoved(before, after, std::nullopt, impl.Order->PositionOf(rowId, impl.Buffer));
}

// The new row whose commit was cut off: stored after all, it takes what the fields
// hold now as an edit, so posting again never stores it twice. False when it was not
// stored (or is gone again), and the row is to be inserted.
bool TTable::PostToUnsettledInsert() {
  auto& impl = Impl();
  const auto unsettled = *impl.UnsettledInsert;
  if (!impl.Connection->Committed(unsettled.Transaction)) {
    impl.UnsettledInsert.reset();
    return false;
  }
  auto stored = impl.ReadRow(unsettled.RowId);  // a failure here leaves the question for the next post
  impl.UnsettledInsert.reset();
  if (!stored) return false;
  impl.Current = std::move(stored);
  PostEdit();
  return true;
}

// Writes only the modified fields, so edits of other fields of the same row by
// other users stay. A field that another user changed since this cursor read
// it is not overwritten: that edit would be lost without anyone knowing.
void TTable::PostEdit() {
  auto& impl = Impl();
  const std::vector<int> changed = impl.ModifiedFields();
  if (changed.empty()) return;
  const std::int64_t rowId = impl.Current->RowId;
  detail::TChangeStamp before;
  detail::TChangeStamp after;
  detail::TRowPosition was;
  detail::TRowPosition now;
  impl.Connection->WriteTransaction([&] {
    before = impl.Connection->ChangeStamp();
    const auto stored = impl.ReadRow(rowId);
    if (!stored) throw ETableError("Cannot post to table " + FTableName + ": the row was deleted by another user");
    std::string conflicts;
    std::vector<detail::TSqlValue> values;
    for (int field : changed) {
      const TVariant& now = stored->Values[field];
      if (now != impl.Current->Values[field] && now != impl.Buffer[field]) {
        conflicts += (conflicts.empty() ? "" : ", ") + impl.FieldDefs[field].Name;
      }
      values.push_back(detail::ToSql(impl.Buffer[field]));
    }
    if (!conflicts.empty()) {
      throw ETableError("Cannot post to table " + FTableName + ": another user changed " + conflicts +
                        " of this row since it was read; cancel and edit it again");
    }
    values.emplace_back(std::in_place_type<std::int64_t>, rowId);
    impl.Connection->Execute(detail::UpdateFieldsSql(impl.SqlTable, impl.FieldDefs, changed), values);
    after = impl.Connection->ChangeStamp();
    auto written = stored->Values;
    for (int field : changed) written[field] = impl.Buffer[field];
    was = impl.Order->PositionOf(rowId, stored->Values);
    now = impl.Order->PositionOf(rowId, written);
  });
  // A row whose key fields stayed keeps its place.
  if (impl.Order->Compare(was, now) == 0) {
    impl.RowMoved(before, after, std::nullopt, std::nullopt);
  } else {
    impl.RowMoved(before, after, was, now);
  }
}

void TTable::Cancel() {
  if (!Active() || FState == TDataSetState::dsBrowse) return;
  ReturnToBrowse();
}

void TTable::Delete() {
  auto& impl = Impl();
  if (FState == TDataSetState::dsInsert || FState == TDataSetState::dsSetKey) {
    Cancel();
    return;
  }
  if (!impl.Current) throw ETableError("Cannot delete from table " + FTableName + ": it has no rows");
  detail::TChangeStamp before;
  detail::TChangeStamp after;
  int deleted = 0;
  // A row that another user deleted already is gone as asked: not an error.
  impl.Connection->WriteTransaction([&] {
    before = impl.Connection->ChangeStamp();
    deleted = impl.Connection->Execute(detail::DeleteRowSql(impl.SqlTable), {impl.Current->RowId});
    after = impl.Connection->ChangeStamp();
  });
  std::optional<detail::TRowPosition> removed;
  if (deleted > 0) removed = impl.Order->PositionOf(impl.Current->RowId, impl.Current->Values);
  impl.RowMoved(before, after, removed, std::nullopt);
  ReturnToBrowse();
}

// The row as the file now holds it, shown in browse state.
void TTable::ReturnToBrowse() {
  Impl().UnsettledInsert.reset();  // posted, or given up
  Resync();
  SetState(TDataSetState::dsBrowse);
  NotifyDataChange(nullptr);
}

void TTable::WriteField(int index, const TVariant& value) {
  auto& impl = Impl();
  if (FState != TDataSetState::dsEdit && FState != TDataSetState::dsInsert && FState != TDataSetState::dsSetKey) {
    throw ETableError("Table " + FTableName + " is not in edit or insert state");
  }
  TVariant stored = detail::StoredValue(impl.FieldDefs[index], value);
  if (FState == TDataSetState::dsSetKey) {
    impl.KeyBuffer[index] = std::move(stored);
  } else {
    impl.Buffer[index] = std::move(stored);
    impl.Modified[index] = true;
  }
  NotifyDataChange(FFields[index].get());
}

}  // namespace tables
