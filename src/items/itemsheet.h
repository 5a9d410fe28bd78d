// Items read from a spreadsheet's CSV file and checked as the item window checks a
// typed item: the header's columns matched to the item fields (by field name in any
// case, or by the window's caption), every row's values converted and checked, and
// what a spreadsheet does to barcodes undone where it can be. Nothing here touches a table.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "items/csvfile.h"
#include "tables/tables.h"

namespace items {

// A file refused whole: no barcode column, a field named twice, no header.
class EItemFileRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TSheetRow {
  int Line = 0;
  // In the item layout's field order; a column the file lacks, or an empty cell, is no value.
  std::vector<tables::TVariant> Values;
};

struct TItemSheet {
  std::vector<bool> Present;  // per item field: the file has its column
  std::vector<TSheetRow> Rows;  // the accepted rows, in the file's order
  std::vector<std::string> UnknownColumns;
  std::vector<std::string> Restored;  // "line 7: leading zeros restored: 0012345678905"
  std::vector<std::string> Refused;   // "line N: FIELD: reason", in line order
};

// 13 digits whose last is the EAN-13 check digit of the first twelve.
bool IsValidEan13(const std::string& digits);

// Checks every row of the file. Refuses the whole file (EItemFileRefused) when it has
// no header, no barcode column or names one field twice.
TItemSheet CheckItemSheet(const TCsvFile& file);

}  // namespace items
