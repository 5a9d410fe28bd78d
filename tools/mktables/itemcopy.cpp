#include "itemcopy.h"

#include "items/itemtransfer.h"
#include "items/shoptables.h"
#include "tables/connection.h"
#include "tables/fielddefs.h"
#include "tables/names.h"
#include "tables/roworder.h"
#include "tables/sqltext.h"
#include "tables/values.h"

namespace {

using namespace tables;

struct TItems {
  std::vector<TFieldDef> Fields;
  std::vector<std::vector<TVariant>> Rows;
};

// The source is read whole and closed first: both stores go by the one item database name.
TItems ReadItems(const std::string& directory) {
  const items::TItemDatabase database(directory);
  TTable source;
  items::OpenItemTable(source, database.Name());
  source.SetIndexFieldNames(items::barmas::FBarcode);
  return {source.FieldDefs(), items::AllItemRows(source)};
}

// The source's values in the target's field order, matched by name; a source field the
// target lacks would be lost, so it is refused.
std::vector<int> SourceColumns(const std::vector<TFieldDef>& source, const std::vector<TFieldDef>& target,
                               const std::string& to) {
  for (const TFieldDef& field : source)
    if (detail::FieldIndex(target, field.Name) < 0)
      throw ETableError("Field " + field.Name + " not found in the item table of " + to);
  std::vector<int> columns;
  for (const TFieldDef& field : target) columns.push_back(detail::FieldIndex(source, field.Name));
  return columns;
}

}  // namespace

int CopyItems(const std::string& from, const std::string& to, bool replace) {
  const TItems items = ReadItems(from);
  const items::TItemDatabase database(to);
  const std::string table = detail::SqlTableName(items::barmas::kTable);
  const auto connection = detail::ConnectTable(database.Name(), table, detail::TLockPolicy{});
  const std::vector<TFieldDef> fields = detail::ReadFieldDefs(*connection, table);
  const std::vector<int> columns = SourceColumns(items.Fields, fields, to);
  const std::string insertSql = detail::InsertRowSql(table, fields);
  connection->WriteTransaction([&] {
    if (!connection->Query(detail::AnyRowSql(table)).empty()) {
      if (!replace) throw ETableError("The item table of " + to + " holds items already (--replace empties it first)");
      connection->Execute("DELETE FROM " + detail::QuoteIdentifier(table));
    }
    std::vector<detail::TSqlValue> values;
    for (const auto& row : items.Rows) {
      values.clear();
      for (size_t f = 0; f < fields.size(); ++f) {
        const TVariant value = columns[f] < 0 ? TVariant{} : row[size_t(columns[f])];
        values.push_back(detail::ToSql(detail::StoredValue(fields[f], value)));
      }
      connection->Execute(insertSql, values);
    }
  });
  return int(items.Rows.size());
}
