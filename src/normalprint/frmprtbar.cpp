#include "normalprint/frmprtbar.h"

#include <QCoreApplication>

Tfrmprtbar* frmprtbar = nullptr;

namespace {

// The page as designed at 96 pixels per inch, lengths in 0.1 mm as stored.
struct TStoredPage {
  double BottomMargin, PaperLength, TopMargin, PaperWidth, LeftMargin, RightMargin, ColumnSpace;
};
constexpr TStoredPage kPage{100.0, 2794.0, 100.0, 2159.0, 100.0, 100.0, 0.0};

struct TStoredBox {
  double Height, Left, Top, Width;
};
constexpr TStoredBox kBarcodeBox{219.604, 261.9375, 171.979, 222.25};

struct TStoredBand {
  double Height, Width;
};
constexpr TStoredBand kDetailBand{23.8125, 1957.917};

constexpr int kFormWidth = 435;
constexpr int kFormHeight = 300;

void LoadReport(reports::TLabelReport& rep) {
  rep.SetUnits(reports::Native);
  rep.SetBottomMargin(kPage.BottomMargin);
  rep.SetPaperLength(kPage.PaperLength);
  rep.SetTopMargin(kPage.TopMargin);
  rep.SetPaperWidth(kPage.PaperWidth);
  rep.SetLeftMargin(kPage.LeftMargin);
  rep.SetRightMargin(kPage.RightMargin);
  rep.SetColumnSpace(kPage.ColumnSpace);
  rep.SetUnits(reports::MM);
  rep.SetPaperSize(reports::Letter);
  rep.SetOrientation(reports::poPortrait);
  rep.Columns = 1;
  rep.Options = reports::FirstPageHeader | reports::LastPageFooter;
  rep.PrintIfEmpty = true;
  rep.DataSource = nullptr;
  rep.ReportTitle.clear();
  rep.ShowProgress = true;
  rep.Frame = reports::TRepFrame{};  // black, no side drawn
  rep.Font = reports::TRepFont{"Arial", 13};
  rep.Printer.PrinterIndex = -1;
  rep.Printer.Copies = 1;
  rep.Printer.Duplex = false;
  rep.Printer.FirstPage = 0;
  rep.Printer.LastPage = 0;
  rep.Printer.OutputBin = reports::First;
  rep.SetZoom(100);
  rep.SnapToGrid = true;
}

void LoadBarcode(TRepBarcode& element) {
  element.SetSizeHeight(kBarcodeBox.Height);
  element.SetSizeLeft(kBarcodeBox.Left);
  element.SetSizeTop(kBarcodeBox.Top);
  element.SetSizeWidth(kBarcodeBox.Width);
  element.SetBar_Caption("4711");
  element.SetBar_PrintEmpty(false);
  element.SetBar_Fontname("Arial");
  element.SetBar_FontScaling(100);
  element.SetAutoSize(true);
  element.AutoStretch = false;
  element.SetAlignment(reports::taLeftJustify);
  element.AlignToBand = false;
  element.SetColor(platform::clWhite);
  element.SetTransparent(false);
  element.WordWrap = true;
  element.Frame = reports::TRepFrame{};
  element.Name = "RepBarcode2";
}

void LoadBand(reports::TRepBand& band) {
  band.Height = kDetailBand.Height;
  band.Width = kDetailBand.Width;
  band.Color = platform::clWhite;
  band.Frame = reports::TRepFrame{};
  band.ForceNewColumn = false;
  band.ForceNewPage = false;
  band.AlignToBottom = false;
  band.ChildBand = nullptr;
}

}  // namespace

Tfrmprtbar::Tfrmprtbar(QWidget* owner)
    : QWidget(owner, Qt::Window), rep(), RepBarcode2(rep), DetailBand1(rep, reports::rbDetail) {
  setWindowTitle("frmprtbar");
  resize(kFormWidth, kFormHeight);
  LoadReport(rep);
  LoadBarcode(RepBarcode2);
  LoadBand(DetailBand1);
  RepBarcode2.OnRepaintRequest = [this](reports::TRepPrintable&) { update(); };
  rep.OnRunEnded = [this] {
    if (QWidget* owner = parentWidget()) QCoreApplication::postEvent(owner, new QEvent(PageRunEndedEvent()));
  };
}

QEvent::Type PageRunEndedEvent() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

Tfrmprtbar::~Tfrmprtbar() {
  if (frmprtbar == this) frmprtbar = nullptr;
}
