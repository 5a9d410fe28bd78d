// The lookup combo box: its dialog over a second cursor, the search by the lookup
// field as the operator types, and what a pick or Esc leaves in the box.
#include "controls/lookupcombo.h"

#include <gtest/gtest.h>

#include <QTest>

#include "messages.h"
#include "tables/support.h"

namespace controls::test {
namespace {

using tables::test::TRawConnection;
using tables::test::TTempDir;

const TLookupSettings kSettings{"mcode",
                                13,
                                {{"Barcode", "FBarcode", 13}, {"Itcode", "FItcode", 13}, {"Name", "FName", 40}},
                                "FItcode",
                                "FBarcode",
                                209};

class Lookup : public ::testing::Test {
 protected:
  void SetUp() override {
    tables::test::MakeBarmas(Dir.Path(), {{"100", "soap", ""}, {"200", "rice", ""}, {"300", "salt", ""},
                                          {"400", "tea", ""}, {"500", "none", ""}});
    // Item codes in another order than the barcodes; 500 has none.
    TRawConnection raw(Dir.Path() + "Barmas.DAT");
    for (const auto& [barcode, itcode] : {std::pair{"100", "C10"}, {"200", "A20"}, {"300", "B30"}, {"400", "B35"}}) {
      raw.Exec(std::string("UPDATE Barmas SET FItcode = '") + itcode + "' WHERE FBarcode = '" + barcode + "'");
    }
    Table.SetDatabaseName(Dir.Path());
    Table.SetTableName("Barmas.DAT");
    Table.Open();
    Source.SetDataSet(&Table);
    Box.SetLookupSource(&Source);
    Box.setText("keep");
    Box.show();
    Box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Box));
  }
  TLookupDialog& Drop() {
    QTest::mouseClick(Box.DropDownButton(), Qt::LeftButton);
    EXPECT_NE(Box.Dialog(), nullptr);
    return *Box.Dialog();
  }
  void Search(TLookupDialog& dialog, const char* text) {
    dialog.SearchBox()->setFocus();
    QTest::keyClicks(dialog.SearchBox(), text);
  }

  TTempDir Dir;
  tables::TTable Table;
  tables::TDataSource Source;
  TLookupCombo Box{kSettings};
  TCapturedMessages Messages;
};

TEST_F(Lookup, TheDialogListsTheColumnsInTheLookupFieldsOrder) {
  EXPECT_EQ(Box.objectName(), "mcode");
  EXPECT_EQ(Box.Edit()->maxLength(), 13);
  TLookupDialog& dialog = Drop();
  EXPECT_LE(dialog.height(), 209);
  EXPECT_EQ(dialog.maximumHeight(), 209);
  const auto* model = dialog.Grid()->model();
  ASSERT_EQ(model->columnCount(), 3);
  EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "Name");
  // 40 characters are wider than 13.
  EXPECT_GT(dialog.Grid()->columnWidth(2), 2 * dialog.Grid()->columnWidth(0));
  std::vector<std::string> barcodes;
  for (int r = 0; r < model->rowCount(); ++r) barcodes.push_back(model->index(r, 0).data().toString().toStdString());
  EXPECT_EQ(barcodes, (std::vector<std::string>{"500", "200", "300", "400", "100"}));
}

struct TSearchCase {
  const char* Typed;
  const char* Barcode;
};

class LookupSearch : public Lookup, public ::testing::WithParamInterface<TSearchCase> {};

TEST_P(LookupSearch, FindsByTheLookupFieldAsTheOperatorTypes) {
  TLookupDialog& dialog = Drop();
  Search(dialog, GetParam().Typed);
  EXPECT_EQ(Table.FieldByName("FBarcode").AsString(), GetParam().Barcode);
  EXPECT_EQ(dialog.Grid()->currentIndex().row(), Table.CurrentPosition());
}

INSTANTIATE_TEST_SUITE_P(Typed, LookupSearch,
                         ::testing::Values(TSearchCase{"A", "200"}, TSearchCase{"B", "300"}, TSearchCase{"B3", "300"},
                                           TSearchCase{"B35", "400"}, TSearchCase{"B4", "100"},
                                           TSearchCase{"C10", "100"},
                                           // Nothing sorts after it: the last row.
                                           TSearchCase{"Z", "100"}));

TEST_F(Lookup, ChoosingAnotherColumnOrdersTheListAndSearchesByIt) {
  TLookupDialog& dialog = Drop();
  EXPECT_EQ(dialog.SearchField()->currentText(), "Itcode");
  Search(dialog, "s");
  dialog.SearchField()->setCurrentIndex(dialog.SearchField()->findText("Name"));
  // "s" by name: salt, then soap.
  EXPECT_EQ(Table.FieldByName("FBarcode").AsString(), "300");
  EXPECT_EQ(dialog.Grid()->model()->index(0, 2).data().toString(), "none");
  QTest::keyClicks(dialog.SearchBox(), "o");
  EXPECT_EQ(Table.FieldByName("FBarcode").AsString(), "100");
  dialog.SearchField()->setCurrentIndex(dialog.SearchField()->findText("Barcode"));
  dialog.SearchBox()->clear();
  QTest::keyClicks(dialog.SearchBox(), "25");
  EXPECT_EQ(Table.FieldByName("FBarcode").AsString(), "300");
  EXPECT_EQ(dialog.Grid()->currentIndex().row(), Table.CurrentPosition());
}

TEST_F(Lookup, EnterPicksTheFoundRowsDisplayField) {
  int picks = 0;
  QObject::connect(&Box, &TLookupCombo::Picked, [&] { ++picks; });
  TLookupDialog& dialog = Drop();
  Search(dialog, "B35");
  QTest::keyClick(dialog.SearchBox(), Qt::Key_Return);
  EXPECT_EQ(Box.text(), "400");
  EXPECT_EQ(picks, 1);
  QApplication::processEvents();
  EXPECT_EQ(Box.Dialog(), nullptr);
  EXPECT_TRUE(Messages.Texts.empty());
}

TEST_F(Lookup, ADoubleClickPicksThatRow) {
  TLookupDialog& dialog = Drop();
  TDBGrid& grid = *dialog.Grid();
  const QPoint centre = grid.visualRect(grid.model()->index(2, 2)).center();
  // QTest's double click on a widget sends no first click of its own; a view needs one.
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre);
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, centre);
  EXPECT_EQ(Box.text(), "300");
}

TEST_F(Lookup, EscClosesWithoutChange) {
  TLookupDialog& dialog = Drop();
  Search(dialog, "A");
  QTest::keyClick(dialog.SearchBox(), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(Box.Dialog(), nullptr);
  EXPECT_EQ(Box.text(), "keep");
}

}  // namespace
}  // namespace controls::test
