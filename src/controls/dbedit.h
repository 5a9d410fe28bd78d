// The bound edit: a line edit showing one field of a data source's cursor. The
// first change puts the cursor into edit state (an insert on an empty table) and
// every change is written to the field at once, so a post from anywhere stores
// what the box shows. Only text the field can hold gets in: characters outside
// Windows-1252 and control characters are refused, typed or pasted, and so is a
// paste longer than the field; each refusal is shown and stores nothing. A float
// field takes any text while typing and refuses one that is not a number on leaving.
#pragma once

#include <QLineEdit>
#include <string>

#include "controls/datalink.h"

namespace controls {

struct TEditSettings {
  std::string Name;
  std::string DataField;
};

class TDBEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(QString dataField READ dataField)

 public:
  explicit TDBEdit(const TEditSettings& settings, QWidget* parent = nullptr);

  void SetDataSource(tables::TDataSource* source);
  QString dataField() const;
  // The bound field; null while the cursor is closed or has no such field.
  tables::TField* Field() const;

  // Pastes text as the operator would, checked first.
  void PasteText(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ShowField();
  void TextEdited(const QString& text);
  void WriteNumber();
  void CheckInsertion(const QString& inserted) const;

  TFieldDataLink FLink;
  bool FNumberPending = false;  // a float field's text that is not yet a number
};

}  // namespace controls
