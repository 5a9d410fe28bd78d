// The program's frame: an MDI main window whose menu and speed buttons open the
// working windows (item master, normal printer, parameters) as top-level windows
// it owns, whose status bar shows the application's hint, and whose Window menu
// arranges and lists the MDI children of its workspace.
#pragma once

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QMetaObject>
#include <QStatusBar>
#include <QString>
#include <QToolButton>
#include <QWidget>

#include "app/childwin.h"
#include "app/hintrouter.h"
#include "barcode/control/barcodecontrol.h"

class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // Makes ShowStatusHint the hint handler and UpdateMenuItems the active-window handler.
  void FormCreate();
  void ShowStatusHint();
  // Enables the commands that need an MDI child while there is one; visibility stays.
  void UpdateMenuItems();
  TMDIChild* CreateMDIChild(const QString& caption);
  int MDIChildCount() const;

  void FileNewItemClick();
  void FileOpenItemClick();
  void FileCloseItemClick();
  void FileSaveItemClick();
  void FileSaveAsItemClick();
  void FileExitItemClick();
  void FileImportItemClick();
  void FileExportItemClick();
  void Parameter1Click();
  void ItemMaster1Click();
  void NormalPrinter1Click();
  void itemmasterClick();
  void CutItemClick();
  void CopyItemClick();
  void PasteItemClick();
  void WindowCascadeItemClick();
  void WindowTileItemClick();
  void WindowArrangeItemClick();
  void WindowMinimizeItemClick();
  void HelpAboutItemClick();
  // Removes the active-window handler (and the hint handler with it).
  void FormDestroy();

  app::TApplicationHint* ApplicationHint = nullptr;

  QWidget* SpeedPanel;
  QToolButton* itemmaster;
  QToolButton* SaveBtn;
  QToolButton* ExitBtn;
  QToolButton* OpenBtn;
  QToolButton* CutBtn;
  QToolButton* CopyBtn;
  QToolButton* PasteBtn;

  QMdiArea* MDIArea;
  QStatusBar* StatusBar;
  QFrame* Panel1;  // the centre panel
  QLabel* Label1;  // its title
  TBarcode* Barcode1;

  QMenu* File1;
  QAction* Parameter1;
  QAction* FileNewItem;
  QAction* FileOpenItem;
  QAction* FileCloseItem;
  QAction* FileSaveItem;
  QAction* FileSaveAsItem;
  QAction* FileImportItem;
  QAction* FileExportItem;
  QAction* N1;
  QAction* FileExitItem;
  QMenu* Input1;
  QAction* ItemMaster1;
  QAction* NormalPrinter1;
  QMenu* Edit1;
  QAction* CutItem;
  QAction* CopyItem;
  QAction* PasteItem;
  QMenu* Window1;
  QAction* WindowCascadeItem;
  QAction* WindowTileItem;
  QAction* WindowArrangeItem;
  QAction* WindowMinimizeItem;
  QMenu* Help1;
  QAction* HelpAboutItem;

 protected:
  // Closing the frame ends the program, nested loops (modal boxes, previews) included.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildSpeedPanel(QWidget& client);
  void BuildMenus();
  void BuildCentrePanel();
  void NameForAccessibility();

  QMetaObject::Connection FActiveWindowChange;
  QMetaObject::Connection FActiveChildChange;
};

extern TMainForm* MainForm;
