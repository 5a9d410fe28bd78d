// The label preview window: the label that Print would send for the item window's
// current row, drawn from the job's own lines at the printer's resolution (what is
// shown is what is sent), at 1:1 in dots or fitted to the window, with the number
// of labels, the job's text as sent below it, and the picture saved as PNG.
#pragma once

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <string>
#include <vector>

namespace items {

// The job Print sends for these values, read as the printer reads it.
struct TLabelPreviewJob {
  std::string PrinterType;
  std::vector<std::string> Lines;
  int Dpi = 203;
  std::string Barcode;  // the start of the PNG's name
};

// The job for the global printer type and calibration; raises what Print would refuse.
struct TLabelValues;
TLabelPreviewJob CurrentLabelPreviewJob(const TLabelValues& values, char decimalSeparator);

// The label drawn from the job: ELabelPreview for a command the preview does not know.
QImage DrawLabelPreview(const TLabelPreviewJob& job, int* quantity = nullptr);

class Tfrmlabelview : public QDialog {
  Q_OBJECT

 public:
  // Reads and draws the job first: a job it cannot show raises before any window exists.
  Tfrmlabelview(QWidget* owner, const TLabelPreviewJob& job);

  void ActualSizeClick();
  void FitClick();
  void SavePngClick();
  // Writes the drawn label, one pixel a dot.
  void SaveAsPng(const std::string& fileName);

  bool Fitted() const { return FFitted; }
  const QImage& LabelImage() const { return FImage; }

  QPushButton* ActualSize;
  QPushButton* Fit;
  QPushButton* SavePng;
  QPushButton* CloseButton;
  QLabel* Quantity;
  QScrollArea* PictureArea;
  QLabel* Picture;
  QPlainTextEdit* JobText;

 protected:
  // A fitted picture follows the size of the area it is shown in.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowPicture();

  QImage FImage;
  std::string FBarcode;
  bool FFitted = true;
};

// "1 label", "3 labels".
QString QuantityText(int quantity);

// Opens the preview for the job; the window deletes itself when closed.
Tfrmlabelview* OpenLabelPreview(QWidget* owner, const TLabelPreviewJob& job);

}  // namespace items
