#include "items/windows/frminput.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>

#include "base/datadir.h"
#include "base/messages.h"
#include "controls/confirm.h"
#include "controls/fieldtext.h"
#include "controls/guarded.h"
#include "controls/qtext.h"
#include "items/globvar.h"
#include "items/labelbatch.h"
#include "items/shoptables.h"
#include "items/windows/batchwindow.h"
#include "items/windows/createform.h"
#include "items/windows/formlayout.h"
#include "items/windows/frmlabelview.h"
#include "items/windows/itempicture.h"

namespace items {

Tfrminput* frminput = nullptr;

namespace {

using controls::ToQString;
using tables::TDataSetState;

using barmas::kBarcodeLength;
using barmas::kShortestBarcode;

// The rows of the field panel, top to bottom: the bound edits between the two boxes.
const TEditRow kBoundFields[] = {
    {barmas::Caption(barmas::FName), "DBEdit1", barmas::FName},
    {barmas::Caption(barmas::FSP), "DBEdit2", barmas::FSP},
    {barmas::Caption(barmas::FCost), "DBEdit3", barmas::FCost},
    {barmas::Caption(barmas::FBarQty), "DBEdit4", barmas::FBarQty},
    {barmas::Caption(barmas::FItcode), "DBEdit5", barmas::FItcode},
};

const controls::TLookupSettings kBarcodeBox{"mcode",
                                            kBarcodeLength,
                                            {{"Barcode", barmas::FBarcode, 13},
                                             {"Itcode", barmas::FItcode, 13},
                                             {"Name", barmas::FName, 40}},
                                            barmas::FItcode,
                                            barmas::FBarcode,
                                            209};

const controls::TGridSettings kGrid{"DBGrid1",
                                    {{"Barcode", barmas::FBarcode, 0},
                                     {"Name", barmas::FName, 269},
                                     {"SP", barmas::FSP, 0},
                                     {"Cost", barmas::FCost, 72},
                                     {"Itcode", barmas::FItcode, 88},
                                     {"BarQty", barmas::FBarQty, 0},
                                     {"PicPath", barmas::FPicPath, 0}}};

// The grid's context menu, one row per command.
struct TGridCommand {
  const char* Name;
  const char* Caption;
  void (Tfrminput::*Run)();
};
const TGridCommand kGridCommands[] = {
    {"PrintAllItems", "Print labels for all items", &Tfrminput::PrintAllItemsClick},
    {"LabelPreviewCommand", "Label preview", &Tfrminput::LabelPreviewClick},
};

const char* const kPorts[] = {"LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7"};

// Client-area geometry, in pixels.
constexpr QSize kWindowSize{606, 428};
constexpr QRect kNavigatorRect{0, 0, 240, 25};
constexpr QRect kFieldPanelRect{0, 28, 330, 200};
constexpr QRect kPicturePanelRect{336, 28, 170, 250};
constexpr QRect kGridRect{4, 272, 598, 152};
constexpr QPoint kButtonRow{8, 232};
constexpr QSize kButtonSize{75, 30};
constexpr int kButtonSpacing = 80;
constexpr QRect kLabelPreviewRect{512, 232, 88, 30};

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

Tfrminput::Tfrminput(QWidget* owner) : QDialog(owner, Qt::Window) {
  setObjectName("frminput");
  setWindowTitle("Input");
  setAttribute(Qt::WA_DeleteOnClose);
  resize(kWindowSize);
  CentreOnScreen(*this);

  for (tables::TTable* table : {&tblbarmas, &tblbarmaslu}) {
    table->SetDatabaseName(dbpath.DatabaseName());
    table->SetTableName(std::string(barmas::kTable) + ".DAT");
  }
  dsbarmas.SetDataSet(&tblbarmas);
  FLookupSource.SetDataSet(&tblbarmaslu);

  DBNavigator1 = new controls::TDBNavigator({"DBNavigator1"}, this);
  DBNavigator1->setGeometry(kNavigatorRect);
  DBNavigator1->SetDataSource(&dsbarmas);
  BuildFieldPanel();
  BuildPicturePanel();
  BuildButtons();
  DBGrid1 = new controls::TDBGrid(kGrid, this);
  DBGrid1->setGeometry(kGridRect);
  DBGrid1->setAccessibleName("Items");
  DBGrid1->SetDataSource(&dsbarmas);

  Panel3 = new QWidget(this);
  Panel3->setObjectName("Panel3");
  Panel3->hide();
  mport = new QComboBox(Panel3);
  mport->setObjectName("mport");
  mport->setEditable(true);
  for (const char* port : kPorts) mport->addItem(port);

  ConnectHandlers();
}

Tfrminput::~Tfrminput() {
  // The controls link to this window's cursors: they go first.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) delete child;
  if (frminput == this) frminput = nullptr;
}

void Tfrminput::BuildFieldPanel() {
  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setAccessibleName("Item");
  Panel1->setGeometry(kFieldPanelRect);
  TFieldPanelStyle style;
  style.Aqua = true;
  TFieldPanel panel(*Panel1, style);
  mcode = new controls::TLookupCombo(kBarcodeBox, Panel1);
  mcode->SetLookupSource(&FLookupSource);
  panel.AddRow(barmas::Caption(barmas::FBarcode), *mcode, mcode->Edit());
  for (const TEditRow& row : kBoundFields) {
    auto* edit = new controls::TDBEdit({row.Name, row.DataField}, Panel1);
    edit->SetDataSource(&dsbarmas);
    panel.AddRow(row.Label, *edit, edit);
    FieldEdits.push_back(edit);
  }
  picpath = new controls::TFileNameEdit({"picpath", "", "filename"}, Panel1);
  panel.AddRow(barmas::Caption(barmas::FPicPath), *picpath, picpath->Edit());
}

void Tfrminput::BuildPicturePanel() {
  Panel2 = new QWidget(this);
  Panel2->setObjectName("Panel2");
  Panel2->setAccessibleName("Picture and barcode");
  Panel2->setGeometry(kPicturePanelRect);
  CheckBox1 = new QCheckBox("Strech", Panel2);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->setGeometry(1, 2, 159, 20);
  CheckBox1->setChecked(true);
  empimg = CreateItemWindowPicture(Panel2);
  Barcode1 = new TBarcode(Panel2);
  Barcode1->setObjectName("Barcode1");
  Barcode1->setGeometry(1, 180, 116, 61);
  Barcode1->SetBar_CodeType(TBarcode::EAN_13);
  Barcode1->SetBar_HeightPercent(70);
  Barcode1->SetBar_ModuleWidth(TBarcode::SC2);
  Barcode1->SetBar_Fontname("Arial");
  Barcode1->SetBar_HighDensity(false);
  Barcode1->SetBar_WidthReduce(false);
  Barcode1->SetBar_ZoomSize(false);
  Barcode1->SetBar_Caption("JO101");
}

void Tfrminput::BuildButtons() {
  const std::vector<QPushButton*> buttons = MakeButtonRow(
      *this, {{"BitBtn1", "&Save"}, {"BitBtn2", "&Cancel"}, {"BitBtn3", "&Print"}, {"BitBtn4", "Close"}},
      QRect(kButtonRow, kButtonSize), kButtonSpacing);
  BitBtn1 = buttons[0];
  BitBtn2 = buttons[1];
  BitBtn3 = buttons[2];
  BitBtn4 = buttons[3];
  BitBtn1->setDefault(true);
  LabelPreview = new QPushButton("Label preview", this);
  LabelPreview->setObjectName("LabelPreview");
  LabelPreview->setGeometry(kLabelPreviewRect);
  LabelPreview->setAutoDefault(false);
}

void Tfrminput::ConnectHandlers() {
  dsbarmas.OnDataChange = [this](tables::TDataSource&, tables::TField*) {
    controls::Guarded([this] { dsbarmasDataChange(); });
  };
  using controls::ConnectGuarded;
  ConnectGuarded(mcode, &controls::TLookupCombo::Exited, this, [this] { mcodeExit(); });
  ConnectGuarded(DBNavigator1, &controls::TDBNavigator::Click, this,
                 [this](controls::TNavigateButton) { DBNavigator1Click(); });
  // While the operator types a path, a file that is not there (yet) is no error;
  // leaving the box reports it.
  ConnectGuarded(picpath, &controls::TFileNameEdit::Changed, this,
                 [this] { PictureStep(!picpath->Edit()->hasFocus()); });
  ConnectGuarded(picpath, &controls::TFileNameEdit::Exited, this, [this] { picpathExit(); });
  ConnectGuarded(CheckBox1, &QCheckBox::clicked, this, [this](bool) { CheckBox1Click(); });
  ConnectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
  ConnectGuarded(BitBtn2, &QPushButton::clicked, this, [this](bool) { BitBtn2Click(); });
  ConnectGuarded(BitBtn3, &QPushButton::clicked, this, [this](bool) { BitBtn3Click(); });
  ConnectGuarded(BitBtn4, &QPushButton::clicked, this, [this](bool) { close(); });
  ConnectGuarded(LabelPreview, &QPushButton::clicked, this, [this](bool) { LabelPreviewClick(); });
}

void Tfrminput::FormCreate() {
  dbpath.Close();
  dbpath.SetDirectory(platform::DataDirectory());
  dbpath.Open();
  tblbarmas.Open();
  tblbarmaslu.Open();
  picpath->Edit()->setMaxLength(tblbarmas.FieldByName(barmas::FPicPath).Size());
  mcode->setText(ToQString(tblbarmas.FieldByName(barmas::FBarcode).AsString()));
  AddMissingItemIndexes(tblbarmas);
  BuildGridCommands();
}

void Tfrminput::BuildGridCommands() {
  DBGrid1->SetMultiSelect(true);
  DBGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
  for (const TGridCommand& command : kGridCommands) {
    auto* action = new QAction(command.Caption, DBGrid1);
    action->setObjectName(command.Name);
    controls::ConnectGuarded(action, &QAction::triggered, this, [this, run = command.Run](bool) { (this->*run)(); });
    DBGrid1->addAction(action);
  }
}

void Tfrminput::FormShow() { mport->setCurrentText(ToQString(gPrtport)); }

void Tfrminput::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) controls::Guarded([this] { FormShow(); });
}

void Tfrminput::mcodeExit() {
  tables::TField& barcode = tblbarmas.FieldByName(barmas::FBarcode);
  const std::string text = controls::CheckedFieldText(barcode, mcode->text());
  tblbarmas.SetIndexFieldNames("Fbarcode");
  if (!tblbarmas.FindKey({text})) {
    tblbarmas.Append();
    barcode.SetAsString(text);
    const QSignalBlocker quiet(picpath);
    picpath->setText({});
  }
  mcode->setText(ToQString(text));
  if (static_cast<int>(Trimmed(text).size()) < kShortestBarcode) {
    platform::ShowMessage(barmas::kShortBarcodeMessage);
    ReturnFocusToBarcode();
  }
  {
    const QSignalBlocker quiet(picpath);
    picpath->setText(ToQString(tblbarmas.FieldByName(barmas::FPicPath).AsString()));
  }
  Barcode1->SetBar_Caption(ToQString(barcode.AsString()));
  PictureStep(true);
}

void Tfrminput::ReturnFocusToBarcode() {
  // Focus cannot be taken back while it is still leaving.
  QTimer::singleShot(0, mcode, [box = mcode] { box->setFocus(Qt::OtherFocusReason); });
}

void Tfrminput::dsbarmasDataChange() {
  if (tblbarmas.State() != TDataSetState::dsBrowse) return;
  mcode->setText(ToQString(tblbarmas.FieldByName(barmas::FBarcode).AsString()));
  picpath->setText(ToQString(tblbarmas.FieldByName(barmas::FPicPath).AsString()));
  Barcode1->SetBar_Caption(ToQString(tblbarmas.FieldByName(barmas::FBarcode).AsString()));
}

void Tfrminput::DBNavigator1Click() {
  if (tblbarmas.State() != TDataSetState::dsBrowse) return;
  mcode->setText(ToQString(tblbarmas.FieldByName(barmas::FBarcode).AsString()));
  {
    const QSignalBlocker quiet(picpath);
    picpath->setText(ToQString(tblbarmas.FieldByName(barmas::FPicPath).AsString()));
  }
  PictureStep(true);
}

void Tfrminput::picpathExit() { PictureStep(true); }

void Tfrminput::PictureStep(bool reportErrors) { FPictureStep.Run(*empimg, mcode->text(), *picpath, reportErrors); }

void Tfrminput::CheckBox1Click() { empimg->SetStretch(CheckBox1->isChecked()); }

void Tfrminput::BitBtn1Click() {
  if (!tables::IsEditingState(tblbarmas.State())) tblbarmas.Edit();
  tables::TField& path = tblbarmas.FieldByName(barmas::FPicPath);
  path.SetAsString(controls::CheckedFieldText(path, picpath->text()));
  tblbarmas.Post();
  mcode->setFocus(Qt::OtherFocusReason);
}

void Tfrminput::BitBtn2Click() { tblbarmas.Cancel(); }

void Tfrminput::BitBtn3Click() {
  const auto selected = DBGrid1->SelectedBookmarks();
  if (selected.size() > 1) return PrintItems(selected);
  FLabelJob.PortText = controls::FromQString(mport->currentText());
  FLabelJob.Print(tblbarmas);
}

void Tfrminput::LabelPreviewClick() {
  const TLabelValues values = ReadLabelValues(tblbarmas, FLabelJob.DecimalSeparator);
  OpenLabelPreview(this, CurrentLabelPreviewJob(values, FLabelJob.DecimalSeparator));
}

void Tfrminput::PrintItems(const std::vector<tables::TTable::TBookmark>& rows) {
  if (!controls::Confirm("Print labels for " + std::to_string(rows.size()) + " items?")) return;
  // Read with a cursor of its own, so the window's row stays where the operator left it.
  tables::TTable reader;
  reader.SetDatabaseName(dbpath.DatabaseName());
  reader.SetTableName(tblbarmas.TableName());
  reader.Open();
  FLabelJob.PortText = controls::FromQString(mport->currentText());
  auto batch = std::make_unique<TLabelBatch>(FLabelJob, ReadLabelItems(reader, rows, FLabelJob.DecimalSeparator));
  (new TBatchWindow(std::move(batch), this))->Start();
}

void Tfrminput::PrintAllItemsClick() {
  std::vector<tables::TTable::TBookmark> rows;
  for (const auto& row : tblbarmas.ReadRowsAt(0, tblbarmas.RecordCount())) rows.push_back(row.Bookmark);
  PrintItems(rows);
}

void Tfrminput::FormClose() {
  tblbarmas.Close();
  tblbarmaslu.Close();
}

void Tfrminput::closeEvent(QCloseEvent* event) {
  controls::Guarded([this] { FormClose(); });
  event->accept();
}

void Tfrminput::reject() {
  // A window that hides Cancel has no Esc button.
  if (BitBtn2->isVisibleTo(this)) BitBtn2->click();
}

Tfrminput* OpenItemMaster(QWidget* owner) {
  if (!frminput) frminput = CreateForm<Tfrminput>(owner);
  return frminput;
}

}  // namespace items
