// Text typed or pasted into a control, checked before it reaches a field: only
// characters the program's code page holds, no control characters, and no more
// characters than a string field's size. A refusal stores nothing.
#pragma once

#include <QString>
#include <stdexcept>
#include <string>

#include "tables/tables.h"

namespace controls {

class EControlError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string BadCharactersMessage(const std::string& fieldName);
std::string TooLongMessage(const tables::TField& field);

// The text as the field would store it (Windows-1252 bytes), or EControlError.
// A float field's text is checked as a number when it is written.
std::string CheckedFieldText(const tables::TField& field, const QString& text);

}  // namespace controls
