#include "normalprint/frminput1.h"

#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <span>

#include "base/messages.h"
#include "controls/guarded.h"
#include "controls/qtext.h"
#include "items/windows/createform.h"
#include "items/windows/formlayout.h"
#include "normalprint/labelpage.h"

Tfrminput1* frminput1 = nullptr;

namespace {

using items::MakeBuddyLabel;
using items::SetAquaBackground;

// The symbologies offered, in the order of their ordinals: an item's index is its type.
const char* const kSymbologies[] = {"EAN-8",      "EAN-13",    "UPC-A",      "UPC-E",     "Code 39",
                                    "Code 2/5 interleaved", "Code 2/5i (Frachtpost)", "Code 128 A",
                                    "Code 128 B", "Code 128 C"};
const char* const kModuleWidths[] = {"SC0", "SC1", "SC2", "SC3", "SC4", "SC5", "SC6", "SC7", "SC8", "SC9"};

constexpr int kCodeTextLength = 13;
constexpr int kExportMargin = 10;  // pixels of white round an exported symbol
constexpr const char* kCopiedMessage = "Barcode graphic is now in the clipboard";

// The save dialog's filters, one for each format the symbol is saved in ("BMP file (*.BMP)").
QString SaveFilter(const TBarcodeFileKind& kind) { return QString("%1 (*.%2)").arg(kind.Description, kind.Extension); }

QStringList SaveFilters() {
  QStringList filters;
  for (const TBarcodeFileKind& kind : BarcodeFileKinds()) filters << SaveFilter(kind);
  return filters;
}

// The format of the chosen filter; the bitmap, as before there was a choice, for any other.
const TBarcodeFileKind& FileKindOf(const QString& filter) {
  for (const TBarcodeFileKind& kind : BarcodeFileKinds())
    if (SaveFilter(kind) == filter) return kind;
  return BarcodeFileKinds().front();
}

// Client-area geometry, in pixels (the window keeps the item master's size).
constexpr QRect kDesignPanelRect{0, 0, 606, 366};
constexpr QRect kCodeStripRect{8, 8, 590, 50};
constexpr QRect kSettingsColumnRect{8, 66, 300, 292};
constexpr QRect kBarcodeAreaRect{316, 66, 282, 292};
constexpr QSize kBarcodeSize{139, 90};
constexpr QPoint kButtonRow{8, 374};
constexpr QSize kButtonSize{75, 46};
constexpr int kButtonSpacing = 80;

QFrame* MakeFrame(QWidget& parent, const char* name, QRect rect) {
  auto* frame = new QFrame(&parent);
  frame->setAccessibleName(name);
  frame->setFrameShape(QFrame::Box);
  frame->setFrameShadow(QFrame::Sunken);
  frame->setGeometry(rect);
  return frame;
}

QComboBox* MakeComboBox(QWidget& parent, const char* name, std::span<const char* const> items) {
  auto* box = new QComboBox(&parent);
  box->setObjectName(name);
  box->setEditable(true);  // free text is accepted; what it selects decides
  box->setInsertPolicy(QComboBox::NoInsert);
  for (const char* item : items) box->addItem(controls::ToQString(item));
  SetAquaBackground(*box);
  return box;
}

// The index of the item that the box's text names, -1 when it names none: an editable
// box keeps its old index while the operator types, so the text decides.
int ItemOfText(const QComboBox& box) { return box.findText(box.currentText(), Qt::MatchExactly); }

}  // namespace

Tfrminput1::Tfrminput1(QWidget* owner) : Tfrminput(owner) {
  setObjectName("frminput1");
  setWindowTitle("Normal Printer  Input");
  HideItemParts();
  BuildDesignPanel();
  BuildButtons();
  ConnectDesignHandlers();
  SetTabOrder();
}

Tfrminput1::~Tfrminput1() {
  if (frminput1 == this) frminput1 = nullptr;
}

void Tfrminput1::HideItemParts() {
  for (QWidget* part : {static_cast<QWidget*>(Panel1), Panel2, Panel3, static_cast<QWidget*>(DBNavigator1),
                        static_cast<QWidget*>(DBGrid1), static_cast<QWidget*>(BitBtn1),
                        static_cast<QWidget*>(BitBtn2), static_cast<QWidget*>(LabelPreview)}) {
    part->hide();
  }
  BitBtn1->setDefault(false);  // Enter saves nothing here
}

void Tfrminput1::BuildDesignPanel() {
  Panel4 = new QWidget(this);
  Panel4->setObjectName("Panel4");
  Panel4->setAccessibleName("Barcode design");
  Panel4->setGeometry(kDesignPanelRect);

  QFrame* strip = MakeFrame(*Panel4, "Code text", kCodeStripRect);
  Edit1 = new QLineEdit(strip);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(kCodeTextLength);
  Edit1->setGeometry(106, 14, 130, 22);
  Edit2 = new QLineEdit(strip);
  Edit2->setObjectName("Edit2");
  Edit2->setGeometry(352, 14, 49, 22);
  MakeBuddyLabel(*strip, "Bar_Caption:", QRect(8, 14, 94, 22), *Edit1);
  MakeBuddyLabel(*strip, "Bar_CodeAddon:", QRect(250, 14, 98, 22), *Edit2);

  QFrame* column = MakeFrame(*Panel4, "Barcode settings", kSettingsColumnRect);
  barsele = MakeComboBox(*column, "barsele", kSymbologies);
  barsele->setGeometry(126, 10, 164, 24);
  msize = MakeComboBox(*column, "msize", kModuleWidths);
  msize->setGeometry(126, 42, 164, 24);
  msize->setCurrentIndex(0);
  SE_HeightPerCent = new controls::TSpinEdit({"SE_HeightPerCent", 20, 200, 5, 100}, column);
  QFont big = SE_HeightPerCent->font();
  big.setPixelSize(32);
  big.setBold(true);
  SE_HeightPerCent->setFont(big);
  SE_HeightPerCent->setGeometry(126, 74, 166, 47);
  RGRotation = new controls::TRadioGroup({"RGRotation", "Bar_Rotation", {"0\xB0", "90\xB0", "180\xB0", "270\xB0"}, 2, 0},
                                         column);
  RGRotation->setGeometry(8, 132, 284, 90);
  MakeBuddyLabel(*column, "Bar_Type", QRect(8, 10, 114, 24), *barsele);
  MakeBuddyLabel(*column, "Bar_Module", QRect(8, 42, 114, 24), *msize);
  MakeBuddyLabel(*column, "Bar_HeightPercent:", QRect(8, 86, 114, 24), *SE_HeightPerCent);
  for (QWidget* field : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
                         static_cast<QWidget*>(SE_HeightPerCent)}) {
    SetAquaBackground(*field);
  }

  // The inherited symbol moves here, with start values of its own that the settings
  // controls do not show.
  QFrame* area = MakeFrame(*Panel4, "Barcode preview", kBarcodeAreaRect);
  Barcode1->setParent(area);
  Barcode1->setGeometry(QRect(QPoint((area->width() - kBarcodeSize.width()) / 2, 40), kBarcodeSize));
  Barcode1->SetBar_Caption("00000000000");
  Barcode1->SetBar_CodeType(TBarcode::EAN_13);
  Barcode1->SetBar_HeightPercent(80);
  Barcode1->SetBar_ModuleWidth(TBarcode::SC2);
  Barcode1->SetBar_Fontname("Arial");
  Barcode1->SetBar_Fontscaling(125);
  Barcode1->SetBar_ZoomSize(true);
  Barcode1->SetBar_HighDensity(false);
  Barcode1->SetBar_WidthReduce(false);
  Barcode1->show();
}

void Tfrminput1::BuildButtons() {
  const std::vector<QPushButton*> added = items::MakeButtonRow(
      *this, {{"BitBtn6", "&Preview"}, {"BitBtn5", "&Bmpfile"}, {"Lclipboard", "&Clipboard"}},
      QRect(kButtonRow + QPoint(kButtonSpacing, 0), kButtonSize), kButtonSpacing);
  BitBtn6 = added[0];
  BitBtn5 = added[1];
  Lclipboard = added[2];
  BitBtn3->setGeometry(QRect(kButtonRow, kButtonSize));
  BitBtn4->setGeometry(QRect(kButtonRow + QPoint(4 * kButtonSpacing, 0), kButtonSize));

  SaveDialog1 = new QFileDialog(this);
  SaveDialog1->setObjectName("SaveDialog1");
  SaveDialog1->setNameFilters(SaveFilters());
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
  SaveDialog1->setDefaultSuffix("BMP");
  SaveDialog1->setOption(QFileDialog::DontUseNativeDialog);
  SaveDialog1->selectFile("BARCODE.BMP");
  // A name typed without an extension gets the chosen format's.
  connect(SaveDialog1, &QFileDialog::filterSelected, SaveDialog1,
          [dialog = SaveDialog1](const QString& filter) { dialog->setDefaultSuffix(FileKindOf(filter).Extension); });
}

void Tfrminput1::SetTabOrder() {
  std::vector<QWidget*> order = {Edit1, Edit2, barsele, msize, SE_HeightPerCent};
  for (int item = 0; RGRotation->Item(item); ++item) order.push_back(RGRotation->Item(item));
  order.insert(order.end(), {BitBtn3, BitBtn6, BitBtn5, Lclipboard, BitBtn4});
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  Edit1->setFocus(Qt::OtherFocusReason);  // where the window opens
}

void Tfrminput1::ConnectDesignHandlers() {
  using controls::ConnectGuarded;
  ConnectGuarded(Edit1, &QLineEdit::textChanged, this, [this](const QString&) { Edit1Change(); });
  ConnectGuarded(Edit2, &QLineEdit::textChanged, this, [this](const QString&) { Edit2Change(); });
  ConnectGuarded(barsele, &QComboBox::currentTextChanged, this, [this](const QString&) { barseleChange(); });
  ConnectGuarded(msize, &QComboBox::currentTextChanged, this, [this](const QString&) { msizeChange(); });
  ConnectGuarded(SE_HeightPerCent, &QSpinBox::valueChanged, this, [this](int) { SE_HeightPerCentChange(); });
  ConnectGuarded(RGRotation, &controls::TRadioGroup::Click, this, [this] { RGRotationClick(); });
  ConnectGuarded(BitBtn6, &QPushButton::clicked, this, [this](bool) { BitBtn6Click(); });
  ConnectGuarded(BitBtn5, &QPushButton::clicked, this, [this](bool) { BitBtn5Click(); });
  ConnectGuarded(Lclipboard, &QPushButton::clicked, this, [this](bool) { LclipboardClick(); });
}

void Tfrminput1::FormCreate() {
  barsele->setCurrentIndex(TBarcode::EAN_13);
  Barcode1->SetBar_CodeType(ChosenSymbology());
}

TBarcode::btCodeTypes Tfrminput1::ChosenSymbology() {
  const int item = ItemOfText(*barsele);
  if (item >= 0) FLastSymbology = static_cast<TBarcode::btCodeTypes>(item);
  return FLastSymbology;
}

void Tfrminput1::Edit1Change() {
  Barcode1->SetBar_Caption(Edit1->text());
  Barcode1->SetBar_CodeType(ChosenSymbology());
}

void Tfrminput1::Edit2Change() { Barcode1->SetBar_CodeAddon(Edit2->text()); }

void Tfrminput1::barseleChange() { Barcode1->SetBar_CodeType(ChosenSymbology()); }

void Tfrminput1::msizeChange() {
  // Text that names no item is handed on as it is: the barcode refuses it with its range message.
  Barcode1->SetBar_ModuleWidth(static_cast<TBarcode::btCodeSizes>(ItemOfText(*msize)));
}

void Tfrminput1::SE_HeightPerCentChange() { Barcode1->SetBar_HeightPercent(SE_HeightPerCent->value()); }

void Tfrminput1::RGRotationClick() {
  Barcode1->SetBar_Rotation(static_cast<TBarcode::btCodeRotate>(RGRotation->ItemIndex()));
}

void Tfrminput1::RunLabelPage(bool preview) {
  TLabelPageRequest request;
  request.CodeText = Edit1->text();
  request.CodeAddon = Edit2->text();
  request.HeightPercent = Barcode1->Bar_HeightPercent();
  request.Rotation = Barcode1->Bar_Rotation();
  request.CodeType = Barcode1->Bar_CodeType();
  if (preview) {
    PreviewLabelPage(this, request);
  } else {
    PrintLabelPage(this, request);
  }
}

void Tfrminput1::BitBtn3Click() { RunLabelPage(false); }

void Tfrminput1::BitBtn6Click() { RunLabelPage(true); }

void Tfrminput1::BitBtn5Click() { SaveBMPfile(); }

void Tfrminput1::LclipboardClick() { Copy2Clipboard(); }

void Tfrminput1::SaveBMPfile() {
  if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;
  const QString fileName = SaveDialog1->selectedFiles().constFirst();
  SaveDialog1->selectFile(fileName);  // offered again next time
  Barcode1->SaveToFile(kExportMargin, fileName, FileKindOf(SaveDialog1->selectedNameFilter()).Format);
}

void Tfrminput1::Copy2Clipboard() {
  Barcode1->CopyToClipboard(kExportMargin);
  platform::ShowMessage(kCopiedMessage);
}

bool Tfrminput1::PageRunning() const {
  for (QObject* child : children())
    if (auto* page = dynamic_cast<Tfrmprtbar*>(child); page && page->rep.Running()) return true;
  return false;
}

bool Tfrminput1::event(QEvent* event) {
  if (event->type() != PageRunEndedEvent()) return Tfrminput::event(event);
  if (FCloseHeld && !PageRunning()) close();
  return true;
}

void Tfrminput1::closeEvent(QCloseEvent* event) {
  FCloseHeld = PageRunning();
  if (FCloseHeld) {
    event->ignore();
    return;
  }
  Tfrminput::closeEvent(event);
}

Tfrminput1* OpenNormalPrinter(QWidget* owner) {
  if (!frminput1) frminput1 = items::CreateForm<Tfrminput1>(owner);
  return frminput1;
}
