// The File menu's Import Items and Export Items: the operator's choice after the
// summary, the open item window showing the result at once, the export of all items or
// of the item window's selection.
#include <gtest/gtest.h>

#include <QAction>
#include <fstream>
#include <sstream>

#include "app/itemfiles.h"
#include "items/windows/frminput.h"
#include "mainformfixture.h"

namespace app::test {
namespace {

using tables::TVariant;

class ItemFiles : public TMainFormTest {
 protected:
  ItemFiles() {
    tables::TTable table;
    items::OpenItemTable(table, Dir.Path());
    table.WriteRows({{0, {std::string("4006381333931"), std::string("old"), 1.0, TVariant{}, TVariant{}, 2.0, TVariant{}}},
                     {0, {std::string("4012345678901"), std::string("tea"), TVariant{}, TVariant{}, TVariant{}, TVariant{}, TVariant{}}}});
    std::ofstream(Dir.File("in.csv")) << "Barcode,Item Description\n4006381333931,new\n5901234123457,rice\n123,bad\n";
    SetItemFileDialogs([this](bool forSaving) { return Dir.File(forSaving ? "out.csv" : "in.csv"); },
                       [this](const items::TItemImport& import) {
                         Summaries.push_back(import.Report());
                         return Choice;
                       });
  }
  ~ItemFiles() override { SetItemFileDialogs({}, {}); }

  std::vector<std::string> Names() { return Query("Barmas.DAT", "SELECT FName FROM Barmas ORDER BY FBarcode"); }
  std::string Exported() {
    std::stringstream text;
    text << std::ifstream(Dir.File("out.csv"), std::ios::binary).rdbuf();
    return text.str();
  }

  std::vector<std::vector<std::string>> Summaries;
  TImportChoice Choice = TImportChoice::Update;
};

struct TChoiceCase {
  const char* Name;
  TImportChoice Choice;
  std::vector<std::string> NamesAfter;
};

void PrintTo(const TChoiceCase& c, std::ostream* os) { *os << c.Name; }

const TChoiceCase kChoices[] = {
    {"Update", TImportChoice::Update, {"new", "tea", "rice"}},
    {"Keep", TImportChoice::Keep, {"old", "tea", "rice"}},
    {"Cancel", TImportChoice::Cancel, {"old", "tea"}},
};

class ItemImportChoice : public ItemFiles, public testing::WithParamInterface<TChoiceCase> {};

TEST_P(ItemImportChoice, SummaryFirstThenTheChoiceAndTheOpenItemWindowShowsIt) {
  Shown();
  items::Tfrminput* window = items::OpenItemMaster(Frame);
  EXPECT_EQ(window->DBGrid1->model()->rowCount(), 2);
  Choice = GetParam().Choice;
  ASSERT_TRUE(Frame->FileImportItem->isVisible() && Frame->FileImportItem->isEnabled());
  Frame->FileImportItem->trigger();
  ASSERT_EQ(Summaries.size(), 1u);
  EXPECT_EQ(Summaries[0], (std::vector<std::string>{"1 new, 1 changed, 1 refused",
                                                     "line 4: FBarcode: Barcode Should Be 13 Character"}));
  EXPECT_EQ(Names(), GetParam().NamesAfter);
  EXPECT_EQ(window->DBGrid1->model()->rowCount(), int(GetParam().NamesAfter.size()));
  EXPECT_TRUE(TakeMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(Choices, ItemImportChoice, testing::ValuesIn(kChoices),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ItemFiles, ExportWritesAllItemsOrTheItemWindowsSelection) {
  {
    tables::TTable table;
    items::OpenItemTable(table, Dir.Path());
    table.WriteRows({{0, {std::string("5901234123457"), std::string("rice"), 0.1, TVariant{}, TVariant{}, TVariant{}, TVariant{}}}});
  }
  Shown();
  ASSERT_TRUE(Frame->FileExportItem->isVisible() && Frame->FileExportItem->isEnabled());
  Frame->FileExportItem->trigger();
  const std::string header = "\xEF\xBB\xBF" "FBarcode,FName,FSP,FCost,FItcode,FBarQty,FPicPath\r\n";
  const std::string first = "4006381333931,old,1,,,2,\r\n";
  const std::string second = "4012345678901,tea,,,,,\r\n";
  const std::string third = "5901234123457,rice,0.1,,,,\r\n";
  EXPECT_EQ(Exported(), header + first + second + third);
  items::Tfrminput* window = items::OpenItemMaster(Frame);
  window->DBGrid1->selectAll();
  window->DBGrid1->selectionModel()->select(window->DBGrid1->model()->index(0, 0),
                                            QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
  Frame->FileExportItem->trigger();
  EXPECT_EQ(Exported(), header + second + third);
}

TEST_F(ItemFiles, AFileWithoutABarcodeColumnIsRefusedWhole) {
  std::ofstream(Dir.File("in.csv")) << "Name\nx\n";
  Frame->FileImportItem->trigger();
  EXPECT_TRUE(Summaries.empty());
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{
                                "The file has no barcode column (FBarcode or \"Barcode\"); nothing was imported"});
}

}  // namespace
}  // namespace app::test
