#include "items/shoptables.h"

namespace items {

namespace {

constexpr tables::TFieldType S = tables::TFieldType::ftString;
constexpr tables::TFieldType F = tables::TFieldType::ftFloat;

}  // namespace

const tables::TTableLayout& BarmasLayout() {
  using namespace barmas;
  static const tables::TTableLayout layout{kTable,
                                           {
                                               // Field  Type  Size
                                               {FBarcode, S, 13},
                                               {FName, S, 40},
                                               {FSP, F, 0},
                                               {FCost, F, 0},
                                               {FItcode, S, 13},
                                               {FBarQty, F, 0},
                                               {FPicPath, S, 40},
                                           },
                                           // FItcode and FName: the lookup dialog searches by them.
                                           {FBarcode, FItcode, FName},
                                           {}};
  return layout;
}

size_t ItemFieldIndex(std::string_view field) {
  const auto& fields = BarmasLayout().Fields;
  for (size_t f = 0; f < fields.size(); ++f)
    if (fields[f].Name == field) return f;
  throw tables::ETableError("Field " + std::string(field) + " not found in table " + barmas::kTable);
}

const tables::TTableLayout& ParamLayout() {
  using namespace param;
  static const tables::TTableLayout layout{kTable,
                                           {
                                               // Field  Type  Size
                                               {COCD, S, 2},
                                               {COMNAME, S, 30},
                                               {FILEEXT, S, 10},
                                               {FILEDIR, S, 20},
                                               {MOVEDIR, S, 20},
                                               {PRTPORT, S, 5},
                                               {PRTNAME, S, 20},
                                               {LABELDPI, S, 3},
                                               {LABELW, S, 6},
                                               {LABELL, S, 6},
                                               {OFFSETX, S, 4},
                                               {OFFSETY, S, 4},
                                               {DARKNESS, S, 2},
                                           },
                                           {},
                                           // A new installation prints ZPL to the first parallel port.
                                           {{"", "", "", "", "", "LPT1", "Z", "", "", "", "", "", ""}}};
  return layout;
}

int FieldSize(const tables::TTableLayout& layout, const std::string& field) {
  for (const tables::TFieldDef& def : layout.Fields)
    if (def.Name == field) return def.Size;
  return 0;
}

void AddMissingParamFields(tables::TTable& param) { param.AddMissingFields(ParamLayout().Fields); }

void AddMissingItemIndexes(tables::TTable& items) {
  for (const std::string& field : BarmasLayout().IndexFields) items.AddMissingIndex(field);
}

const std::vector<tables::TTableLayout>& ShopTables() {
  static const std::vector<tables::TTableLayout> layouts{BarmasLayout(), ParamLayout()};
  return layouts;
}

std::vector<tables::TTableCreation> CreateMissingTables(const std::string& directory) {
  return tables::CreateMissingTables(directory, ShopTables());
}

}  // namespace items
