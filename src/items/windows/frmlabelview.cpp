#include "items/windows/frmlabelview.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPixmap>
#include <QEvent>
#include <QVBoxLayout>

#include "controls/guarded.h"
#include "controls/qtext.h"
#include "items/globvar.h"
#include "items/labeljob.h"
#include "labelimage/label.h"
#include "labelimage/labeldrawing.h"

namespace items {
namespace {

constexpr QSize kWindowSize{640, 560};
constexpr int kJobTextHeight = 150;

struct TToolButton {
  const char* Name;
  const char* Caption;
  void (Tfrmlabelview::*Click)();
};

// The tool row, left to right; the quantity stands after the zoom buttons.
const TToolButton kToolButtons[] = {
    {"ActualSize", "1:1", &Tfrmlabelview::ActualSizeClick},
    {"Fit", "Fit", &Tfrmlabelview::FitClick},
    {"SavePng", "Save as PNG...", &Tfrmlabelview::SavePngClick},
    {"CloseButton", "Close", nullptr},
};

}  // namespace

TLabelPreviewJob CurrentLabelPreviewJob(const TLabelValues& values, char decimalSeparator) {
  TLabelPreviewJob job;
  job.PrinterType = gPrtname;
  job.Lines = CurrentLabelJobLines(values, decimalSeparator);
  job.Dpi = ResolveCalibration(gLabelCalibration, gPrtname).Dpi;
  job.Barcode = values.Barcode;
  return job;
}

QImage DrawLabelPreview(const TLabelPreviewJob& job, int* quantity) {
  const labelimage::TLabel label = labelimage::ReadLabelJob(job.PrinterType, job.Lines, job.Dpi);
  if (quantity) *quantity = label.Quantity;
  return labelimage::DrawLabel(label);
}

QString QuantityText(int quantity) { return QString::number(quantity) + (quantity == 1 ? " label" : " labels"); }

Tfrmlabelview::Tfrmlabelview(QWidget* owner, const TLabelPreviewJob& job) : QDialog(owner, Qt::Window) {
  int quantity = 1;
  FImage = DrawLabelPreview(job, &quantity);
  FBarcode = job.Barcode;
  setObjectName("frmlabelview");
  setWindowTitle("Label Preview");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(kWindowSize);

  auto* tools = new QHBoxLayout;
  std::vector<QPushButton*> buttons;
  for (const TToolButton& row : kToolButtons) {
    auto* button = new QPushButton(row.Caption, this);
    button->setObjectName(row.Name);
    button->setAutoDefault(false);
    tools->addWidget(button);
    if (row.Click)
      controls::ConnectGuarded(button, &QPushButton::clicked, this, [this, click = row.Click](bool) { (this->*click)(); });
    buttons.push_back(button);
    if (buttons.size() == 2) {
      Quantity = new QLabel(QuantityText(quantity), this);
      Quantity->setObjectName("Quantity");
      Quantity->setAccessibleName("Quantity");
      tools->addSpacing(12);
      tools->addWidget(Quantity);
      tools->addStretch();
    }
  }
  ActualSize = buttons[0];
  Fit = buttons[1];
  SavePng = buttons[2];
  CloseButton = buttons[3];
  CloseButton->setDefault(true);
  connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);

  Picture = new QLabel(this);
  Picture->setObjectName("Picture");
  Picture->setAccessibleName("Label");
  Picture->setAlignment(Qt::AlignCenter);
  PictureArea = new QScrollArea(this);
  PictureArea->setObjectName("PictureArea");
  PictureArea->setAlignment(Qt::AlignCenter);
  PictureArea->setBackgroundRole(QPalette::Dark);
  PictureArea->setWidget(Picture);

  JobText = new QPlainTextEdit(this);
  JobText->setObjectName("JobText");
  JobText->setAccessibleName("Job as sent");
  JobText->setReadOnly(true);
  JobText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  JobText->setFixedHeight(kJobTextHeight);
  QString text;
  for (const std::string& line : job.Lines) text += controls::ToQString(line) + "\n";
  JobText->setPlainText(text);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(tools);
  layout->addWidget(PictureArea, 1);
  layout->addWidget(JobText);
  PictureArea->viewport()->installEventFilter(this);
  ShowPicture();
}

void Tfrmlabelview::ActualSizeClick() {
  FFitted = false;
  ShowPicture();
}

void Tfrmlabelview::FitClick() {
  FFitted = true;
  ShowPicture();
}

void Tfrmlabelview::ShowPicture() {
  const QPixmap pixmap = QPixmap::fromImage(FImage);
  const QSize room = PictureArea->viewport()->size() - QSize(4, 4);
  if (FFitted && room.isValid()) {
    Picture->setPixmap(pixmap.scaled(room, Qt::KeepAspectRatio, Qt::FastTransformation));
  } else {
    Picture->setPixmap(pixmap);
  }
  Picture->adjustSize();
}

bool Tfrmlabelview::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PictureArea->viewport() && event->type() == QEvent::Resize && FFitted) ShowPicture();
  return QDialog::eventFilter(watched, event);
}

void Tfrmlabelview::SavePngClick() {
  const QString file = QFileDialog::getSaveFileName(this, "Save Label as PNG", controls::ToQString(FBarcode) + ".png",
                                                    "PNG image (*.png)");
  if (!file.isEmpty()) SaveAsPng(file.toStdString());
}

void Tfrmlabelview::SaveAsPng(const std::string& fileName) { labelimage::SaveLabelPng(FImage, fileName); }

Tfrmlabelview* OpenLabelPreview(QWidget* owner, const TLabelPreviewJob& job) {
  auto* window = new Tfrmlabelview(owner, job);
  window->show();
  return window;
}

}  // namespace items
