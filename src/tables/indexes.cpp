// Indexes added to a table that is already in use.
#include "tables/fielddefs.h"
#include "tables/sqltext.h"
#include "tables/tableimpl.h"

namespace tables {

namespace {

// The connection refuses at once instead of waiting for a lock, until this ends.
class TNoWait {
 public:
  explicit TNoWait(detail::TConnection& connection) : FConnection(connection), FPolicy(connection.LockPolicy()) {
    connection.SetLockPolicy({0, 0});
  }
  ~TNoWait() { FConnection.SetLockPolicy(FPolicy); }
  TNoWait(const TNoWait&) = delete;
  TNoWait& operator=(const TNoWait&) = delete;

 private:
  detail::TConnection& FConnection;
  detail::TLockPolicy FPolicy;
};

}  // namespace

void TTable::AddMissingIndex(const std::string& fieldName) {
  auto& impl = Impl();
  auto& connection = *impl.Connection;
  const TFieldDef& field = FieldDefs().at(IndexFieldPositions(FieldDefs(), fieldName, FTableName).front());
  // Opening must not write: looking takes no write lock.
  if (!connection.Query(connection.Dialect().IndexExists, {detail::IndexName(impl.SqlTable, field.Name)}).empty()) return;
  if (connection.ReadOnly()) return;
  // Searching works without the index, only slower: it is not worth waiting for another user's lock.
  const TNoWait once(connection);
  try {
    connection.WriteTransaction([&] { connection.Execute(detail::CreateIndexSql(impl.SqlTable, field.Name, connection.Dialect().IndexOrder)); });
  } catch (const ETableLocked&) {
    // Made at a later opening.
  }
}

}  // namespace tables
