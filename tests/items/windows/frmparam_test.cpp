// The parameters window: port and printer type edited and saved into the table and
// the settings at once; Close keeps both; the company is shown, never changed.
#include "items/windows/frmparam.h"

#include <QLabel>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "items/shoptables.h"
#include "items/windows/formlayout.h"
#include "items/windows/frminput.h"
#include "typing.h"
#include "windowfixture.h"

namespace items::test {
namespace {

using tables::TDataSetState;

class ParamWindow : public TWindowTest {
 protected:
  void SetUp() override {
    CreateMissingTables(Dir.Path());
    tables::test::TRawConnection(Dir.File("param.DAT")).Exec("UPDATE param SET COCD = '01', COMNAME = 'Corner Shop'");
    LoadSettings(Dir.Path());
  }
  Tfrmparam& Open() {
    Window = OpenParameters(nullptr);
    Activate(*Window);
    return *Window;
  }
  std::vector<std::string> StoredRow() {
    return Query("param.DAT", "SELECT ifnull(COCD, '') || '/' || ifnull(COMNAME, '') || '/' || ifnull(PRTPORT, '') || "
                              "'/' || ifnull(PRTNAME, '') FROM param");
  }
  void ChooseItem(QComboBox& box, const QString& text) {
    box.setFocus();
    const int item = box.findText(text);
    ASSERT_GE(item, 0) << text.toStdString();
    // As a pick from the list: the box reports it as activated.
    box.setCurrentIndex(item);
    emit box.activated(item);
  }
  void TypePort(const QString& text) { TypeInto(*Window->mport->lineEdit(), text); }

  Tfrmparam* Window = nullptr;
};

TEST_F(ParamWindow, IsBuiltAsDesignedAndShowsTheRow) {
  Tfrmparam& window = Open();
  EXPECT_EQ(window.windowTitle(), "Parameters Input");
  // Grown to the right for the calibration; the designed controls keep their places.
  EXPECT_EQ(window.size(), QSize(695, 303));
  EXPECT_EQ(window.Bevel1->geometry(), QRect(8, 8, 443, 200));
  EXPECT_EQ(window.BitBtn1->geometry(), QRect(120, 230, 90, 33));
  EXPECT_EQ(window.BitBtn2->geometry(), QRect(250, 230, 90, 33));
  EXPECT_EQ(window.DBEdit1->text(), "01");
  EXPECT_EQ(window.DBEdit2->text(), "Corner Shop");
  EXPECT_EQ(window.mport->currentText(), "LPT1");
  EXPECT_EQ(window.DBComboBox1->currentText(), "Zebra -S500");
  for (controls::TDBEdit* company : {window.DBEdit1, window.DBEdit2}) {
    EXPECT_TRUE(company->isReadOnly());
    EXPECT_FALSE(company->focusPolicy() & Qt::TabFocus);
  }
  std::vector<QString> ports;
  for (int i = 0; i < window.mport->count(); ++i) ports.push_back(window.mport->itemText(i));
  EXPECT_EQ(ports, (std::vector<QString>{"LPT1", "LPT2", "COM1", "COM2", "COM3", "COM4"}));
  EXPECT_TRUE(window.mport->isEditable());
  EXPECT_EQ(window.mport->maxVisibleItems(), 8);
  EXPECT_EQ(window.mport->lineEdit()->maxLength(), 5);
  EXPECT_EQ(window.DBComboBox1->itemText(0), "Eltron ");
  EXPECT_TRUE(window.BitBtn1->isDefault());
  std::vector<QString> labels;
  for (QLabel* label : window.Bevel1->findChildren<QLabel*>()) {
    EXPECT_NE(label->buddy(), nullptr);
    EXPECT_TRUE(label->alignment() & Qt::AlignRight);
    labels.push_back(label->text());
  }
  EXPECT_EQ(labels, (std::vector<QString>{"Company Code", "Company Name", "Printer Port", "Printer Name"}));
  EXPECT_EQ(OpenParameters(nullptr), &window);
}

TEST_F(ParamWindow, ChoosingZebraAndSavingStoresZAndTheNextPrintSendsZpl) {
  tables::test::TRawConnection(Dir.File("param.DAT")).Exec("UPDATE param SET PRTNAME = 'E'");
  LoadSettings(Dir.Path());
  Tfrmparam& window = Open();
  EXPECT_EQ(window.DBComboBox1->currentText(), "Eltron ");
  ChooseItem(*window.DBComboBox1, "Zebra -S500");
  EXPECT_EQ(window.tblparam.State(), TDataSetState::dsEdit);
  QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
  EXPECT_EQ(StoredRow(), std::vector<std::string>{"01/Corner Shop/LPT1/Z"});
  EXPECT_EQ(gPrtname, "Z");
  EXPECT_EQ(gComname, "Corner Shop");

  tables::test::TRawConnection(Dir.File("Barmas.DAT"))
      .Exec("INSERT INTO Barmas (FBarcode, FName) VALUES ('4006381333931', 'Milk')");
  Tfrminput* items = OpenItemMaster(nullptr);
  items->LabelJob().Wait = [](double) {};
  items->mport->setCurrentText(QString::fromStdString(Dir.File("label.prn")));
  items->BitBtn3Click();
  std::ifstream port(Dir.File("label.prn"), std::ios::binary);
  std::stringstream printed;
  printed << port.rdbuf();
  EXPECT_EQ(printed.str().substr(0, 5), "^XA\r\n");
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(ParamWindow, CloseWithoutSaveKeepsTheTableAndTheSettings) {
  Tfrmparam& window = Open();
  TypePort("COM2");
  EXPECT_EQ(window.tblparam.State(), TDataSetState::dsEdit);
  QTest::mouseClick(window.BitBtn2, Qt::LeftButton);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(frmparam, nullptr);
  EXPECT_EQ(StoredRow(), std::vector<std::string>{"01/Corner Shop/LPT1/Z"});
  EXPECT_EQ(gPrtport, "LPT1");
}

TEST_F(ParamWindow, SaveAppliesThePortAtOnceAndAnOpenItemWindowKeepsItsOwnUntilReopened) {
  Tfrminput* items = OpenItemMaster(nullptr);
  Tfrmparam& window = Open();
  TypePort("COM2");
  window.BitBtn1Click();
  EXPECT_EQ(gPrtport, "COM2");
  EXPECT_EQ(StoredRow(), std::vector<std::string>{"01/Corner Shop/COM2/Z"});
  EXPECT_EQ(items->mport->currentText(), "LPT1");
  items->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(OpenItemMaster(nullptr)->mport->currentText(), "COM2");
}

TEST_F(ParamWindow, SaveWithoutAChangeReReadsTheStoredRow) {
  Tfrmparam& window = Open();
  gPrtport = "stale";
  window.BitBtn1Click();
  EXPECT_EQ(gPrtport, "LPT1");
}

TEST_F(ParamWindow, OnAnEmptyTableChoosingATypeAndSavingCreatesTheRow) {
  tables::test::TRawConnection(Dir.File("param.DAT")).Exec("DELETE FROM param");
  Tfrmparam& window = Open();
  ChooseItem(*window.DBComboBox1, "Eltron ");
  EXPECT_EQ(window.tblparam.State(), TDataSetState::dsInsert);
  window.BitBtn1Click();
  EXPECT_EQ(StoredRow(), std::vector<std::string>{"///E"});
  EXPECT_EQ(gPrtname, "E");
  EXPECT_EQ(gComname, "");
}

TEST_F(ParamWindow, AFailedPostIsToldAndTheSettingsStayAsTheyWere) {
  Tfrmparam& window = Open();
  window.tblparam.SetLockRetryCount(1);
  TypePort("COM3");
  tables::test::TRawConnection holder(Dir.File("param.DAT"));
  holder.Exec("BEGIN EXCLUSIVE");
  QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
  EXPECT_EQ(Messages.size(), 1u);
  holder.Exec("ROLLBACK");
  EXPECT_EQ(gPrtport, "LPT1");
  EXPECT_EQ(window.tblparam.State(), TDataSetState::dsEdit);
}

TEST_F(ParamWindow, AMissingTableIsToldAndTheWindowStillOpens) {
  std::filesystem::remove(Dir.File("param.DAT"));
  Tfrmparam& window = Open();
  EXPECT_EQ(Messages.size(), 1u);
  EXPECT_TRUE(window.isVisible());
  window.close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(frmparam, nullptr);
}

// The parameter table as the program made it before the calibration: seven fields.
const std::vector<tables::TFieldDef> kSevenFields{
    {"COCD", tables::TFieldType::ftString, 2},     {"COMNAME", tables::TFieldType::ftString, 30},
    {"FILEEXT", tables::TFieldType::ftString, 10}, {"FILEDIR", tables::TFieldType::ftString, 20},
    {"MOVEDIR", tables::TFieldType::ftString, 20}, {"PRTPORT", tables::TFieldType::ftString, 5},
    {"PRTNAME", tables::TFieldType::ftString, 20}};

TEST_F(ParamWindow, AnOldFileGainsTheCalibrationOnTheFirstSaveAndOlderCopiesStillReadIt) {
  std::filesystem::remove(Dir.File("param.DAT"));
  tables::CreateTable(Dir.Path(), "param", kSevenFields, {}, {{"01", "Corner Shop", "JPG", "in", "out", "COM1", "E"}});
  LoadSettings(Dir.Path());
  EXPECT_EQ(gPrtname, "E");
  EXPECT_EQ(gLabelCalibration.OffsetX, "");
  Tfrmparam& window = Open();
  ASSERT_EQ(window.CalibrationEdits.size(), 6u);
  for (QLineEdit* edit : window.CalibrationEdits) EXPECT_EQ(edit->text(), "");
  window.CalibrationEdits[3]->setText("20");
  window.CalibrationEdits[5]->setText("9");
  QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(Query("param.DAT", "SELECT COCD || COMNAME || FILEEXT || FILEDIR || MOVEDIR || PRTPORT || PRTNAME || '/' "
                               "|| ifnull(LABELDPI, '') || '/' || OFFSETX || '/' || DARKNESS FROM param"),
            std::vector<std::string>{"01Corner ShopJPGinoutCOM1E//20/9"});
  EXPECT_EQ(gLabelCalibration.OffsetX, "20");
  EXPECT_EQ(gLabelCalibration.Darkness, "9");
  // The seven fields stay first, as they were declared, where an older copy finds them by name.
  auto param = tables::test::OpenTable(Dir.Path(), "param.DAT");
  ASSERT_EQ(param->FieldCount(), 13);
  for (size_t i = 0; i < kSevenFields.size(); ++i) {
    EXPECT_EQ(param->FieldDefs()[i].Name, kSevenFields[i].Name);
    EXPECT_EQ(param->FieldDefs()[i].Size, kSevenFields[i].Size);
  }
  EXPECT_EQ(param->RecordCount(), 1);
  EXPECT_EQ(param->FieldByName("prtport").AsString(), "COM1");
}

TEST_F(ParamWindow, CalibrationIsCheckedOnLeavingAFieldAndAWrongValueStoresNothing) {
  Tfrmparam& window = Open();
  QLineEdit* darkness = window.CalibrationEdits[5];
  EXPECT_EQ(darkness->objectName(), "darkness");
  EXPECT_EQ(darkness->palette().color(QPalette::Base), kAqua);
  EXPECT_EQ(darkness->maxLength(), 2);
  ChooseItem(*window.DBComboBox1, "Eltron ");
  darkness->setFocus();
  QTest::keyClicks(darkness, "20");
  window.CalibrationEdits[0]->setFocus();
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Darkness must be a whole number from 0 to 15, not \"20\""});
  QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Darkness must be a whole number from 0 to 15, not \"20\""});
  EXPECT_EQ(StoredRow(), std::vector<std::string>{"01/Corner Shop/LPT1/Z"});
  EXPECT_EQ(gLabelCalibration.Darkness, "");
  // As a Zebra setting the same value is taken.
  ChooseItem(*window.DBComboBox1, "Zebra -S500");
  window.BitBtn1Click();
  EXPECT_EQ(Query("param.DAT", "SELECT DARKNESS FROM param"), std::vector<std::string>{"20"});
  EXPECT_EQ(gLabelCalibration.Darkness, "20");
}

}  // namespace
}  // namespace items::test
