// The parameters window: edits the one row of the parameter table (printer port,
// printer type and the label printer's calibration; the company is shown, never
// changed) and on Save puts the stored values into the global settings at once.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "controls/dbcombobox.h"
#include "controls/dbedit.h"
#include "tables/tables.h"

namespace items {

class Tfrmparam : public QDialog {
  Q_OBJECT

 public:
  explicit Tfrmparam(QWidget* owner);
  ~Tfrmparam() override;

  void FormCreate();
  void BitBtn1Click();
  void FormClose();

  tables::TTable tblparam;
  tables::TDataSource dsparam;

  QFrame* Bevel1;
  controls::TDBEdit* DBEdit1;  // company code
  controls::TDBEdit* DBEdit2;  // company name
  controls::TDBComboBox* mport;
  controls::TDBComboBox* DBComboBox1;
  QPushButton* BitBtn1;  // Save
  QPushButton* BitBtn2;  // Close
  // The calibration, beside the frame, one edit for each setting in its order. They
  // are not bound: a file made before these fields existed gets them on Save.
  QFrame* Bevel2;
  std::vector<QLineEdit*> CalibrationEdits;

  // Checks one calibration edit, as leaving it does.
  void CalibrationEditExit(size_t index);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // There is no Cancel button, so Esc does nothing.
  void reject() override {}

 private:
  void BuildCalibrationPanel();
  void ShowCalibration();
  void SaveCalibration();
  std::string PrinterType();
};

// The one parameters window, null when none is open.
extern Tfrmparam* frmparam;

// Opens the parameters window, or does nothing while it is open.
Tfrmparam* OpenParameters(QWidget* owner);

}  // namespace items
