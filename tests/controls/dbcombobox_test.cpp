// The bound combo box: display texts mapped to stored values, free text in an
// editable box, and the edit that a pick or a keystroke starts.
#include "controls/dbcombobox.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "messages.h"
#include "tables/support.h"

namespace controls::test {
namespace {

using tables::TDataSetState;
using tables::TFieldType;
using tables::test::TRawConnection;
using tables::test::TTempDir;

const TComboSettings kPrinter{"DBComboBox1", "prtname", {"Eltron \tE", "Zebra -S500\tZ"}, false, 8};
const TComboSettings kPort{"mport", "PRTPORT", {"LPT1", "LPT2", "COM1", "COM2", "COM3", "COM4"}, true, 8};

class Combo : public ::testing::Test {
 protected:
  void Open(std::vector<std::vector<tables::TVariant>> rows = {{std::string("LPT1"), std::string("Z")}}) {
    tables::CreateTable(Dir.Path(), "prm", {{"PRTPORT", TFieldType::ftString, 5}, {"PRTNAME", TFieldType::ftString, 1}},
                        {}, rows);
    Table.SetDatabaseName(Dir.Path());
    Table.SetTableName("prm");
    Table.Open();
    Source.SetDataSet(&Table);
    Printer.SetDataSource(&Source);
    Port.SetDataSource(&Source);
  }
  std::vector<std::string> Stored(const char* field) {
    return TRawConnection(Dir.Path() + "prm.DAT").Column(std::string("SELECT ") + field + " FROM prm");
  }

  TTempDir Dir;
  tables::TTable Table;
  tables::TDataSource Source;
  TDBComboBox Printer{kPrinter};
  TDBComboBox Port{kPort};
  TCapturedMessages Messages;
};

TEST_F(Combo, ShowsTheDisplayTextOfTheStoredValue) {
  Open();
  EXPECT_EQ(Printer.objectName(), "DBComboBox1");
  EXPECT_EQ(Printer.property("dataField").toString(), "prtname");
  EXPECT_EQ(Printer.maxVisibleItems(), 8);
  ASSERT_EQ(Printer.count(), 2);
  EXPECT_EQ(Printer.itemText(0), "Eltron ");
  EXPECT_EQ(Printer.StoredValue(0), "E");
  EXPECT_EQ(Printer.currentText(), "Zebra -S500");
  EXPECT_EQ(Port.currentText(), "LPT1");
}

TEST_F(Combo, PickingAnItemStoresItsValue) {
  Open();
  QTest::keyClick(&Printer, Qt::Key_Up);  // from the Zebra to the Eltron
  EXPECT_EQ(Table.State(), TDataSetState::dsEdit);
  EXPECT_EQ(Table.FieldByName("PRTNAME").AsString(), "E");
  Table.Post();
  EXPECT_EQ(Stored("PRTNAME"), std::vector<std::string>{"E"});
  EXPECT_EQ(Printer.currentText(), "Eltron ");
}

TEST_F(Combo, AValueOutsideTheListIsShownAsItIs) {
  Open();
  TRawConnection(Dir.Path() + "prm.DAT").Exec("UPDATE prm SET PRTNAME = 'X'");
  Table.Refresh();
  EXPECT_EQ(Printer.currentIndex(), -1);
  EXPECT_EQ(Printer.placeholderText(), "X");
}

TEST_F(Combo, PickingOnAnEmptyTableStartsANewRow) {
  Open({});
  QTest::keyClick(&Printer, Qt::Key_Down);
  EXPECT_EQ(Table.State(), TDataSetState::dsInsert);
  EXPECT_EQ(Table.FieldByName("PRTNAME").AsString(), "E");
}

TEST_F(Combo, AnEditableBoxStoresFreeTextUpToTheFieldsSize) {
  Open();
  Port.lineEdit()->selectAll();
  QTest::keyClicks(Port.lineEdit(), "COM123");
  EXPECT_EQ(Port.lineEdit()->maxLength(), 5);
  EXPECT_EQ(Table.FieldByName("PRTPORT").AsString(), "COM12");
  EXPECT_EQ(Table.State(), TDataSetState::dsEdit);
  Table.Post();
  EXPECT_EQ(Stored("PRTPORT"), std::vector<std::string>{"COM12"});
  EXPECT_TRUE(Messages.Texts.empty());
}

}  // namespace
}  // namespace controls::test
