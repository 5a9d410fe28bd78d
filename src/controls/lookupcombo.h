// The lookup combo box: a line edit with a drop-down button that opens a search
// dialog over a second cursor. The dialog lists the configured columns in the
// order of the lookup field and finds by it as the operator types (or by another
// column the operator chooses, which then orders the list); Enter or a
// double click picks the row and puts its display field into the box, Esc closes
// it and leaves the box as it was.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QWidget>
#include <string>
#include <vector>

#include "controls/dbgrid.h"

namespace controls {

struct TLookupColumn {
  std::string Title;
  std::string FieldName;
  int Characters = 10;  // width in average characters of the grid's font
};

struct TLookupSettings {
  std::string Name;
  int MaxLength = 0;  // of the box's text; 0: no limit
  std::vector<TLookupColumn> Columns;
  std::string LookupField;   // a string field: the dialog's order and what its search box finds by
  std::string DisplayField;  // what a pick puts into the box
  int MaxDropHeight = 0;     // pixels; 0: no limit
};

class TLookupDialog : public QDialog {
  Q_OBJECT

 public:
  TLookupDialog(const TLookupSettings& settings, tables::TDataSource* source, QWidget* parent = nullptr);

  QLineEdit* SearchBox() const { return FSearch; }
  // The column the search box finds by.
  QComboBox* SearchField() const { return FSearchField; }
  TDBGrid* Grid() const { return FGrid; }
  // The display field of the row the dialog stands on.
  QString PickedText() const;

 private:
  void Search();
  void Pick();

  TLookupSettings FSettings;
  tables::TTable* FTable;
  QLineEdit* FSearch;
  QComboBox* FSearchField;
  TDBGrid* FGrid;
};

class TLookupCombo : public QWidget {
  Q_OBJECT

 public:
  explicit TLookupCombo(TLookupSettings settings, QWidget* parent = nullptr);

  // The cursor the dialog lists; the dialog orders it by the lookup field.
  void SetLookupSource(tables::TDataSource* source) { FSource = source; }
  QString text() const { return FEdit->text(); }
  void setText(const QString& text) { FEdit->setText(text); }
  QLineEdit* Edit() const { return FEdit; }
  QToolButton* DropDownButton() const { return FButton; }
  // The open dialog; null when none.
  TLookupDialog* Dialog() const { return FDialog; }

  // Opens the dialog (window-modal, returning at once); Alt+Down in the box does the same.
  void DropDown();

 signals:
  // A row was picked and its display field put into the box.
  void Picked();
  // Focus left the box (not for the box's own dialog).
  void Exited();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TLookupSettings FSettings;
  tables::TDataSource* FSource = nullptr;
  QLineEdit* FEdit;
  QToolButton* FButton;
  QPointer<TLookupDialog> FDialog;
};

}  // namespace controls
