#include "app/mainform.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle("Barcode Printing Software  ");
  resize(578, 391);
}
