// Fields added to a table that is already in use: a newer program's settings in a
// file an older copy made. SQLite's ADD COLUMN appends the field to every row without
// rewriting them, so a copy reading the file by field name sees what it always saw.
#include "tables/fielddefs.h"
#include "tables/names.h"
#include "tables/tableimpl.h"

namespace tables {

void TTable::AddMissingFields(const std::vector<TFieldDef>& fields) {
  if (State() != TDataSetState::dsBrowse) throw ETableError("Table " + FTableName + " is not open for browsing");
  std::vector<TFieldDef> missing;
  for (const TFieldDef& field : fields) {
    if (detail::FieldIndex(FieldDefs(), field.Name) < 0) missing.push_back(field);
  }
  if (missing.empty()) return;
  Impl().Connection->WriteTransaction([&] {
    for (const TFieldDef& field : missing) {
      Impl().Connection->Execute("ALTER TABLE " + detail::QuoteIdentifier(Impl().SqlTable) + " ADD COLUMN " +
                                 detail::QuoteIdentifier(field.Name) + " " + detail::DeclaredType(field));
    }
  });
  const bool onRow = Impl().Current.has_value();
  const TBookmark row = onRow ? GetBookmark() : 0;
  // The cursor read its fields when it opened: it opens again to see the new ones.
  Close();
  Open();
  if (onRow) GotoBookmark(row);
}

}  // namespace tables
