// The shop's two tables, the item master Barmas and the one-row parameter table
// param: their names, field names and layouts. Every use of a field name takes it
// from here (the engine looks names up without regard to case).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tables/layout.h"

namespace items {

namespace barmas {
inline constexpr char kTable[] = "Barmas";
// The program's database of the item table: a data directory holding
// "databases/tavrin.uri" keeps the item table on the server that file names.
inline constexpr char kDatabase[] = "tavrin";
inline constexpr char FBarcode[] = "FBarcode";
inline constexpr char FName[] = "FName";
inline constexpr char FSP[] = "FSP";  // selling price
inline constexpr char FCost[] = "FCost";
inline constexpr char FItcode[] = "FItcode";  // the shop's own item code
inline constexpr char FBarQty[] = "FBarQty";  // number of labels
inline constexpr char FPicPath[] = "FPicPath";

// The barcode rule of the item window, which imports follow too.
inline constexpr int kShortestBarcode = 12;  // twelve pass, though the message speaks of 13
inline constexpr int kBarcodeLength = 13;
inline constexpr const char* kShortBarcodeMessage = "Barcode Should Be 13 Character";

// The item window's caption of each field, which spreadsheets made by operators use as column names.
struct TCaption {
  const char* Field;
  const char* Text;
};
inline constexpr TCaption kCaptions[] = {
    {FBarcode, "Barcode"},      {FName, "Item Description"}, {FSP, "Selling Price"},   {FCost, "Cost"},
    {FBarQty, "Bar Code Qty"}, {FItcode, "Our Item code"},  {FPicPath, "Picture Path"},
};
constexpr const char* Caption(std::string_view field) {
  for (const TCaption& caption : kCaptions)
    if (field == caption.Field) return caption.Text;
  return "";
}
}  // namespace barmas

namespace param {
inline constexpr char kTable[] = "param";
inline constexpr char COCD[] = "COCD";
inline constexpr char COMNAME[] = "COMNAME";
inline constexpr char FILEEXT[] = "FILEEXT";
inline constexpr char FILEDIR[] = "FILEDIR";
inline constexpr char MOVEDIR[] = "MOVEDIR";
inline constexpr char PRTPORT[] = "PRTPORT";
inline constexpr char PRTNAME[] = "PRTNAME";
// The label printer's calibration, after the seven fields older copies of the
// program know; each empty by default, and empty leaves the job as it always was.
inline constexpr char LABELDPI[] = "LABELDPI";  // 203, 300 or 600
inline constexpr char LABELW[] = "LABELW";      // label width in millimetres
inline constexpr char LABELL[] = "LABELL";      // label length in millimetres
inline constexpr char OFFSETX[] = "OFFSETX";    // home offset in dots
inline constexpr char OFFSETY[] = "OFFSETY";
inline constexpr char DARKNESS[] = "DARKNESS";
}  // namespace param

const tables::TTableLayout& BarmasLayout();
// The position of an item field in BarmasLayout().Fields.
size_t ItemFieldIndex(std::string_view field);
const tables::TTableLayout& ParamLayout();
// Both, in the order they are created.
const std::vector<tables::TTableLayout>& ShopTables();

// The size of a field of the layout (names compared exactly); 0 when it has none.
int FieldSize(const tables::TTableLayout& layout, const std::string& field);

// Adds to the open parameter table the fields of its layout that its file lacks (files
// made by older versions have only the first seven); the row is kept.
void AddMissingParamFields(tables::TTable& param);

// Adds to the open item table the indexes of its layout that its file lacks (files
// made by older versions have only the barcode's).
void AddMissingItemIndexes(tables::TTable& items);

// The item database on a data directory, connected while the object lives: cursors
// and CreateTable given its name find the directory's item server when it names one.
// The name is the program's one item database: one connected already on the same
// directory (an open item window's) is used as it is; on another directory it is refused.
class TItemDatabase {
 public:
  explicit TItemDatabase(const std::string& directory);
  const char* Name() const { return barmas::kDatabase; }
  // True when the directory's item table lives on a server.
  bool OnServer() const;

 private:
  std::unique_ptr<tables::TDatabase> FOwn;  // none when it was connected already
};

// Creates in the directory each shop table whose file is missing; an existing file
// is never touched, whatever it holds. When the directory names an item server, the
// item table is made there instead (unless the server has it) and only param.DAT here.
std::vector<tables::TTableCreation> CreateMissingTables(const std::string& directory);

}  // namespace items
