#include "controls/fieldtext.h"

#include "controls/qtext.h"

namespace controls {

std::string BadCharactersMessage(const std::string& fieldName) {
  return "Field " + fieldName + " takes only characters of the Windows-1252 code page and no control characters";
}

std::string TooLongMessage(const tables::TField& field) {
  return "Value too long for field " + field.FieldName() + " (at most " + std::to_string(field.Size()) +
         " characters)";
}

std::string CheckedFieldText(const tables::TField& field, const QString& text) {
  if (!IsStorableText(text)) throw EControlError(BadCharactersMessage(field.FieldName()));
  std::string bytes = FromQString(text);
  // One byte is one character in the code page.
  if (field.DataType() == tables::TFieldType::ftString && bytes.size() > static_cast<std::size_t>(field.Size())) {
    throw EControlError(TooLongMessage(field));
  }
  return bytes;
}

}  // namespace controls
