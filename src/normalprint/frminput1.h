// The normal-printer window: one barcode designed on screen (symbology, module width,
// height, rotation, code text and add-on, each applied to the on-screen symbol at once)
// and put on a page printer, previewed, saved as a bitmap, PNG or SVG file or copied. It
// is the item master window with the item parts hidden: its creation handler replaces
// the item master's, so no table is ever opened.
#pragma once

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "controls/radiogroup.h"
#include "controls/spinedit.h"
#include "items/windows/frminput.h"

class Tfrminput1 : public items::Tfrminput {
  Q_OBJECT

 public:
  explicit Tfrminput1(QWidget* owner);
  ~Tfrminput1() override;

  void FormCreate() override;
  void Edit1Change();
  void Edit2Change();
  void barseleChange();
  void msizeChange();
  void SE_HeightPerCentChange();
  void RGRotationClick();
  void BitBtn3Click() override;  // Print
  void BitBtn6Click();           // Preview
  void BitBtn5Click();           // Bmpfile
  void LclipboardClick();
  void SaveBMPfile();
  void Copy2Clipboard();

  QWidget* Panel4;  // everything above the button row
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QComboBox* barsele;
  QComboBox* msize;
  controls::TSpinEdit* SE_HeightPerCent;
  controls::TRadioGroup* RGRotation;
  QPushButton* BitBtn6;     // Preview
  QPushButton* BitBtn5;     // Bmpfile
  QPushButton* Lclipboard;  // Clipboard
  QFileDialog* SaveDialog1;

 protected:
  bool event(QEvent* event) override;
  // Closing destroys the window's pages: while one of them prints or opens its preview
  // the close is held back and happens once that has ended.
  void closeEvent(QCloseEvent* event) override;

 private:
  bool PageRunning() const;
  void BuildDesignPanel();
  void BuildButtons();
  void ConnectDesignHandlers();
  void SetTabOrder();
  void HideItemParts();
  // The symbology the list names; free text that names none keeps the last one, so the
  // barcode is never given a symbology it does not know.
  TBarcode::btCodeTypes ChosenSymbology();
  void RunLabelPage(bool preview);

  TBarcode::btCodeTypes FLastSymbology = TBarcode::EAN_13;
  bool FCloseHeld = false;
};

// The one normal-printer window, null when none is open.
extern Tfrminput1* frminput1;

// Opens the normal-printer window, or does nothing while it is open.
Tfrminput1* OpenNormalPrinter(QWidget* owner);
