// The frame as designed: caption, sizes, speed buttons, the menu bar with its
// hints and states, the workspace and the centre panel with its barcode.
#include "app/mainform.h"

#include <QMenuBar>

#include "mainformfixture.h"

namespace app::test {
namespace {

using MainFormLayout = TMainFormTest;

TEST_F(MainFormLayout, IsAnMdiFrameOfItsOwnCaptionAndSize) {
  EXPECT_EQ(Frame->windowTitle(), "Barcode Printing Software  ");
  EXPECT_EQ(Frame->size(), QSize(578, 391));
  EXPECT_EQ(Frame->MDIArea->background(), Frame->MDIArea->palette().brush(QPalette::Dark));
  EXPECT_EQ(Frame->SpeedPanel->height(), 30);
  EXPECT_EQ(Frame->StatusBar, Frame->statusBar());
  EXPECT_EQ(Frame->StatusBar->objectName(), "StatusBar");
  EXPECT_EQ(Frame->MDIChildCount(), 0);
  Shown();
  EXPECT_EQ(Frame->windowHandle()->title(), "Barcode Printing Software  ");
  // The workspace fills the frame below the speed buttons.
  EXPECT_EQ(Frame->MDIArea->geometry().top(), Frame->SpeedPanel->geometry().bottom() + 1);
  KeepScreenshot(*Frame, "mainform");
}

TEST_F(MainFormLayout, CentrePanelHoldsTheTitleAndTheCompanyBarcode) {
  Shown();
  EXPECT_EQ(Frame->Panel1->geometry(), QRect(186, 125, 304, 192));
  EXPECT_EQ(Frame->Panel1->parentWidget(), Frame->centralWidget());
  EXPECT_NE(Frame->Panel1->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(Frame->Label1->text(), "Barcode Printing Software");
  EXPECT_EQ(Frame->Label1->font().pixelSize(), 19);
  EXPECT_TRUE(Frame->Panel1->geometry().contains(
      Frame->Label1->geometry().translated(Frame->Panel1->geometry().topLeft())));
  const TBarcode& barcode = *Frame->Barcode1;
  EXPECT_EQ(barcode.Bar_CodeType(), TBarcode::CODE128_B);
  EXPECT_EQ(barcode.Bar_Caption(), "Quorvantix Systems");
  EXPECT_EQ(barcode.Bar_Fontname(), "Arial");
  EXPECT_EQ(barcode.Bar_Fontscaling(), 200);
  EXPECT_EQ(barcode.Bar_ModuleWidth(), TBarcode::SC2);
  EXPECT_FALSE(barcode.Bar_HighDensity());
  EXPECT_FALSE(barcode.Bar_WidthReduce());
  EXPECT_FALSE(barcode.Bar_ZoomSize());
  EXPECT_EQ(barcode.size(), QSize(234, 84));
  EXPECT_TRUE(QRect(QPoint(), Frame->Panel1->size()).contains(barcode.geometry()));
}

TEST_F(MainFormLayout, CentrePanelStaysWhereItIsWhenTheFrameIsMaximised) {
  Frame->showMaximized();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame));
  EXPECT_EQ(Frame->Panel1->geometry(), QRect(186, 125, 304, 192));
  EXPECT_GT(Frame->MDIArea->width(), 578);
  Frame->FileNewItemClick();
  Frame->FileNewItemClick();
  EXPECT_EQ(Frame->Panel1->geometry(), QRect(186, 125, 304, 192));
  KeepScreenshot(*Frame, "mainform-maximised");
}

// Written out from the design of the speed buttons: name, x, tooltip, visible, enabled.
struct TSpeedButtonCase {
  const char* Name;
  int Left;
  const char* ToolTip;
  bool Visible;
  bool Enabled;
};

const TSpeedButtonCase kSpeedButtonCases[] = {
    {"itemmaster", 3, "Item Master", true, true}, {"SaveBtn", 31, "Save", true, false},
    {"ExitBtn", 60, "Exit", true, true},          {"OpenBtn", 199, "Open", false, true},
    {"CutBtn", 64, "Cut", false, false},          {"CopyBtn", 88, "Copy", false, false},
    {"PasteBtn", 112, "Paste", false, false},
};

TEST_F(MainFormLayout, SpeedButtonsStandWhereDesignedWithTheirHintsAndStates) {
  std::vector<QString> names;
  for (QToolButton* button : Frame->SpeedPanel->findChildren<QToolButton*>()) names.push_back(button->objectName());
  ASSERT_EQ(names.size(), std::size(kSpeedButtonCases));
  for (const TSpeedButtonCase& expected : kSpeedButtonCases) {
    SCOPED_TRACE(expected.Name);
    auto* button = Frame->SpeedPanel->findChild<QToolButton*>(expected.Name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->x(), expected.Left);
    EXPECT_EQ(button->size(), QSize(25, 25));
    EXPECT_GE(button->y(), 0);
    EXPECT_LE(button->geometry().bottom(), 29);
    EXPECT_EQ(button->toolTip(), expected.ToolTip);
    EXPECT_EQ(!button->isHidden(), expected.Visible);
    EXPECT_EQ(button->isEnabled(), expected.Enabled);
  }
  const std::pair<QToolButton*, const char*> members[] = {
      {Frame->itemmaster, "itemmaster"}, {Frame->SaveBtn, "SaveBtn"}, {Frame->ExitBtn, "ExitBtn"},
      {Frame->OpenBtn, "OpenBtn"},       {Frame->CutBtn, "CutBtn"},   {Frame->CopyBtn, "CopyBtn"},
      {Frame->PasteBtn, "PasteBtn"}};
  for (const auto& [button, name] : members) EXPECT_EQ(button->objectName(), name);
}

// Written out from the design of the menu bar: heading or item, caption, hint, visible, enabled.
struct TMenuCase {
  const char* Name;
  const char* Caption;
  const char* Hint;
  bool Visible;
  bool Enabled;
};

using TMenuCases = std::vector<TMenuCase>;

const std::vector<std::pair<TMenuCase, TMenuCases>> kMenuCases = {
    {{"File1", "&File", "File related commands", true, true},
     {{"Parameter1", "Parameter ", "", true, true},
      {"FileNewItem", "&New", "Create a new file", false, true},
      {"FileOpenItem", "&Open", "Open an existing file", false, true},
      {"FileCloseItem", "&Close", "Close current file", false, true},
      {"FileSaveItem", "&Save", "Save current file", false, false},
      {"FileSaveAsItem", "Save &As...", "Save current file as...", false, false},
      {"FileImportItem", "&Import Items...", "Import items from a spreadsheet's CSV file", true, true},
      {"FileExportItem", "&Export Items...", "Export items to a CSV file for spreadsheets", true, true},
      {"N1", "", "", true, true},
      {"FileExitItem", "E&xit", "Exit the application", true, true}}},
    {{"Input1", "Input", "", true, true},
     {{"ItemMaster1", "&Barcode Printer", "", true, true}, {"NormalPrinter1", "&Normal Printer", "", true, true}}},
    {{"Edit1", "&Edit", "", false, true},
     {{"CutItem", "Cu&t", "Cut to clipboard", true, false},
      {"CopyItem", "&Copy", "Copy to clipboard", true, false},
      {"PasteItem", "&Paste", "Paste from clipboard", true, false}}},
    {{"Window1", "&Window", "Window related commands such as Tile and Cascade", true, true},
     {{"WindowCascadeItem", "&Cascade", "Arrange windows to overlap", true, true},
      {"WindowTileItem", "&Tile", "Arrange windows without overlap", true, true},
      {"WindowArrangeItem", "&Arrange Icons", "Arrange window icons at bottom of main window", true, true},
      {"WindowMinimizeItem", "&Minimize All", "Minimize all windows", true, true}}},
    {{"Help1", "&Help", "Help topics", true, true}, {{"HelpAboutItem", "&About", "", true, true}}},
};

void ExpectAction(QAction& action, const TMenuCase& expected) {
  SCOPED_TRACE(expected.Name);
  EXPECT_EQ(action.objectName(), expected.Name);
  EXPECT_EQ(action.text(), expected.Caption);
  EXPECT_EQ(action.statusTip(), expected.Hint);
  EXPECT_EQ(action.isVisible(), expected.Visible);
  EXPECT_EQ(EnabledState(action), expected.Enabled);
}

TEST_F(MainFormLayout, MenuBarHoldsEveryMenuAndItemInOrderWithHintsAndStates) {
  const QList<QAction*> headings = Frame->menuBar()->actions();
  ASSERT_EQ(static_cast<size_t>(headings.size()), kMenuCases.size());
  for (size_t m = 0; m < kMenuCases.size(); ++m) {
    const auto& [heading, items] = kMenuCases[m];
    ExpectAction(*headings[m], heading);
    QMenu* menu = headings[m]->menu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(static_cast<size_t>(actions.size()), items.size()) << heading.Name;
    for (size_t i = 0; i < items.size(); ++i) ExpectAction(*actions[i], items[i]);
  }
  EXPECT_TRUE(Frame->N1->isSeparator());
}

TEST_F(MainFormLayout, MenuMembersNameTheirItems) {
  const std::pair<QObject*, const char*> members[] = {
      {Frame->File1, "File1"},
      {Frame->Parameter1, "Parameter1"},
      {Frame->FileNewItem, "FileNewItem"},
      {Frame->FileOpenItem, "FileOpenItem"},
      {Frame->FileCloseItem, "FileCloseItem"},
      {Frame->FileSaveItem, "FileSaveItem"},
      {Frame->FileSaveAsItem, "FileSaveAsItem"},
      {Frame->FileImportItem, "FileImportItem"},
      {Frame->FileExportItem, "FileExportItem"},
      {Frame->FileExitItem, "FileExitItem"},
      {Frame->Input1, "Input1"},
      {Frame->ItemMaster1, "ItemMaster1"},
      {Frame->NormalPrinter1, "NormalPrinter1"},
      {Frame->Edit1, "Edit1"},
      {Frame->CutItem, "CutItem"},
      {Frame->CopyItem, "CopyItem"},
      {Frame->PasteItem, "PasteItem"},
      {Frame->Window1, "Window1"},
      {Frame->WindowCascadeItem, "WindowCascadeItem"},
      {Frame->WindowTileItem, "WindowTileItem"},
      {Frame->WindowArrangeItem, "WindowArrangeItem"},
      {Frame->WindowMinimizeItem, "WindowMinimizeItem"},
      {Frame->Help1, "Help1"},
      {Frame->HelpAboutItem, "HelpAboutItem"},
  };
  for (const auto& [member, name] : members) EXPECT_EQ(member->objectName(), name);
}

}  // namespace
}  // namespace app::test
