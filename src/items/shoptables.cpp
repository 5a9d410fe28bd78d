#include "items/shoptables.h"

#include "tables/names.h"
#include "tables/serverconnection.h"
#include "tables/store.h"

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

TItemDatabase::TItemDatabase(const std::string& directory) {
  const std::string folder = tables::detail::WithTrailingSeparator(directory);
  if (const tables::TDatabase* open = tables::TDatabase::FindDatabase(barmas::kDatabase)) {
    if (tables::detail::WithTrailingSeparator(open->Directory()) == folder) return;
    throw tables::ETableError("The item database is open on " + open->Directory() + ", not on " + directory);
  }
  FOwn = std::make_unique<tables::TDatabase>(barmas::kDatabase);
  FOwn->SetDirectory(directory);
  FOwn->Open();
}

bool TItemDatabase::OnServer() const { return tables::detail::StoreOf(Name()).ServerLine.has_value(); }

namespace {

// The item table on the directory's server, created unless the server has one.
tables::TTableCreation CreateMissingServerItems(const TItemDatabase& database) {
  const auto store = tables::detail::StoreOf(database.Name());
  tables::detail::TServerConnection server(*store.ServerLine, tables::detail::TLockPolicy{});
  const bool exists = !server.Columns(barmas::kTable).empty();
  const std::string where = std::string(barmas::kTable) + " in " + server.Path();
  if (!exists) {
    const auto& layout = BarmasLayout();
    tables::CreateTable(database.Name(), layout.Name, layout.Fields, layout.IndexFields, layout.Rows);
  }
  return {where, !exists};
}

}  // namespace

std::vector<tables::TTableCreation> CreateMissingTables(const std::string& directory) {
  const TItemDatabase database(directory);
  if (!database.OnServer()) return tables::CreateMissingTables(directory, ShopTables());
  std::vector<tables::TTableCreation> report{CreateMissingServerItems(database)};
  for (auto& created : tables::CreateMissingTables(directory, {ParamLayout()})) report.push_back(created);
  return report;
}

}  // namespace items
