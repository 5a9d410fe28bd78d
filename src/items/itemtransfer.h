// Items to and from spreadsheets: an import planned against a data directory's item
// table, shown to the operator as a summary, then written in one transaction; an export
// of items as UTF-8 CSV with a byte-order mark, comma delimiters and field names as header.
#pragma once

#include <string>
#include <vector>

#include "items/itemsheet.h"
#include "items/shoptables.h"
#include "tables/tables.h"

namespace items {

// Opens the item table of a data directory (a path, or a connected database's name).
void OpenItemTable(tables::TTable& items, const std::string& dataDirectory);

class TItemImport {
 public:
  // Reads and checks the file and compares its rows with the table's (kept open by the caller).
  TItemImport(const std::string& csvPath, tables::TTable& items);

  const TItemSheet& Sheet() const { return FSheet; }
  int NewCount() const { return int(FNew.size()); }
  int ChangedCount() const { return int(FChanged.size()); }
  int RefusedCount() const { return int(FSheet.Refused.size()); }

  // "1204 new, 56 changed, 3 refused"
  std::string Summary() const;
  // The summary, then the unknown columns, restored barcodes and refused lines, one a line.
  std::vector<std::string> Report() const;

  // Writes the new rows and, when asked, the changed ones, all or none. Existing items
  // take the file's value for each column it has and keep the others.
  void Apply(bool updateExisting);

 private:
  tables::TTable& FItems;
  TItemSheet FSheet;
  std::vector<tables::TTable::TRowWrite> FNew;
  std::vector<tables::TTable::TRowWrite> FChanged;
};

// The CSV text of the rows (stored values in item field order).
std::string ItemCsvText(const std::vector<std::vector<tables::TVariant>>& rows);
// The table's rows in its current order.
std::vector<std::vector<tables::TVariant>> AllItemRows(tables::TTable& items);
// Writes the text to the file, replacing it.
void WriteTextFile(const std::string& path, const std::string& text);

}  // namespace items
