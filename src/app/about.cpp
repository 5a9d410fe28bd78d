#include "app/about.h"

#include <QFont>
#include <QKeyEvent>
#include <QPalette>

#include "barcode/control/barcodecontrol.h"
#include "controls/guarded.h"
#include "items/windows/formlayout.h"

TfrmAbout* frmAbout = nullptr;

namespace {

constexpr const char* kProgramVersion = "1.0";
constexpr const char* kTitle = "Barcode Printing Software";

constexpr QSize kClientSize{510, 283};
constexpr QRect kImageRect{6, 8, 128, 100};
constexpr QRect kTitleRect{140, 8, 362, 28};
constexpr QRect kMemoRect{140, 40, 362, 196};
constexpr QRect kPickerRect{8, 246, 40, 25};
constexpr QRect kOKRect{427, 246, 75, 25};
constexpr int kTitlePointSize = 14;
constexpr int kPictureMargin = 4;

using items::kAqua;
const QColor kMaroon{128, 0, 0};

QString InformationText() {
  return QString(
             "%1, version %2.\n\n"
             "Prints barcode labels for shop items: on a thermal label printer "
             "(Zebra ZPL or Eltron EPL) through its port, and on an ordinary page printer "
             "with its own barcode engine, keeping the items in a local table.\n\n"
             "Built with:\n"
             "Qt 6 (LGPLv3)\n"
             "SQLite (public domain)\n"
             "libjpeg-turbo (IJG licence and BSD licence)\n"
             "libcups (Apache License 2.0)")
      .arg(kTitle, kProgramVersion);
}

// A small symbol drawn by the program's own engine.
QPixmap ProgramPicture() {
  TBarcode symbol;
  symbol.SetBar_CodeType(TBarcode::EAN_13);
  symbol.SetBar_Caption("4006381333931");
  symbol.SetBar_ModuleWidth(TBarcode::SC1);
  return QPixmap::fromImage(symbol.RenderBitmap(kPictureMargin));
}

}  // namespace

TfrmAbout::TfrmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("frmAbout");
  setWindowTitle("About");
  setFixedSize(kClientSize);
  items::CentreOnScreen(*this);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(kImageRect);
  Image1->setAlignment(Qt::AlignCenter);
  Image1->setPixmap(ProgramPicture());
  Image1->setAccessibleName("Program picture");

  Title = new QLabel(kTitle, this);
  Title->setObjectName("Title");
  Title->setGeometry(kTitleRect);
  QFont titleFont = Title->font();
  titleFont.setBold(true);
  titleFont.setPointSize(kTitlePointSize);
  Title->setFont(titleFont);
  QPalette titleColours = Title->palette();
  titleColours.setColor(QPalette::WindowText, kMaroon);
  Title->setPalette(titleColours);

  Memo1 = new QPlainTextEdit(InformationText(), this);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(kMemoRect);
  Memo1->setReadOnly(true);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setAccessibleName("Information");

  ColorPicker1 = new controls::TColorPicker({"ColorPicker1", kAqua}, this);
  ColorPicker1->setGeometry(kPickerRect);
  ColorPicker1->setAccessibleName("Information colour");
  ColorPicker1Change(kAqua);
  controls::ConnectGuarded(ColorPicker1, &controls::TColorPicker::ColorChanged, this,
                           [this](const QColor& color) { ColorPicker1Change(color); });

  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  OKButton->setGeometry(kOKRect);
  OKButton->setDefault(true);
  controls::ConnectGuarded(OKButton, &QPushButton::clicked, this, [this](bool) { accept(); });
}

void TfrmAbout::ColorPicker1Change(const QColor& color) { items::SetBackground(*Memo1, color); }

void TfrmAbout::showEvent(QShowEvent* event) {
  controls::Guarded([this] {
    ColorPicker1->SetColor(kAqua);
    ColorPicker1Change(kAqua);
  });
  QDialog::showEvent(event);
}

void TfrmAbout::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) return;
  QDialog::keyPressEvent(event);
}

void ShowAbout(QWidget* owner) {
  frmAbout = new TfrmAbout(owner);
  frmAbout->exec();
  frmAbout = nullptr;
}
