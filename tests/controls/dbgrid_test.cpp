// The data grid: its columns, its rows read by position, and its current row kept
// the same as the cursor's both ways, with editing in place posted on a row change.
#include "controls/dbgrid.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>

#include "controls/fieldtext.h"
#include "controls/guarded.h"
#include "messages.h"
#include "tables/support.h"

namespace controls::test {
namespace {

using tables::TDataSetState;
using tables::test::TItem;
using tables::test::TRawConnection;
using tables::test::TTempDir;
using Texts = std::vector<std::string>;

const TGridSettings kSettings{"DBGrid1", {{"Barcode", "FBarcode"}, {"Name", "FName", 269}, {"SP", "FSP"}}};

class Grid : public ::testing::Test {
 protected:
  void SetUp() override {
    tables::test::MakeBarmas(Dir.Path(), {{"300", "salt", "1.5"}, {"100", "soap", "2"}, {"200", "rice", ""}});
    Table.SetDatabaseName(Dir.Path());
    Table.SetTableName("Barmas.DAT");
    Table.SetIndexFieldNames("FBarcode");
    Table.Open();
    Source.SetDataSet(&Table);
    View.SetDataSource(&Source);
    View.resize(600, 300);
    View.show();
    View.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&View));
  }
  std::string Cell(int row, int column) { return FromCell(View.model()->index(row, column)); }
  static std::string FromCell(const QModelIndex& index) { return index.data().toString().toStdString(); }
  QPoint CellCentre(int row, int column) { return View.visualRect(View.model()->index(row, column)).center(); }
  void ExpectGridOnCursor() {
    ASSERT_EQ(View.currentIndex().row(), Table.CurrentPosition());
    EXPECT_EQ(Cell(View.currentIndex().row(), 0), Table.FieldByName("FBarcode").AsString());
  }
  Texts StoredNames() { return TRawConnection(Dir.Path() + "Barmas.DAT").Column("SELECT FName FROM Barmas ORDER BY FBarcode"); }

  TTempDir Dir;
  tables::TTable Table;
  tables::TDataSource Source;
  TDBGrid View{kSettings};
  TCapturedMessages Messages;
};

TEST_F(Grid, ColumnsComeFromTheSettings) {
  EXPECT_EQ(View.objectName(), "DBGrid1");
  ASSERT_EQ(View.model()->columnCount(), 3);
  const Texts titles{"Barcode", "Name", "SP"};
  for (int c = 0; c < 3; ++c) EXPECT_EQ(View.model()->headerData(c, Qt::Horizontal).toString().toStdString(), titles[c]);
  EXPECT_EQ(View.columnWidth(1), 269);
  EXPECT_EQ(View.columnWidth(0), View.horizontalHeader()->defaultSectionSize());
}

TEST_F(Grid, ShowsTheRowsInTheCursorsOrder) {
  ASSERT_EQ(View.model()->rowCount(), 3);
  const std::vector<Texts> rows{{"100", "soap", "2"}, {"200", "rice", ""}, {"300", "salt", "1.5"}};
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) EXPECT_EQ(Cell(r, c), rows[r][c]) << r << "," << c;
  }
}

struct TMoveCase {
  const char* Name;
  std::function<void(tables::TTable&)> Move;
  int Row;
};

class GridFollows : public Grid, public ::testing::WithParamInterface<TMoveCase> {};

TEST_P(GridFollows, MovingTheCursorMovesTheGrid) {
  GetParam().Move(Table);
  EXPECT_EQ(View.currentIndex().row(), GetParam().Row);
  ExpectGridOnCursor();
}

INSTANTIATE_TEST_SUITE_P(
    Moves, GridFollows,
    ::testing::Values(TMoveCase{"Last", [](tables::TTable& t) { t.Last(); }, 2},
                      TMoveCase{"Next", [](tables::TTable& t) { t.Next(); }, 1},
                      TMoveCase{"LastThenPrior", [](tables::TTable& t) { t.Last(); t.Prior(); }, 1},
                      TMoveCase{"FindKey", [](tables::TTable& t) { t.FindKey({std::string("300")}); }, 2},
                      TMoveCase{"LastThenFirst", [](tables::TTable& t) { t.Last(); t.First(); }, 0},
                      TMoveCase{"Append", [](tables::TTable& t) { t.Append(); }, 3}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Grid, APendingNewRowIsShownAfterTheLastUntilCancelled) {
  Table.Append();
  EXPECT_EQ(View.model()->rowCount(), 4);
  Table.FieldByName("FBarcode").SetAsString("050");
  EXPECT_EQ(Cell(3, 0), "050");
  Table.Cancel();
  EXPECT_EQ(View.model()->rowCount(), 3);
  ExpectGridOnCursor();
}

TEST_F(Grid, ClickingARowMovesTheCursor) {
  QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, CellCentre(2, 1));
  EXPECT_EQ(Table.FieldByName("FBarcode").AsString(), "300");
  QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, CellCentre(1, 0));
  EXPECT_EQ(Table.FieldByName("FBarcode").AsString(), "200");
  ExpectGridOnCursor();
  EXPECT_TRUE(Messages.Texts.empty());
}

TEST_F(Grid, AnEditInPlaceIsPostedWhenTheRowChanges) {
  View.setCurrentIndex(View.model()->index(1, 1));
  View.setFocus();
  QTest::keyClick(&View, Qt::Key_F);  // the first key opens the cell editor
  QWidget* editor = QApplication::focusWidget();
  ASSERT_NE(editor, &View);
  QTest::keyClicks(editor, "lour");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();  // the editor hands its text over queued
  EXPECT_EQ(Table.State(), TDataSetState::dsEdit);
  EXPECT_EQ(Table.FieldByName("FName").AsString(), "flour");
  EXPECT_EQ(StoredNames(), (Texts{"soap", "rice", "salt"}));  // not posted yet
  QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, CellCentre(0, 0));
  EXPECT_EQ(Table.State(), TDataSetState::dsBrowse);
  EXPECT_EQ(StoredNames(), (Texts{"soap", "flour", "salt"}));
  ExpectGridOnCursor();
  EXPECT_TRUE(Messages.Texts.empty());
}

struct TRefusedCase {
  const char* Name;
  int Column;
  QString Text;
  std::string Message;
};

class GridRefuses : public Grid, public ::testing::WithParamInterface<TRefusedCase> {};

TEST_P(GridRefuses, RefusedTextIsShownAndStoresNothing) {
  EXPECT_THROW(View.WriteCell(1, GetParam().Column, GetParam().Text), std::exception);
  Guarded([&] { View.WriteCell(1, GetParam().Column, GetParam().Text); });
  EXPECT_EQ(Messages.Take(), Texts{GetParam().Message});
  EXPECT_FALSE(Table.Modified());
  EXPECT_EQ(StoredNames(), (Texts{"soap", "rice", "salt"}));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GridRefuses,
    ::testing::Values(TRefusedCase{"OutsideTheCodePage", 1, QString::fromUtf16(u"\u03A9mega"), BadCharactersMessage("FName")},
                      TRefusedCase{"ControlCharacter", 1, "a\tb", BadCharactersMessage("FName")},
                      TRefusedCase{"TooLong", 1, QString(41, 'x'), "Value too long for field FName (at most 40 characters)"},
                      TRefusedCase{"NotANumber", 2, "cheap", "'cheap' is not a valid number for field FSP"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Grid, AFailedPostKeepsTheGridOnTheCursorsRow) {
  View.WriteCell(1, 1, "flour");
  TRawConnection(Dir.Path() + "Barmas.DAT").Exec("DELETE FROM Barmas WHERE FBarcode = '200'");
  QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, CellCentre(0, 0));
  ASSERT_EQ(Messages.Take().size(), 1u);
  EXPECT_EQ(Table.State(), TDataSetState::dsEdit);
  EXPECT_EQ(View.currentIndex().row(), Table.CurrentPosition());
}

TEST(GridLarge, ReadsTheEndOfALargeTableWithoutWalkingIt) {
  constexpr int kRows = 20000;
  TTempDir dir;
  std::vector<std::vector<tables::TVariant>> rows;
  for (int i = 0; i < kRows; ++i) rows.push_back({std::to_string(1000000 + i), "item " + std::to_string(i)});
  tables::CreateTable(dir.Path(), "Big", {{"Code", tables::TFieldType::ftString, 13}, {"Name", tables::TFieldType::ftString, 40}},
                      {"Code"}, rows);
  tables::TTable table;
  table.SetDatabaseName(dir.Path());
  table.SetTableName("Big");
  table.SetIndexFieldNames("Code");
  table.Open();
  tables::TDataSource source;
  source.SetDataSet(&table);
  TDBGrid grid({"Big", {{"Code", "Code"}, {"Name", "Name"}}});
  grid.SetDataSource(&source);
  grid.show();
  table.Last();
  EXPECT_EQ(grid.model()->rowCount(), kRows);
  EXPECT_EQ(grid.currentIndex().row(), kRows - 1);
  EXPECT_EQ(grid.model()->index(kRows - 2, 1).data().toString(), "item 19998");
  EXPECT_EQ(grid.model()->index(3, 0).data().toString(), "1000003");
}

}  // namespace
}  // namespace controls::test
