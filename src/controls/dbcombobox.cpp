#include "controls/dbcombobox.h"

#include <QLineEdit>

#include "controls/fieldtext.h"
#include "controls/guarded.h"
#include "controls/qtext.h"

namespace controls {

TDBComboBox::TDBComboBox(const TComboSettings& settings, QWidget* parent)
    : QComboBox(parent), FLink(settings.DataField, [this] { ShowField(); }) {
  setObjectName(QString::fromStdString(settings.Name));
  setEditable(settings.Editable);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(settings.DropDownCount);
  for (const auto& item : settings.Items) {
    const auto tab = item.find('\t');
    FItems.push_back(tab == std::string::npos ? TItem{item, item} : TItem{item.substr(0, tab), item.substr(tab + 1)});
    addItem(ToQString(FItems.back().Display));
  }
  ConnectGuarded(this, &QComboBox::activated, this, [this](int item) { Write(StoredValue(item)); });
  if (lineEdit()) {
    ConnectGuarded(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { TextEdited(text); });
  }
}

void TDBComboBox::SetDataSource(tables::TDataSource* source) {
  FLink.SetDataSource(source);
  ShowField();
}

QString TDBComboBox::dataField() const { return ToQString(FLink.FieldName()); }

tables::TField* TDBComboBox::Field() const { return FLink.Field(); }

std::string TDBComboBox::StoredValue(int item) const {
  return item >= 0 && item < static_cast<int>(FItems.size()) ? FItems[item].Stored : std::string();
}

int TDBComboBox::ItemOfStored(const std::string& stored) const {
  for (std::size_t i = 0; i < FItems.size(); ++i) {
    if (FItems[i].Stored == stored) return static_cast<int>(i);
  }
  return -1;
}

void TDBComboBox::ShowField() {
  const tables::TField* field = Field();
  const std::string stored = field ? field->AsString() : std::string();
  const int item = ItemOfStored(stored);
  if (lineEdit()) {
    if (field && field->DataType() == tables::TFieldType::ftString) lineEdit()->setMaxLength(field->Size());
    setCurrentIndex(item);
    setEditText(item >= 0 ? itemText(item) : ToQString(stored));
    return;
  }
  setCurrentIndex(item);
  // A list without an item for the value shows the value itself.
  setPlaceholderText(item >= 0 ? QString() : ToQString(stored));
}

void TDBComboBox::Write(const std::string& value) {
  const bool written = Guarded([&] { FLink.Write([&](tables::TField& field) { field.SetAsString(value); }); });
  if (!written) ShowField();
}

void TDBComboBox::TextEdited(const QString& text) {
  tables::TField* field = Field();
  if (!field) return;
  std::string value;
  if (!Guarded([&] { value = CheckedFieldText(*field, text); })) {
    ShowField();
    return;
  }
  // Typing an item's display text stores that item's value.
  const int item = findText(text);
  Write(item >= 0 ? StoredValue(item) : value);
}

}  // namespace controls
