// The item master window: finds an item by its barcode or starts a new one, shows
// and edits its fields with its picture and symbol, saves it, and prints its label
// on the thermal printer. The normal-printer window inherits it: it replaces
// FormCreate (then no table is ever opened), the Print handler and the destroy
// handler, and hides what it does not use.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <vector>

#include "barcode/control/barcodecontrol.h"
#include "controls/dbedit.h"
#include "controls/dbgrid.h"
#include "controls/dbnavigator.h"
#include "controls/filenameedit.h"
#include "controls/lookupcombo.h"
#include "items/labeljob.h"
#include "items/shoptables.h"
#include "items/windows/itempicture.h"
#include "picture/widget/fejpeg.h"
#include "tables/tables.h"

namespace items {


class Tfrminput : public QDialog {
  Q_OBJECT

 public:
  // Builds the window and its controls; nothing is opened until FormCreate.
  explicit Tfrminput(QWidget* owner);
  ~Tfrminput() override;

  // The creation handler, run once right after construction (see CreateForm).
  virtual void FormCreate();

  // Handlers, public so that tests and the subclass reach them.
  void FormShow();
  void mcodeExit();
  void dsbarmasDataChange();
  void DBNavigator1Click();
  void picpathExit();
  void CheckBox1Click();
  void BitBtn1Click();
  void BitBtn2Click();
  virtual void BitBtn3Click();
  // "Label preview": the label Print would send for the current row, in its own window.
  void LabelPreviewClick();
  void FormClose();

  // Labels for several items, after the operator confirms; the batch runs in its progress window.
  void PrintItems(const std::vector<tables::TTable::TBookmark>& rows);
  void PrintAllItemsClick();

  // The label job of the Print button; tests replace its wait.
  TLabelJob& LabelJob() { return FLabelJob; }

  tables::TDatabase dbpath{barmas::kDatabase};
  tables::TTable tblbarmas;
  tables::TTable tblbarmaslu;
  tables::TDataSource dsbarmas;

  controls::TDBNavigator* DBNavigator1;
  controls::TLookupCombo* mcode;
  std::vector<controls::TDBEdit*> FieldEdits;  // name, price, cost, quantity, item code
  controls::TFileNameEdit* picpath;
  QCheckBox* CheckBox1;
  picture::TFEJpeg* empimg;
  TBarcode* Barcode1;
  QPushButton* BitBtn1;  // Save
  QPushButton* BitBtn2;  // Cancel
  QPushButton* BitBtn3;  // Print
  QPushButton* BitBtn4;  // Close
  QPushButton* LabelPreview;  // right of the picture panel, where the layout has room
  controls::TDBGrid* DBGrid1;
  QWidget* Panel1;  // the item's fields
  QWidget* Panel2;  // picture, barcode
  QWidget* Panel3;  // hidden; holds the port box
  QComboBox* mport;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Esc presses Cancel instead of closing the window.
  void reject() override;

 private:
  void BuildFieldPanel();
  void BuildPicturePanel();
  void BuildButtons();
  void ConnectHandlers();
  void ShowCurrentItem();
  void PictureStep(bool reportErrors);
  void ReturnFocusToBarcode();
  // The grid's context menu and its several-row selection: the item window's own, not
  // the windows that reuse it.
  void BuildGridCommands();

  tables::TDataSource FLookupSource;
  TLabelJob FLabelJob;
  TItemPictureStep FPictureStep;
};

// The one item master window, null when none is open.
extern Tfrminput* frminput;

// Opens the item master, or does nothing while it is open.
Tfrminput* OpenItemMaster(QWidget* owner);

}  // namespace items
