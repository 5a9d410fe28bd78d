#include "app/mainform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMenuBar>
#include <QStyle>
#include <QThread>
#include <QWindow>
#include <QVBoxLayout>
#include <utility>

#include "app/about.h"
#include "app/hint.h"
#include "app/itemfiles.h"
#include "app/mdiwindows.h"
#include "controls/guarded.h"
#include "items/windows/frminput.h"
#include "items/windows/frmparam.h"
#include "normalprint/frminput1.h"

TMainForm* MainForm = nullptr;

namespace {

using Click = void (TMainForm::*)();

constexpr const char* kCaption = "Barcode Printing Software  ";
constexpr QSize kNormalSize{578, 391};
constexpr int kSpeedPanelHeight = 30;
constexpr QSize kSpeedButtonSize{25, 25};
constexpr int kSpeedButtonTop = 2;  // centred in the strip
constexpr QRect kCentrePanelRect{186, 125, 304, 192};
constexpr QRect kTitleRect{8, 16, 288, 28};
constexpr QPoint kBarcodeOrigin{35, 72};
constexpr QSize kBarcodeSize{234, 84};
constexpr int kTitlePixelSize = 19;
constexpr const char* kTitle = "Barcode Printing Software";
// Qt's form of the filter "All files (*.*)|*.*": "*" also matches names without a dot.
constexpr const char* kOpenFilter = "All files (*)";
constexpr const char* kNewChildCaption = "NONAME";

struct TSpeedButtonRow {
  QToolButton* TMainForm::*Button;
  const char* Name;
  int Left;
  const char* Hint;
  bool Visible;
  bool Enabled;
  QStyle::StandardPixmap Glyph;
  Click OnClick;  // null: the button does nothing
};

const TSpeedButtonRow kSpeedButtons[] = {
    {&TMainForm::itemmaster, "itemmaster", 3, "Item Master", true, true, QStyle::SP_FileDialogDetailedView,
     &TMainForm::itemmasterClick},
    {&TMainForm::SaveBtn, "SaveBtn", 31, "Save|", true, false, QStyle::SP_DialogSaveButton,
     &TMainForm::FileSaveItemClick},
    {&TMainForm::ExitBtn, "ExitBtn", 60, "Exit|", true, true, QStyle::SP_DialogCloseButton,
     &TMainForm::FileExitItemClick},
    {&TMainForm::OpenBtn, "OpenBtn", 199, "Open|", false, true, QStyle::SP_DialogOpenButton,
     &TMainForm::FileOpenItemClick},
    {&TMainForm::CutBtn, "CutBtn", 64, "Cut|", false, false, QStyle::SP_TrashIcon, nullptr},
    {&TMainForm::CopyBtn, "CopyBtn", 88, "Copy|", false, false, QStyle::SP_FileIcon, nullptr},
    {&TMainForm::PasteBtn, "PasteBtn", 112, "Paste|", false, false, QStyle::SP_FileLinkIcon, nullptr},
};

// One row per menu heading (Menu set), item (Item set) or separator (Item set, no caption).
struct TMenuRow {
  QMenu* TMainForm::*Menu = nullptr;
  QAction* TMainForm::*Item = nullptr;
  const char* Name;
  const char* Caption = nullptr;
  const char* Hint = "";
  bool Visible = true;
  bool Enabled = true;
  Click OnClick = nullptr;
};

const TMenuRow kMenus[] = {
    {.Menu = &TMainForm::File1, .Name = "File1", .Caption = "&File", .Hint = "File related commands"},
    {.Item = &TMainForm::Parameter1, .Name = "Parameter1", .Caption = "Parameter ",
     .OnClick = &TMainForm::Parameter1Click},
    {.Item = &TMainForm::FileNewItem, .Name = "FileNewItem", .Caption = "&New", .Hint = "Create a new file",
     .Visible = false, .OnClick = &TMainForm::FileNewItemClick},
    {.Item = &TMainForm::FileOpenItem, .Name = "FileOpenItem", .Caption = "&Open", .Hint = "Open an existing file",
     .Visible = false, .OnClick = &TMainForm::FileOpenItemClick},
    {.Item = &TMainForm::FileCloseItem, .Name = "FileCloseItem", .Caption = "&Close", .Hint = "Close current file",
     .Visible = false, .OnClick = &TMainForm::FileCloseItemClick},
    {.Item = &TMainForm::FileSaveItem, .Name = "FileSaveItem", .Caption = "&Save", .Hint = "Save current file",
     .Visible = false, .Enabled = false, .OnClick = &TMainForm::FileSaveItemClick},
    {.Item = &TMainForm::FileSaveAsItem, .Name = "FileSaveAsItem", .Caption = "Save &As...",
     .Hint = "Save current file as...", .Visible = false, .Enabled = false, .OnClick = &TMainForm::FileSaveAsItemClick},
    {.Item = &TMainForm::FileImportItem, .Name = "FileImportItem", .Caption = "&Import Items...",
     .Hint = "Import items from a spreadsheet's CSV file", .OnClick = &TMainForm::FileImportItemClick},
    {.Item = &TMainForm::FileExportItem, .Name = "FileExportItem", .Caption = "&Export Items...",
     .Hint = "Export items to a CSV file for spreadsheets", .OnClick = &TMainForm::FileExportItemClick},
    {.Item = &TMainForm::N1, .Name = "N1"},
    {.Item = &TMainForm::FileExitItem, .Name = "FileExitItem", .Caption = "E&xit", .Hint = "Exit the application",
     .OnClick = &TMainForm::FileExitItemClick},
    {.Menu = &TMainForm::Input1, .Name = "Input1", .Caption = "Input"},
    {.Item = &TMainForm::ItemMaster1, .Name = "ItemMaster1", .Caption = "&Barcode Printer",
     .OnClick = &TMainForm::ItemMaster1Click},
    {.Item = &TMainForm::NormalPrinter1, .Name = "NormalPrinter1", .Caption = "&Normal Printer",
     .OnClick = &TMainForm::NormalPrinter1Click},
    {.Menu = &TMainForm::Edit1, .Name = "Edit1", .Caption = "&Edit", .Visible = false},
    {.Item = &TMainForm::CutItem, .Name = "CutItem", .Caption = "Cu&t", .Hint = "Cut to clipboard", .Enabled = false,
     .OnClick = &TMainForm::CutItemClick},
    {.Item = &TMainForm::CopyItem, .Name = "CopyItem", .Caption = "&Copy", .Hint = "Copy to clipboard",
     .Enabled = false, .OnClick = &TMainForm::CopyItemClick},
    {.Item = &TMainForm::PasteItem, .Name = "PasteItem", .Caption = "&Paste", .Hint = "Paste from clipboard",
     .Enabled = false, .OnClick = &TMainForm::PasteItemClick},
    {.Menu = &TMainForm::Window1, .Name = "Window1", .Caption = "&Window",
     .Hint = "Window related commands such as Tile and Cascade"},
    {.Item = &TMainForm::WindowCascadeItem, .Name = "WindowCascadeItem", .Caption = "&Cascade",
     .Hint = "Arrange windows to overlap", .OnClick = &TMainForm::WindowCascadeItemClick},
    {.Item = &TMainForm::WindowTileItem, .Name = "WindowTileItem", .Caption = "&Tile",
     .Hint = "Arrange windows without overlap", .OnClick = &TMainForm::WindowTileItemClick},
    {.Item = &TMainForm::WindowArrangeItem, .Name = "WindowArrangeItem", .Caption = "&Arrange Icons",
     .Hint = "Arrange window icons at bottom of main window", .OnClick = &TMainForm::WindowArrangeItemClick},
    {.Item = &TMainForm::WindowMinimizeItem, .Name = "WindowMinimizeItem", .Caption = "&Minimize All",
     .Hint = "Minimize all windows", .OnClick = &TMainForm::WindowMinimizeItemClick},
    {.Menu = &TMainForm::Help1, .Name = "Help1", .Caption = "&Help", .Hint = "Help topics"},
    {.Item = &TMainForm::HelpAboutItem, .Name = "HelpAboutItem", .Caption = "&About",
     .OnClick = &TMainForm::HelpAboutItemClick},
};

// The commands that act on an MDI child: enabled only while the workspace holds one.
constexpr QAction* TMainForm::*kChildItems[] = {
    &TMainForm::FileCloseItem,     &TMainForm::FileSaveItem,   &TMainForm::FileSaveAsItem,
    &TMainForm::CutItem,           &TMainForm::CopyItem,       &TMainForm::PasteItem,
    &TMainForm::WindowCascadeItem, &TMainForm::WindowTileItem, &TMainForm::WindowArrangeItem,
    &TMainForm::WindowMinimizeItem,
};
constexpr QToolButton* TMainForm::*kChildButtons[] = {
    &TMainForm::SaveBtn,
    &TMainForm::CutBtn,
    &TMainForm::CopyBtn,
    &TMainForm::PasteBtn,
};

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("MainForm");
  setWindowTitle(kCaption);
  resize(kNormalSize);

  auto* client = new QWidget(this);
  client->setObjectName("ClientArea");
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildSpeedPanel(*client);
  layout->addWidget(SpeedPanel);
  MDIArea = new QMdiArea(client);
  MDIArea->setObjectName("MDIArea");
  // The palette's dark shade is Qt's application-workspace colour.
  MDIArea->setBackground(MDIArea->palette().brush(QPalette::Dark));
  layout->addWidget(MDIArea);
  setCentralWidget(client);

  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName("StatusBar");
  StatusBar->setSizeGripEnabled(false);  // the frame is shown maximised
  setStatusBar(StatusBar);
  BuildMenus();
  BuildCentrePanel();
  NameForAccessibility();
  FormCreate();
}

TMainForm::~TMainForm() { FormDestroy(); }

void TMainForm::BuildSpeedPanel(QWidget& client) {
  SpeedPanel = new QWidget(&client);
  SpeedPanel->setObjectName("SpeedPanel");
  SpeedPanel->setFixedHeight(kSpeedPanelHeight);
  for (const TSpeedButtonRow& row : kSpeedButtons) {
    auto* button = new QToolButton(SpeedPanel);
    button->setObjectName(row.Name);
    button->setGeometry(QRect(QPoint(row.Left, kSpeedButtonTop), kSpeedButtonSize));
    button->setAutoRaise(true);
    button->setIcon(style()->standardIcon(row.Glyph));
    app::SetHint(*button, row.Hint);
    button->setAccessibleName(app::ShortHint(row.Hint));
    button->setVisible(row.Visible);
    button->setEnabled(row.Enabled);
    if (row.OnClick)
      controls::ConnectGuarded(button, &QToolButton::clicked, this, [this, click = row.OnClick](bool) { (this->*click)(); });
    this->*row.Button = button;
  }
}

void TMainForm::BuildMenus() {
  menuBar()->setObjectName("MainMenu1");
  QMenu* current = nullptr;
  for (const TMenuRow& row : kMenus) {
    if (row.Menu) {
      current = menuBar()->addMenu(row.Caption);
      current->setObjectName(row.Name);
      current->menuAction()->setObjectName(row.Name);
      current->menuAction()->setStatusTip(row.Hint);
      current->menuAction()->setVisible(row.Visible);
      this->*row.Menu = current;
      continue;
    }
    QAction* item = row.Caption ? current->addAction(row.Caption) : current->addSeparator();
    item->setObjectName(row.Name);
    item->setStatusTip(row.Hint);
    item->setVisible(row.Visible);
    item->setEnabled(row.Enabled);
    if (row.OnClick)
      controls::ConnectGuarded(item, &QAction::triggered, this, [this, click = row.OnClick](bool) { (this->*click)(); });
    this->*row.Item = item;
  }
  // The Window menu is the workspace's window list.
  controls::ConnectGuarded(Window1, &QMenu::aboutToShow, this, [this] { app::FillWindowList(*Window1, *MDIArea); });
}

void TMainForm::BuildCentrePanel() {
  Panel1 = new QFrame(centralWidget());
  Panel1->setObjectName("Panel1");
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setLineWidth(2);
  Panel1->setAutoFillBackground(true);  // the window colour over the workspace's
  Panel1->setGeometry(kCentrePanelRect);
  Label1 = new QLabel(kTitle, Panel1);
  Label1->setObjectName("Label1");
  Label1->setGeometry(kTitleRect);
  Label1->setAlignment(Qt::AlignCenter);
  QFont titleFont = Label1->font();
  titleFont.setPixelSize(kTitlePixelSize);
  Label1->setFont(titleFont);
  Barcode1 = new TBarcode(Panel1);
  Barcode1->setObjectName("Barcode1");
  Barcode1->setGeometry(QRect(kBarcodeOrigin, kBarcodeSize));
  Barcode1->SetBar_CodeType(TBarcode::CODE128_B);
  Barcode1->SetBar_Caption("Quorvantix Systems");
  Barcode1->SetBar_Fontname("Arial");
  Barcode1->SetBar_Fontscaling(200);
  Barcode1->SetBar_ModuleWidth(TBarcode::SC2);
  Barcode1->SetBar_HighDensity(false);
  Barcode1->SetBar_WidthReduce(false);
  Barcode1->SetBar_ZoomSize(false);
  // Over the workspace, where it stays whatever the frame's size.
  Panel1->raise();
}

void TMainForm::NameForAccessibility() {
  centralWidget()->setAccessibleName(kCaption);
  SpeedPanel->setAccessibleName("Speed buttons");
  MDIArea->setAccessibleName("Workspace");
  MDIArea->viewport()->setAccessibleName("Workspace");
  StatusBar->setAccessibleName("Status bar");
  menuBar()->setAccessibleName("Menu bar");
  Panel1->setAccessibleName(kTitle);
  Barcode1->setAccessibleName(Barcode1->Bar_Caption());
}

void TMainForm::FormCreate() {
  ApplicationHint = new app::TApplicationHint(this);
  controls::ConnectGuarded(ApplicationHint, &app::TApplicationHint::HintChanged, this, [this] { ShowStatusHint(); });
  FActiveWindowChange = controls::ConnectGuarded(qApp, &QGuiApplication::focusWindowChanged, this,
                                                 [this](QWindow*) { UpdateMenuItems(); });
  FActiveChildChange = controls::ConnectGuarded(MDIArea, &QMdiArea::subWindowActivated, this,
                                                [this](QMdiSubWindow*) { UpdateMenuItems(); });
}

void TMainForm::FormDestroy() {
  disconnect(FActiveWindowChange);
  disconnect(FActiveChildChange);
  // Children that go with the frame must not reach a frame half destroyed.
  for (QMdiSubWindow* child : MDIArea->subWindowList()) child->disconnect(this);
  delete std::exchange(ApplicationHint, nullptr);
}

void TMainForm::ShowStatusHint() { StatusBar->showMessage(ApplicationHint->Hint()); }

int TMainForm::MDIChildCount() const { return static_cast<int>(app::MDIChildren(*MDIArea).size()); }

void TMainForm::UpdateMenuItems() {
  const bool haveChild = MDIChildCount() > 0;
  for (QAction* TMainForm::*item : kChildItems) (this->*item)->setEnabled(haveChild);
  for (QToolButton* TMainForm::*button : kChildButtons) (this->*button)->setEnabled(haveChild);
}

TMDIChild* TMainForm::CreateMDIChild(const QString& caption) {
  auto* child = new TMDIChild;
  child->setWindowTitle(caption);
  MDIArea->addSubWindow(child);
  // A closed child leaves the list only when it is gone.
  controls::ConnectGuarded(child, &QObject::destroyed, this, [this](QObject*) { UpdateMenuItems(); });
  child->show();
  return child;
}

void TMainForm::FileNewItemClick() { CreateMDIChild(kNewChildCaption + QString::number(MDIChildCount() + 1)); }

void TMainForm::FileOpenItemClick() {
  QFileDialog OpenDialog(this, QString(), QString(), kOpenFilter);
  OpenDialog.setObjectName("OpenDialog");
  OpenDialog.setFileMode(QFileDialog::ExistingFile);
  if (OpenDialog.exec() != QDialog::Accepted || OpenDialog.selectedFiles().isEmpty()) return;
  CreateMDIChild(OpenDialog.selectedFiles().constFirst());
}

void TMainForm::FileCloseItemClick() {
  if (QMdiSubWindow* child = MDIArea->activeSubWindow()) child->close();
}

void TMainForm::FileSaveItemClick() { OpenNormalPrinter(this); }

void TMainForm::FileSaveAsItemClick() {}

void TMainForm::FileExitItemClick() { close(); }

void TMainForm::FileImportItemClick() { app::ImportItems(this); }

void TMainForm::FileExportItemClick() { app::ExportItems(this); }

void TMainForm::Parameter1Click() { items::OpenParameters(this); }

void TMainForm::ItemMaster1Click() { items::OpenItemMaster(this); }

void TMainForm::NormalPrinter1Click() { OpenNormalPrinter(this); }

void TMainForm::itemmasterClick() { items::OpenItemMaster(this); }

void TMainForm::CutItemClick() {}

void TMainForm::CopyItemClick() {}

void TMainForm::PasteItemClick() {}

void TMainForm::WindowCascadeItemClick() { MDIArea->cascadeSubWindows(); }

void TMainForm::WindowTileItemClick() { MDIArea->tileSubWindows(); }

void TMainForm::WindowArrangeItemClick() { app::ArrangeIcons(*MDIArea); }

void TMainForm::WindowMinimizeItemClick() { app::MinimizeAll(*MDIArea); }

void TMainForm::HelpAboutItemClick() { ShowAbout(this); }

void TMainForm::closeEvent(QCloseEvent* event) {
  event->accept();
  // Every loop ends, the nested ones of modal boxes and previews too; with no loop
  // running (a frame driven by hand) there is nothing to end.
  if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}
