// Cursor life cycle: opening and closing, field lookup, state and notification.
#include <algorithm>

#include "tables/fielddefs.h"
#include "tables/names.h"
#include "tables/tableimpl.h"
#include "tables/values.h"

namespace tables {

std::vector<int> IndexFieldPositions(const std::vector<TFieldDef>& fields, const std::string& names,
                                     const std::string& tableName) {
  std::vector<int> positions;
  std::size_t start = 0;
  while (start <= names.size()) {
    const auto end = std::min(names.find(';', start), names.size());
    const std::string name(detail::TrimBlanks(std::string_view(names).substr(start, end - start)));
    start = end + 1;
    if (name.empty()) continue;
    const int position = detail::FieldIndex(fields, name);
    if (position < 0) throw ETableError("Index field " + name + " not found in table " + tableName);
    positions.push_back(position);
  }
  return positions;
}

// --- TImpl: reading rows -----------------------------------------------------

std::optional<TTable::TRow> TTable::TImpl::FirstOf(const std::vector<detail::TBoundQuery>& queries) {
  std::optional<TRow> found;
  auto search = [&] {
    for (const auto& query : queries) {
      auto rows = Connection->Query(query.Sql, query.Params);
      if (rows.empty()) continue;
      auto& columns = rows.front();
      found.emplace(TRow{std::get<std::int64_t>(columns.front()), {}});
      found->Values.reserve(columns.size() - 1);
      for (std::size_t c = 1; c < columns.size(); ++c) {
        found->Values.push_back(detail::FromSql(std::move(columns[c]), FieldDefs[c - 1], SqlTable));
      }
      return;
    }
  };
  if (queries.size() > 1) {
    Connection->ReadTransaction(search);
  } else {
    search();
  }
  return found;
}

std::optional<TTable::TRow> TTable::TImpl::EndRow(bool last) { return FirstOf({Order->End(last)}); }

std::optional<TTable::TRow> TTable::TImpl::ReadRow(std::int64_t rowId) { return FirstOf({Order->ByRowId(rowId)}); }

std::optional<TTable::TRow> TTable::TImpl::Neighbour(bool forward) {
  return FirstOf(Order->Neighbour(Order->PositionOf(Current->RowId, Current->Values), forward));
}

void TTable::TImpl::StandOn(std::optional<TRow> row) {
  Current = std::move(row);
  Buffer = Current ? Current->Values : std::vector<TVariant>(FieldDefs.size());
  Modified.assign(FieldDefs.size(), false);
}

bool TTable::TImpl::AnyModified() const { return std::ranges::find(Modified, true) != Modified.end(); }

std::vector<int> TTable::TImpl::ModifiedFields() const {
  std::vector<int> fields;
  for (std::size_t i = 0; i < Modified.size(); ++i) {
    if (Modified[i]) fields.push_back(static_cast<int>(i));
  }
  return fields;
}

// --- TTable: life cycle ------------------------------------------------------

TTable::TTable() = default;

TTable::~TTable() {
  for (TDataSource* source : FDataSources) source->FDataSet = nullptr;
}

void TTable::SetDatabaseName(const std::string& name) {
  if (Active()) throw ETableError("Close table " + FTableName + " before changing its database");
  FDatabaseName = name;
}

void TTable::SetTableName(const std::string& name) {
  if (Active()) throw ETableError("Close table " + FTableName + " before changing its name");
  FTableName = name;
}

void TTable::SetLockRetryCount(int count) {
  FLockRetryCount = std::max(count, 0);
  if (FImpl) FImpl->Connection->SetLockPolicy(LockPolicy());
}

void TTable::SetLockWaitTime(int milliseconds) {
  FLockWaitTime = std::max(milliseconds, 0);
  if (FImpl) FImpl->Connection->SetLockPolicy(LockPolicy());
}

detail::TLockPolicy TTable::LockPolicy() const { return {FLockRetryCount, FLockWaitTime}; }

void TTable::Open() {
  if (Active()) return;
  auto impl = std::make_unique<TImpl>();
  impl->Connection = detail::ConnectTable(FDatabaseName, FTableName, LockPolicy());
  impl->SqlTable = detail::SqlTableName(FTableName);
  impl->FieldDefs = detail::ReadFieldDefs(*impl->Connection, impl->SqlTable);
  impl->Connection->StartSharing();
  // Field objects outlive Close, so a window's pointer to one stays safe to use.
  while (FFields.size() < impl->FieldDefs.size()) {
    FFields.push_back(std::unique_ptr<TField>(new TField(*this, static_cast<int>(FFields.size()))));
  }
  impl->Order = std::make_unique<detail::TRowOrder>(
      impl->SqlTable, impl->FieldDefs, IndexFieldPositions(impl->FieldDefs, FIndexFieldNames, FTableName));
  impl->SeenDataVersion = impl->Connection->ChangeStamp().DataVersion;
  impl->StandOn(impl->EndRow(false));
  FImpl = std::move(impl);
  FBof = true;
  FEof = !FImpl->Current;
  SetState(TDataSetState::dsBrowse);
  NotifyDataChange(nullptr);
}

void TTable::Close() {
  if (!Active()) return;
  FImpl.reset();  // a pending change goes with the buffer
  FEof = FBof = true;
  SetState(TDataSetState::dsInactive);
}

bool TTable::Active() const { return FState != TDataSetState::dsInactive; }

TTable::TImpl& TTable::Impl() const {
  if (!FImpl) throw ETableError("Table " + FTableName + " is not open");
  return *FImpl;
}

bool TTable::Modified() const {
  return FImpl && (FState == TDataSetState::dsEdit || FState == TDataSetState::dsInsert) && FImpl->AnyModified();
}

// --- fields ------------------------------------------------------------------

int TTable::FieldCount() const { return static_cast<int>(Impl().FieldDefs.size()); }

TField& TTable::Fields(int index) {
  if (index < 0 || index >= FieldCount()) {
    throw ETableError("Table " + FTableName + " has no field number " + std::to_string(index));
  }
  return *FFields[index];
}

TField* TTable::FindField(const std::string& name) {
  const int index = detail::FieldIndex(Impl().FieldDefs, name);
  return index < 0 ? nullptr : FFields[index].get();
}

TField& TTable::FieldByName(const std::string& name) {
  if (TField* field = FindField(name)) return *field;
  throw ETableError("Field " + name + " not found in table " + FTableName);
}

const std::vector<TFieldDef>& TTable::FieldDefs() const { return Impl().FieldDefs; }

const TVariant& TTable::ReadField(int index) const {
  const auto& impl = Impl();
  return (FState == TDataSetState::dsSetKey ? impl.KeyBuffer : impl.Buffer)[index];
}

// --- state and notification --------------------------------------------------

void TTable::SetState(TDataSetState state) {
  if (FState == state) return;
  FState = state;
  NotifyStateChange();
}

// Listeners may attach or detach sources while being told, so each is looked up again.
void TTable::NotifyStateChange() {
  const auto sources = FDataSources;
  for (TDataSource* source : sources) {
    if (std::ranges::find(FDataSources, source) != FDataSources.end() && source->OnStateChange) {
      source->OnStateChange(*source);
    }
  }
}

void TTable::NotifyDataChange(TField* field) {
  const auto sources = FDataSources;
  for (TDataSource* source : sources) {
    if (std::ranges::find(FDataSources, source) != FDataSources.end() && source->OnDataChange) {
      source->OnDataChange(*source, field);
    }
  }
}

}  // namespace tables
