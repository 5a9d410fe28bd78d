// The bound combo box: a drop-down list on one field of a data source's cursor.
// Each item is a display text, optionally followed by a tab and the value stored
// for it ("Zebra -S500\tZ"); an item without a tab stores its display text. An
// editable box also takes free text. Picking or typing starts an edit (an insert
// on an empty table) and writes the field at once. A stored value outside the
// list is shown as it is.
#pragma once

#include <QComboBox>
#include <string>
#include <vector>

#include "controls/datalink.h"

namespace controls {

struct TComboSettings {
  std::string Name;
  std::string DataField;
  std::vector<std::string> Items;
  bool Editable = false;
  int DropDownCount = 8;  // rows shown when dropped down
};

class TDBComboBox : public QComboBox {
  Q_OBJECT
  Q_PROPERTY(QString dataField READ dataField)

 public:
  explicit TDBComboBox(const TComboSettings& settings, QWidget* parent = nullptr);

  void SetDataSource(tables::TDataSource* source);
  QString dataField() const;
  tables::TField* Field() const;
  // The value stored for an item.
  std::string StoredValue(int item) const;

 private:
  struct TItem {
    std::string Display;
    std::string Stored;
  };
  void ShowField();
  void Write(const std::string& value);
  void TextEdited(const QString& text);
  int ItemOfStored(const std::string& stored) const;

  std::vector<TItem> FItems;
  TFieldDataLink FLink;
};

}  // namespace controls
