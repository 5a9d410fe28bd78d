// The about box: what the program is, its version and the libraries it stands on,
// with a colour picker that recolours the text. Created anew and shown modally
// for each showing; a closed box stays with its owner until the owner goes.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "controls/colorpicker.h"

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* owner);

  // The picker's colour becomes the memo's background.
  void ColorPicker1Change(const QColor& color);

  QLabel* Image1;
  QLabel* Title;
  QPlainTextEdit* Memo1;
  controls::TColorPicker* ColorPicker1;
  QPushButton* OKButton;

 protected:
  // Each showing starts from aqua.
  void showEvent(QShowEvent* event) override;
  // There is no Cancel button, so Esc does nothing; OK and the close box close the box.
  void keyPressEvent(QKeyEvent* event) override;
};

// The about box being shown, null while none is.
extern TfrmAbout* frmAbout;

// Creates a new about box owned by owner and shows it modally.
void ShowAbout(QWidget* owner);
