#include "items/windows/frmparam.h"

#include <QCloseEvent>

#include "base/datadir.h"
#include "controls/guarded.h"
#include "items/globvar.h"
#include "items/shoptables.h"
#include "items/windows/createform.h"
#include "items/windows/formlayout.h"

namespace items {

Tfrmparam* frmparam = nullptr;

namespace {

// The window as designed, widened to the right for the calibration frame.
constexpr QRect kDesignGeometry{106, 118, 459, 303};
constexpr int kCalibrationWidth = 236;
constexpr QRect kBevelRect{8, 8, 443, 200};
constexpr QRect kCalibrationRect{457, 8, kCalibrationWidth - 8, 232};
constexpr QPoint kButtonRow{120, 230};
constexpr QSize kButtonSize{90, 33};
constexpr int kButtonSpacing = 130;

const controls::TComboSettings kPortBox{"mport", param::PRTPORT, {"LPT1", "LPT2", "COM1", "COM2", "COM3", "COM4"},
                                        true, 8};
// Shown text, a tab, the code the label job goes by.
const controls::TComboSettings kPrinterBox{"DBComboBox1", param::PRTNAME, {"Eltron \tE", "Zebra -S500\tZ"}, false, 8};

// A sunken box that groups a panel of fields.
QFrame* MakeBevel(QWidget& owner, const char* name, const char* accessibleName, const QRect& rect) {
  auto* bevel = new QFrame(&owner);
  bevel->setObjectName(name);
  bevel->setAccessibleName(accessibleName);
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  bevel->setGeometry(rect);
  return bevel;
}

}  // namespace

Tfrmparam::Tfrmparam(QWidget* owner) : QDialog(owner, Qt::Window) {
  setObjectName("frmparam");
  setWindowTitle("Parameters Input");
  setAttribute(Qt::WA_DeleteOnClose);
  setGeometry(kDesignGeometry.adjusted(0, 0, kCalibrationWidth, 0));
  tblparam.SetTableName(std::string(param::kTable) + ".DAT");
  dsparam.SetDataSet(&tblparam);

  Bevel1 = MakeBevel(*this, "Bevel1", "Parameters", kBevelRect);
  TFieldPanelStyle style;
  style.Left = 10;
  style.LabelWidth = 110;
  style.FieldWidth = 250;
  style.Top = 24;
  style.RowHeight = 40;
  style.LabelAlignment = Qt::AlignRight | Qt::AlignVCenter;
  TFieldPanel panel(*Bevel1, style);
  DBEdit1 = new controls::TDBEdit({"DBEdit1", param::COCD}, Bevel1);
  DBEdit2 = new controls::TDBEdit({"DBEdit2", param::COMNAME}, Bevel1);
  mport = new controls::TDBComboBox(kPortBox, Bevel1);
  DBComboBox1 = new controls::TDBComboBox(kPrinterBox, Bevel1);
  for (controls::TDBEdit* company : {DBEdit1, DBEdit2}) {
    company->setReadOnly(true);
    company->setFocusPolicy(Qt::ClickFocus);  // Tab passes it by
    company->SetDataSource(&dsparam);
  }
  mport->SetDataSource(&dsparam);
  DBComboBox1->SetDataSource(&dsparam);
  panel.AddRow("Company Code", *DBEdit1, DBEdit1);
  panel.AddRow("Company Name", *DBEdit2, DBEdit2);
  panel.AddRow("Printer Port", *mport, mport);
  panel.AddRow("Printer Name", *DBComboBox1, DBComboBox1);

  BuildCalibrationPanel();

  const auto buttons =
      MakeButtonRow(*this, {{"BitBtn1", "&Save"}, {"BitBtn2", "Close"}}, QRect(kButtonRow, kButtonSize), kButtonSpacing);
  BitBtn1 = buttons[0];
  BitBtn2 = buttons[1];
  BitBtn1->setDefault(true);
  controls::ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
  controls::ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this](bool) { close(); });
}

void Tfrmparam::BuildCalibrationPanel() {
  Bevel2 = MakeBevel(*this, "Bevel2", "Label printer", kCalibrationRect);
  TFieldPanelStyle style;
  style.Left = 6;
  style.LabelWidth = 130;
  style.FieldWidth = 72;
  style.Top = 14;
  style.RowHeight = 35;
  style.LabelAlignment = Qt::AlignRight | Qt::AlignVCenter;
  style.Aqua = true;
  TFieldPanel panel(*Bevel2, style);
  const auto& settings = CalibrationSettings();
  for (size_t i = 0; i < settings.size(); ++i) {
    auto* edit = new QLineEdit(Bevel2);
    edit->setObjectName(QString(settings[i].Field).toLower());
    edit->setProperty("dataField", settings[i].Field);
    edit->setMaxLength(FieldSize(ParamLayout(), settings[i].Field));
    panel.AddRow(settings[i].Label, *edit, edit);
    controls::ConnectGuarded(edit, &QLineEdit::editingFinished, this, [this, i] { CalibrationEditExit(i); });
    CalibrationEdits.push_back(edit);
  }
}

std::string Tfrmparam::PrinterType() {
  return tblparam.Active() ? tblparam.FieldByName(param::PRTNAME).AsString() : gPrtname;
}

void Tfrmparam::CalibrationEditExit(size_t index) {
  CheckCalibrationSetting(CalibrationSettings()[index], CalibrationEdits[index]->text().toStdString(), PrinterType());
}

void Tfrmparam::ShowCalibration() {
  const TLabelCalibration stored = ReadLabelCalibration(tblparam);
  const auto& settings = CalibrationSettings();
  for (size_t i = 0; i < settings.size(); ++i)
    CalibrationEdits[i]->setText(QString::fromStdString(stored.*settings[i].Member));
}

// The first Save on a file without the calibration's fields adds them; the row stays.
void Tfrmparam::SaveCalibration() {
  AddMissingParamFields(tblparam);
  const auto& settings = CalibrationSettings();
  const TLabelCalibration stored = ReadLabelCalibration(tblparam);
  bool changed = false;
  for (size_t i = 0; i < settings.size(); ++i)
    changed = changed || CalibrationEdits[i]->text().toStdString() != stored.*settings[i].Member;
  if (!changed) return;
  tblparam.Edit();
  for (size_t i = 0; i < settings.size(); ++i)
    tblparam.FieldByName(settings[i].Field).SetAsString(CalibrationEdits[i]->text().toStdString());
  tblparam.Post();
}

Tfrmparam::~Tfrmparam() {
  // The controls link to this window's cursor: they go first.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete child;
  if (frmparam == this) frmparam = nullptr;
}

void Tfrmparam::FormCreate() {
  tblparam.SetDatabaseName(platform::DataDirectory());
  tblparam.Open();
  ShowCalibration();
}

void Tfrmparam::BitBtn1Click() {
  // Every calibration setting is checked before anything is stored.
  for (size_t i = 0; i < CalibrationEdits.size(); ++i) CalibrationEditExit(i);
  if (tables::IsEditingState(tblparam.State())) tblparam.Post();
  SaveCalibration();
  gLabelCalibration = ReadLabelCalibration(tblparam);
  gComname = tblparam.FieldByName("Comname").AsString();
  gPrtport = tblparam.FieldByName("prtport").AsString();
  gPrtname = tblparam.FieldByName("prtname").AsString();
}

void Tfrmparam::FormClose() { tblparam.Close(); }

void Tfrmparam::closeEvent(QCloseEvent* event) {
  controls::Guarded([this] { FormClose(); });
  event->accept();
}

Tfrmparam* OpenParameters(QWidget* owner) {
  if (!frmparam) frmparam = CreateForm<Tfrmparam>(owner);
  return frmparam;
}

}  // namespace items
