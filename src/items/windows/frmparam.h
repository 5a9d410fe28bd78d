// The parameters window: edits the one row of the parameter table (printer port and
// printer type; the company is shown, never changed) and on Save puts the stored
// values into the global settings at once.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QPushButton>

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

 protected:
  void closeEvent(QCloseEvent* event) override;
  // There is no Cancel button, so Esc does nothing.
  void reject() override {}
};

// The one parameters window, null when none is open.
extern Tfrmparam* frmparam;

// Opens the parameters window, or does nothing while it is open.
Tfrmparam* OpenParameters(QWidget* owner);

}  // namespace items
