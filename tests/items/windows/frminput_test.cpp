// The item master window driven as the operator drives it: typing into the barcode
// box and leaving it, the lookup dialog, the navigator and the grid, the picture,
// Save, Cancel, Print and Close, and the failures it shows and survives.
#include "items/windows/frminput.h"

#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "controls/guarded.h"
#include "items/shoptables.h"
#include "typing.h"
#include "windowfixture.h"

namespace items::test {
namespace {

using tables::TDataSetState;

class ItemWindow : public TWindowTest {
 protected:
  void SetUp() override {
    tables::test::MakeBarmas(Dir.Path(), {{"4006381333931", "Milk", "1.25"}, {"5012345678900", "Rice", "2.5"}});
    CreateMissingTables(Dir.Path());
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(Dir.File("milk.bmp")), "BMP"));
    SetPicturePath("4006381333931", Dir.File("milk.bmp"));
    gPrtport = "LPT3";
  }
  void SetPicturePath(const std::string& barcode, const std::string& path) {
    tables::test::TRawConnection(Dir.File("Barmas.DAT"))
        .Exec("UPDATE Barmas SET FPicPath = '" + path + "' WHERE FBarcode = '" + barcode + "'");
  }
  Tfrminput& Open() {
    Window = OpenItemMaster(nullptr);
    Activate(*Window);
    return *Window;
  }
  void EnterBarcode(const QString& text) { items::test::EnterBarcode(*Window, text); }
  controls::TDBEdit& Edit(const char* field) {
    for (controls::TDBEdit* edit : Window->FieldEdits)
      if (edit->dataField() == field) return *edit;
    throw std::runtime_error(std::string("no edit for ") + field);
  }
  std::string Field(const char* name) { return Window->tblbarmas.FieldByName(name).AsString(); }
  std::vector<std::string> StoredBarcodes() { return Query("Barmas.DAT", "SELECT FBarcode FROM Barmas ORDER BY rowid"); }
  const picture::TGraphic* ShownPicture() { return Window->empimg->Picture().Graphic(); }

  Tfrminput* Window = nullptr;
};

TEST_F(ItemWindow, IsBuiltAsDesigned) {
  Tfrminput& window = Open();
  EXPECT_EQ(window.windowTitle(), "Input");
  EXPECT_EQ(window.size(), QSize(606, 428));
  EXPECT_EQ(window.mcode->objectName(), "mcode");
  EXPECT_EQ(window.mcode->Edit()->maxLength(), 13);
  EXPECT_EQ(window.picpath->Edit()->maxLength(), 40);
  EXPECT_EQ(window.CheckBox1->text(), "Strech");
  EXPECT_TRUE(window.CheckBox1->isChecked());
  EXPECT_EQ(window.empimg->size(), QSize(159, 153));
  EXPECT_TRUE(window.BitBtn1->isDefault());
  EXPECT_EQ(window.Barcode1->Bar_CodeType(), TBarcode::EAN_13);
  EXPECT_EQ(window.Barcode1->Bar_HeightPercent(), 70);
  EXPECT_EQ(window.Barcode1->Bar_ModuleWidth(), TBarcode::SC2);
  EXPECT_FALSE(window.Panel3->isVisible());
  ASSERT_EQ(window.mport->count(), 7);
  EXPECT_EQ(window.mport->itemText(6), "LPT7");
  EXPECT_TRUE(window.mport->isEditable());

  // Labels name their fields, top to bottom, each the buddy of its field.
  std::vector<std::pair<QString, QString>> rows;
  for (QLabel* label : window.Panel1->findChildren<QLabel*>()) {
    QWidget* buddy = label->buddy();
    ASSERT_NE(buddy, nullptr) << label->text().toStdString();
    const QVariant field = buddy->property("dataField");
    rows.emplace_back(label->text(), field.isValid() ? field.toString() : buddy->parentWidget()->objectName());
  }
  EXPECT_EQ(rows, (std::vector<std::pair<QString, QString>>{{"Barcode", "mcode"},
                                                            {"Item Description", "FName"},
                                                            {"Selling Price", "FSP"},
                                                            {"Cost", "FCost"},
                                                            {"Bar Code Qty", "FBarQty"},
                                                            {"Our Item code", "FItcode"},
                                                            {"Picture Path", "picpath"}}));
  EXPECT_EQ(window.mcode->Edit()->palette().color(QPalette::Base), QColor(0, 255, 255));

  const QAbstractItemModel& grid = *window.DBGrid1->model();
  std::vector<QString> titles;
  for (int c = 0; c < grid.columnCount(); ++c) titles.push_back(grid.headerData(c, Qt::Horizontal).toString());
  EXPECT_EQ(titles, (std::vector<QString>{"Barcode", "Name", "SP", "Cost", "Itcode", "BarQty", "PicPath"}));
  EXPECT_EQ(window.DBGrid1->columnWidth(1), 269);
  EXPECT_EQ(window.DBGrid1->columnWidth(3), 72);
  EXPECT_EQ(window.DBGrid1->columnWidth(4), 88);
}

TEST_F(ItemWindow, OpensOnTheFirstItemAndTakesThePortOfTheSettings) {
  Tfrminput& window = Open();
  EXPECT_EQ(frminput, &window);
  EXPECT_EQ(window.mcode->text(), "4006381333931");
  EXPECT_EQ(window.mport->currentText(), "LPT3");
  EXPECT_EQ(window.picpath->text().toStdString(), Dir.File("milk.bmp"));
  EXPECT_NE(ShownPicture(), nullptr);
  EXPECT_EQ(window.Barcode1->Bar_Caption(), "4006381333931");
  // A second request finds the window open.
  EXPECT_EQ(OpenItemMaster(nullptr), &window);
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ItemWindow, OpeningAnOlderFileAddsTheSearchIndexesAndKeepsTheRows) {
  tables::test::TRawConnection(Dir.File("Barmas.DAT")).Exec("DROP INDEX Barmas_FItcode; DROP INDEX Barmas_FName");
  Open();
  EXPECT_EQ(Query("Barmas.DAT", "SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name"),
            (std::vector<std::string>{"Barmas_FBarcode", "Barmas_FItcode", "Barmas_FName"}));
  EXPECT_EQ(StoredBarcodes(), (std::vector<std::string>{"4006381333931", "5012345678900"}));
}

TEST_F(ItemWindow, ANewBarcodeStartsARowThatLeavingTheBoxAgainStores) {
  Tfrminput& window = Open();
  EnterBarcode("9780201379624");
  EXPECT_EQ(window.tblbarmas.State(), TDataSetState::dsInsert);
  EXPECT_EQ(Field("FBarcode"), "9780201379624");
  EXPECT_EQ(Field("FName"), "");
  EXPECT_EQ(window.picpath->text(), "");
  EXPECT_EQ(window.Barcode1->Bar_Caption(), "9780201379624");
  // The old picture stays: an empty path only repaints.
  EXPECT_NE(ShownPicture(), nullptr);
  EXPECT_EQ(StoredBarcodes().size(), 2u);

  window.mcode->Edit()->setFocus();
  QTest::keyClick(window.mcode->Edit(), Qt::Key_Tab);
  EXPECT_EQ(StoredBarcodes(), (std::vector<std::string>{"4006381333931", "5012345678900", "9780201379624"}));
  EXPECT_EQ(window.tblbarmas.State(), TDataSetState::dsBrowse);
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ItemWindow, AnExistingBarcodeMovesToItsRowAndShowsIt) {
  Tfrminput& window = Open();
  EnterBarcode("5012345678900");
  EXPECT_EQ(window.tblbarmas.State(), TDataSetState::dsBrowse);
  EXPECT_EQ(Field("FName"), "Rice");
  EXPECT_EQ(Edit("FName").text(), "Rice");
  EXPECT_EQ(window.mcode->text(), "5012345678900");
  EXPECT_EQ(window.Barcode1->Bar_Caption(), "5012345678900");
  EXPECT_EQ(window.DBGrid1->currentIndex().row(), 1);
  EXPECT_EQ(StoredBarcodes().size(), 2u);
}

TEST_F(ItemWindow, LeavingTheBoxOnAnExistingBarcodeReloadsTheGridOnce) {
  Tfrminput& window = Open();
  EnterBarcode("4006381333931");  // the first time the order by barcode is set: the rows do move
  QSignalSpy resets(window.DBGrid1->model(), &QAbstractItemModel::modelReset);
  QSignalSpy markers(window.DBGrid1->model(), &QAbstractItemModel::headerDataChanged);
  for (const char* barcode : {"5012345678900", "4006381333931", "4006381333931"}) {
    EnterBarcode(barcode);
    EXPECT_EQ(resets.size() + markers.size(), 1) << barcode;
    EXPECT_EQ(window.DBGrid1->currentIndex().row(), window.tblbarmas.CurrentPosition()) << barcode;
    resets.clear();
    markers.clear();
  }
}

struct TShortCase {
  const char* Typed;
  bool Told;
  const char* Stored;  // without trailing blanks
};

class ItemWindowLength : public ItemWindow, public ::testing::WithParamInterface<TShortCase> {};

TEST_P(ItemWindowLength, AShortBarcodeIsToldButItsRowIsStillStarted) {
  Tfrminput& window = Open();
  EnterBarcode(GetParam().Typed);
  EXPECT_EQ(window.tblbarmas.State(), TDataSetState::dsInsert);
  EXPECT_EQ(Field("FBarcode"), GetParam().Stored);
  if (GetParam().Told) {
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{barmas::kShortBarcodeMessage});
    QApplication::processEvents();
    EXPECT_TRUE(window.mcode->Edit()->hasFocus());
  } else {
    EXPECT_TRUE(TakeMessages().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Lengths, ItemWindowLength,
                         ::testing::Values(TShortCase{"", true, ""}, TShortCase{"12345", true, "12345"},
                                           TShortCase{"12345678901", true, "12345678901"},
                                           TShortCase{"123456789012", false, "123456789012"},
                                           TShortCase{"  1234567890 ", true, "  1234567890"}));

TEST_F(ItemWindow, TextTheFieldCannotHoldIsRefusedAndChangesNothing) {
  Tfrminput& window = Open();
  window.mcode->setText(QString::fromUtf8("400\u20ac\u4e2d"));  // the euro sign fits the code page, the other does not
  EXPECT_FALSE(controls::Guarded([&] { window.mcodeExit(); }));
  EXPECT_EQ(window.tblbarmas.State(), TDataSetState::dsBrowse);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].find("FBarcode"), std::string::npos) << Messages[0];
  EXPECT_EQ(StoredBarcodes().size(), 2u);
}

TEST_F(ItemWindow, ThePickedRowOfTheLookupDialogIsWhereLeavingTheBoxGoes) {
  tables::test::TRawConnection(Dir.File("Barmas.DAT")).Exec("UPDATE Barmas SET FItcode = 'R1' WHERE FName = 'Rice'");
  Tfrminput& window = Open();
  window.mcode->Edit()->setFocus();
  window.mcode->DropDown();
  controls::TLookupDialog* dialog = window.mcode->Dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(window.tblbarmas.State(), TDataSetState::dsBrowse);  // opening it is no exit
  QTest::keyClicks(dialog->SearchBox(), "R1");
  QTest::keyClick(dialog->SearchBox(), Qt::Key_Return);
  EXPECT_EQ(window.mcode->text(), "5012345678900");
  // The editing cursor has not moved yet; leaving the box moves it.
  EXPECT_EQ(Field("FName"), "Milk");
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  Activate(window);
  EXPECT_TRUE(window.mcode->Edit()->hasFocus());
  QTest::keyClick(window.mcode->Edit(), Qt::Key_Tab);
  EXPECT_EQ(Field("FName"), "Rice");
}

TEST_F(ItemWindow, NavigatorMovesShowTheRowAndKeepTheLastPictureForAnEmptyPath) {
  Tfrminput& window = Open();
  const picture::TGraphic* milk = ShownPicture();
  ASSERT_NE(milk, nullptr);
  QTest::mouseClick(window.DBNavigator1->Button(controls::TNavigateButton::nbNext), Qt::LeftButton);
  EXPECT_EQ(window.mcode->text(), "5012345678900");
  EXPECT_EQ(window.picpath->text(), "");
  EXPECT_EQ(ShownPicture(), milk);
  QTest::mouseClick(window.DBNavigator1->Button(controls::TNavigateButton::nbFirst), Qt::LeftButton);
  EXPECT_EQ(window.mcode->text(), "4006381333931");
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ItemWindow, APictureThatCannotBeLoadedIsToldOnceAndTheOldOneStays) {
  SetPicturePath("5012345678900", Dir.File("gone.jpg"));
  std::ofstream(Dir.File("notes.txt")) << "not a picture";
  Tfrminput& window = Open();
  const picture::TGraphic* milk = ShownPicture();
  QTest::mouseClick(window.DBNavigator1->Button(controls::TNavigateButton::nbNext), Qt::LeftButton);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].find("gone.jpg"), std::string::npos) << Messages[0];
  EXPECT_EQ(ShownPicture(), milk);

  // Typing a path is quiet until the box is left.
  TakeMessages();
  TypeInto(*window.picpath->Edit(), QString::fromStdString(Dir.File("notes.txt")));
  EXPECT_TRUE(Messages.empty());
  QTest::keyClick(window.picpath->Edit(), Qt::Key_Tab);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].find(".txt"), std::string::npos) << Messages[0];
  // A typed path that names a picture shows it as soon as it is complete.
  TypeInto(*window.picpath->Edit(), QString::fromStdString(Dir.File("milk.bmp")));
  ASSERT_NE(ShownPicture(), nullptr);
  EXPECT_FALSE(ShownPicture()->Empty());
}

TEST_F(ItemWindow, APathWithABlankIsReadInQuotesAndStoredAsTyped) {
  std::filesystem::copy_file(Dir.File("milk.bmp"), Dir.File("m k.bmp"));
  Tfrminput& window = Open();
  EnterBarcode("9780201379624");
  // As long as the field takes: 40 characters.
  const QString quoted = QString::fromStdString("\"" + Dir.File("m k.bmp") + "\"");
  TypeInto(*window.picpath->Edit(), quoted);
  QTest::keyClick(window.picpath->Edit(), Qt::Key_Tab);
  EXPECT_TRUE(TakeMessages().empty());
  QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
  EXPECT_EQ(Query("Barmas.DAT", "SELECT FPicPath FROM Barmas WHERE FBarcode = '9780201379624'"),
            std::vector<std::string>{quoted.toStdString()});
  EXPECT_TRUE(window.mcode->Edit()->hasFocus());
}

TEST_F(ItemWindow, SaveStoresTheTypedFieldsAndThePicturePath) {
  Tfrminput& window = Open();
  EnterBarcode("9780201379624");
  TypeInto(Edit("FName"), "Flour");
  TypeInto(Edit("FSP"), "3.75");
  TypeInto(Edit("FBarQty"), "4");
  QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
  EXPECT_EQ(window.tblbarmas.State(), TDataSetState::dsBrowse);
  EXPECT_EQ(Query("Barmas.DAT", "SELECT FName || '/' || FSP || '/' || FBarQty FROM Barmas WHERE FBarcode = '9780201379624'"),
            std::vector<std::string>{"Flour/3.75/4.0"});
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ItemWindow, EnterSavesAndEscCancelsWithoutClosing) {
  Tfrminput& window = Open();
  TypeInto(Edit("FName"), "Milk 2L");
  QTest::keyClick(&Edit("FName"), Qt::Key_Return);
  EXPECT_EQ(Query("Barmas.DAT", "SELECT FName FROM Barmas WHERE FBarcode = '4006381333931'"),
            std::vector<std::string>{"Milk 2L"});

  EnterBarcode("9780201379624");
  ASSERT_EQ(window.tblbarmas.State(), TDataSetState::dsInsert);
  QTest::keyClick(&Edit("FName"), Qt::Key_Escape);
  EXPECT_EQ(window.tblbarmas.State(), TDataSetState::dsBrowse);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(StoredBarcodes().size(), 2u);
}

TEST_F(ItemWindow, SaveOnAnEmptyTableStoresARowHoldingOnlyThePicturePath) {
  std::filesystem::remove(Dir.File("Barmas.DAT"));
  tables::test::MakeBarmas(Dir.Path());
  Tfrminput& window = Open();
  EXPECT_EQ(window.mcode->text(), "");
  // The empty table's data change has shown its (empty) path.
  EXPECT_EQ(window.picpath->text(), "");
  window.picpath->setText("front.jpg");
  TakeMessages();
  window.BitBtn1Click();
  EXPECT_EQ(Query("Barmas.DAT", "SELECT ifnull(FBarcode, 'none') || '/' || FPicPath FROM Barmas"),
            std::vector<std::string>{"none/front.jpg"});
}

TEST_F(ItemWindow, PrintSendsTheLabelOfTheCurrentItemToThePortOfTheHiddenBox) {
  gPrtname = "Z";
  Tfrminput& window = Open();
  std::vector<double> waits;
  window.LabelJob().Wait = [&](double seconds) { waits.push_back(seconds); };
  window.mport->setCurrentText(QString::fromStdString(Dir.File("label.prn")));
  QTest::mouseClick(window.BitBtn3, Qt::LeftButton);
  EXPECT_EQ(waits, std::vector<double>{3});
  std::ifstream port(Dir.File("label.prn"), std::ios::binary);
  std::stringstream printed;
  printed << port.rdbuf();
  EXPECT_EQ(printed.str(),
            "^XA\r\n^XB\r\n^LH0,03\r\n"
            "^BY1.0,10,,^FO15,84^AP,22,N,N,N^FDMilk^FS\r\n"
            "^BY2,3.0,2,^FO50,160^AP^BEN,70,Y,N^FD4006381333931^FS\r\n"
            "^BY1.0,10,,^FO42,122^AP,30,N,N,N^FDDhs.1.25^FS\r\n"
            "^PQ0\r\n^XZ\r\n");
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ItemWindow, CloseDropsThePendingRowAndClearsTheWindowPointer) {
  Tfrminput& window = Open();
  EnterBarcode("9780201379624");
  QPointer<Tfrminput> watched(&window);
  QTest::mouseClick(window.BitBtn4, Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(watched.isNull());
  EXPECT_EQ(frminput, nullptr);
  EXPECT_EQ(StoredBarcodes().size(), 2u);
}

TEST_F(ItemWindow, AMissingTableIsToldAndTheWindowStillOpensAndCloses) {
  std::filesystem::remove(Dir.File("Barmas.DAT"));
  Tfrminput& window = Open();
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_NE(Messages[0].find("Barmas"), std::string::npos) << Messages[0];
  EXPECT_TRUE(window.isVisible());
  TakeMessages();
  EnterBarcode("9780201379624");
  EXPECT_EQ(Messages.size(), 1u);  // every table operation fails the same way
  window.close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(frminput, nullptr);
  EXPECT_FALSE(std::filesystem::exists(Dir.File("Barmas.DAT")));
}

TEST_F(ItemWindow, ARowSavedByAnotherProgramAppearsAfterRefreshAndAConflictingEditIsRefused) {
  Tfrminput& window = Open();
  // The sqlite3 tool stands for a second copy of the program.
  const std::string other = "sqlite3 '" + Dir.File("Barmas.DAT") + "' ";
  ASSERT_EQ(std::system((other + "\"INSERT INTO Barmas (FBarcode, FName) VALUES ('7613035010115', 'Tea')\"").c_str()), 0);
  QTest::mouseClick(window.DBNavigator1->Button(controls::TNavigateButton::nbRefresh), Qt::LeftButton);
  EXPECT_EQ(window.DBGrid1->model()->rowCount(), 3);

  TypeInto(Edit("FName"), "Milk 1L");
  ASSERT_EQ(std::system((other + "\"UPDATE Barmas SET FName = 'Oat milk' WHERE FBarcode = '4006381333931'\"").c_str()), 0);
  QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Query("Barmas.DAT", "SELECT FName FROM Barmas WHERE FBarcode = '4006381333931'"),
            std::vector<std::string>{"Oat milk"});
  // Nothing typed is lost: the change is still pending.
  EXPECT_EQ(window.tblbarmas.State(), TDataSetState::dsEdit);
  EXPECT_EQ(Edit("FName").text(), "Milk 1L");
}

}  // namespace
}  // namespace items::test
